// Inputs the fuzz targets found that broke a property, kept here so that the
// fix stays: each row is a value that once came out wrong.

#include <gtest/gtest.h>

#include "backends/vcard/card_editor.h"
#include "backends/vcard/card_parser.h"
#include "backends/vcard/property_map.h"
#include "core/cp949.h"
#include "job/name_separation.h"
#include "job/phone_number.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

struct PhoneRow {
  const char* name;
  const char* value;
  const char* expected;
};

class PhoneFinding : public testing::TestWithParam<PhoneRow> {};

// A value whose last four characters begin with white space once came out
// with a last part of three ("016-123 403-419"), which a second
// normalisation then split elsewhere ("016-123 40-3419").
TEST_P(PhoneFinding, StaysAsWrittenAndNormalisesToItselfAgain) {
  const std::string result = normalizePhoneNumber(GetParam().value);
  EXPECT_EQ(result, GetParam().expected);
  EXPECT_EQ(normalizePhoneNumber(result), result);
}

INSTANTIATE_TEST_SUITE_P(
    Fuzzed, PhoneFinding,
    testing::Values(PhoneRow{"LastFourBeginWithSpace", "016 123 403 419", "016 123 403 419"},
                    PhoneRow{"SeoulLastGroupOfThree", "02 1234 567", "02 1234 567"},
                    PhoneRow{"HyphenThenSpace", "(02)1234- 567", "(02)1234- 567"},
                    PhoneRow{"LastGroupOfFourStillSplits", "016 123 403 4419", "016-123 403-4419"}),
    testing_support::RowName());

struct NameRow {
  const char* name;
  std::string fullName;  // code page 949
  std::string givenName;
};

class NameFinding : public testing::TestWithParam<NameRow> {};

// The given name is at most 100 bytes; it was once cut at byte 100 even in
// the middle of a Hangul syllable, leaving half a character at its end.
TEST_P(NameFinding, GivenNameIsCutOnlyBetweenCharacters) {
  const SplitName split = splitFullName(GetParam().fullName);
  EXPECT_EQ(split.surname, cp949("김"));
  EXPECT_EQ(split.givenName, GetParam().givenName);
}

std::string repeated(const char* utf8, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += cp949(utf8);
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Fuzzed, NameFinding,
    testing::Values(
        NameRow{"OddByteBeforeSyllables", cp949("김") + "a" + repeated("가", 60),
                "a" + repeated("가", 49)},
        NameRow{"SyllablesFillExactly", cp949("김") + repeated("가", 50), repeated("가", 50)},
        NameRow{"SyllablesBeyondTheLimit", cp949("김") + repeated("가", 51), repeated("가", 50)},
        NameRow{"LatinBeyondTheLimit", cp949("김") + std::string(120, 'x'), std::string(100, 'x')}),
    testing_support::RowName());

// A card, one property written into it, and what it reads back.
struct CardRow {
  const char* name;
  std::string card;
  om::ContactProperty property;
  std::string written;
  std::string readBack;
};

class CardFinding : public testing::TestWithParam<CardRow> {};

TEST_P(CardFinding, WrittenValueReadsBack) {
  const CardRow& row = GetParam();
  const std::optional<std::string> edited =
      vcard::editCard(row.card, 1, {{row.property, row.written}});
  ASSERT_TRUE(edited.has_value());
  const vcard::ContactValues values = vcard::readValues(vcard::parseCard(*edited, 1));
  EXPECT_EQ(values[vcard::indexOf(row.property)], row.readBack) << *edited;
}

std::string card(const std::string& version, const std::string& lines) {
  return "BEGIN:VCARD\r\nVERSION:" + version + "\r\nFN:x\r\n" + lines + "END:VCARD\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Fuzzed, CardFinding,
    testing::Values(
        // Emptying the first of two File As lines once removed it, and the
        // second then read as the contact's File As.
        CardRow{"EmptiedFileAsBeforeAnother",
                card("3.0", "X-EVOLUTION-FILE-AS:A\r\nNOTE:n\r\nX-EVOLUTION-FILE-AS:B\r\n"),
                om::ContactProperty::FileAs, "", ""},
        CardRow{"EmptiedOnlyFileAs", card("3.0", "X-EVOLUTION-FILE-AS:A\r\n"),
                om::ContactProperty::FileAs, "", ""},
        // A carriage return in a 3.0 or 4.0 value (a stray one in the line, or
        // a 3.0 line in quoted-printable) was read, but never written back:
        // every such save was refused. It is written as the line break those
        // versions have; 2.1 keeps it exactly.
        CardRow{"CarriageReturnIn30Name", card("3.0", "N:;Kim\rLee;;;\r\n"),
                om::ContactProperty::LastName, "Kim\rLee", "Kim\nLee"},
        CardRow{"LineBreakIn40Name", card("4.0", "N:;a;;;\r\n"), om::ContactProperty::FirstName,
                "Kim\r\nLee", "Kim\nLee"},
        CardRow{"CarriageReturnIn21Name", card("2.1", "N:;a;;;\r\n"),
                om::ContactProperty::FirstName, "Kim\r\nLee", "Kim\r\nLee"},
        // A tel: URI in a line whose bytes are code page 949 had its new
        // number percent-encoded in UTF-8, then read back in code page 949.
        CardRow{"TelUriWithCp949Parameter",
                card("4.0", "TEL;VALUE=uri;TYPE=cell:tel:+82-10-1234-5678;ex\x94t=1\r\n"),
                om::ContactProperty::MobileTelephoneNumber, "010-1234-5678 김", "010-1234-5678 김"},
        CardRow{"TelUriDeclaredEucKr",
                card("4.0", "TEL;VALUE=uri;CHARSET=euc-kr;TYPE=cell:tel:+82-10-1234-5678\r\n"),
                om::ContactProperty::MobileTelephoneNumber, "010-1234-5678 김", "010-1234-5678 김"},
        // Once encoded, a number that held the line's only code page 949
        // bytes leaves an ASCII line, which reads as UTF-8.
        CardRow{"TelUriCp949OnlyInNumber",
                card("4.0", "TEL;VALUE=uri;TYPE=cell:tel:+82-10-\xb1\xe8\r\n"),
                om::ContactProperty::MobileTelephoneNumber, "+8210김", "+8210김"},
        // A card whose text is code page 949 (김 in its ORG) took that set
        // for a written line that names none, but "(카칭)" in code page 949
        // is also valid UTF-8, which is how such a line reads: the save was
        // refused. Those lines are written in UTF-8.
        CardRow{"NewFileAsInCp949CardReadableAsUtf8", card("4.0", "ORG:\xb1\xe8\r\n"),
                om::ContactProperty::FileAs, "(카칭)", "(카칭)"},
        CardRow{"RewrittenFileAsInCp949CardReadableAsUtf8",
                card("3.0", "ORG:\xb1\xe8\r\nX-EVOLUTION-FILE-AS:a\r\n"),
                om::ContactProperty::FileAs, "(카칭)", "(카칭)"},
        CardRow{"NewFileAsInCp949CardStaysCp949", card("3.0", "ORG:\xb1\xe8\r\n"),
                om::ContactProperty::FileAs, "김철수", "김철수"},
        CardRow{"TelUriKeepsCarriageReturn",
                card("4.0", "TEL;VALUE=uri;TYPE=cell:tel:+82-10\r7000\r\n"),
                om::ContactProperty::MobileTelephoneNumber, "+8210\r7000", "+8210\r7000"}),
    testing_support::RowName());

}  // namespace
}  // namespace borvanta
