// The editor: only the lines of changed properties are rewritten, each in its
// card's own syntax (version, character set, transfer encoding, folding,
// line breaks); every other byte stays; a value written back unchanged
// leaves the card untouched.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/vcard/card_editor.h"
#include "backends/vcard/card_parser.h"
#include "backends/vcard/property_map.h"
#include "core/cp949.h"
#include "tests/support/named_rows.h"

namespace borvanta::vcard {
namespace {

using om::ContactProperty;
using testing_support::RowName;

std::optional<std::string> edit(const std::string& card, std::vector<PropertyWrite> writes) {
  return editCard(card, 1, writes);
}

std::string valueAfter(const std::string& card, ContactProperty property) {
  return readValues(parseCard(card, 1))[indexOf(property)];
}

const std::string kOutlookCard =
    "BEGIN:VCARD\r\n"
    "VERSION:2.1\r\n"
    "N;LANGUAGE=ko;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:;=B1=E8=C3=B6=BC=F6;;;\r\n"
    "FN;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:=B1=E8=C3=B6=BC=F6\r\n"
    "TEL;WORK;VOICE:(02)3456-7890\r\n"
    "TEL;CELL;VOICE:01012345678\r\n"
    "PHOTO;TYPE=JPEG;ENCODING=BASE64:\r\n"
    "    /9j/4AAQSkZJRgABAQEAYABgAAD\r\n"
    "\r\n"
    "END:VCARD\r\n";

TEST(EditCard, ValuesWrittenBackUnchangedLeaveTheCardUntouched) {
  EXPECT_EQ(edit(kOutlookCard, {{ContactProperty::LastName, ""},
                                {ContactProperty::FirstName, "김철수"},
                                {ContactProperty::FullName, "김철수"},
                                {ContactProperty::MobileTelephoneNumber, "01012345678"},
                                {ContactProperty::HomeTelephoneNumber, ""},
                                {ContactProperty::FileAs, ""}}),
            std::nullopt);
}

TEST(EditCard, RewritesOnlyTheChangedLineInKsC5601QuotedPrintable) {
  const std::optional<std::string> edited =
      edit(kOutlookCard, {{ContactProperty::LastName, "김"}, {ContactProperty::FirstName, "철수"}});
  ASSERT_TRUE(edited);
  std::string expected = kOutlookCard;
  expected.replace(expected.find(";=B1=E8=C3=B6=BC=F6;;;"), 22, "=B1=E8;=C3=B6=BC=F6;;;");
  EXPECT_EQ(*edited, expected);
  EXPECT_EQ(valueAfter(*edited, ContactProperty::LastName), "김");
}

TEST(EditCard, TelephoneLinesKeepTheirParametersAndGroup) {
  const std::string card =
      "BEGIN:VCARD\nVERSION:3.0\nitem1.TEL;type=CELL;type=pref:010 1234 5678\n"
      "item1.X-ABLabel:mobile\nEND:VCARD\n";
  EXPECT_EQ(edit(card, {{ContactProperty::MobileTelephoneNumber, "010-1234-5678"}}),
            std::optional<std::string>("BEGIN:VCARD\nVERSION:3.0\n"
                                       "item1.TEL;type=CELL;type=pref:010-1234-5678\n"
                                       "item1.X-ABLabel:mobile\nEND:VCARD\n"));
}

TEST(EditCard, RawCp949StaysRawInItsDeclaredCharset) {
  const std::string card =
      "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ks_c_5601-1987:" + cp949("홍길동") +
      ";;;;\r\nEND:VCARD\r\n";
  EXPECT_EQ(edit(card, {{ContactProperty::LastName, "홍"}, {ContactProperty::FirstName, "길동"}}),
            std::optional<std::string>("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ks_c_5601-1987:" +
                                       cp949("홍") + ";" + cp949("길동") + ";;;\r\nEND:VCARD\r\n"));
}

TEST(EditCard, TextCp949CannotHoldMovesTheLineToUtf8) {
  const std::string card =
      "BEGIN:VCARD\r\nVERSION:2.1\r\n"
      "FN;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:=B1=E8\r\nEND:VCARD\r\n";
  const std::optional<std::string> edited = edit(card, {{ContactProperty::FullName, "김😀"}});
  ASSERT_TRUE(edited);
  EXPECT_EQ(*edited,
            "BEGIN:VCARD\r\nVERSION:2.1\r\n"
            "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=EA=B9=80=F0=9F=98=80\r\nEND:VCARD\r\n");
  EXPECT_EQ(valueAfter(*edited, ContactProperty::FullName), "김😀");
}

TEST(EditCard, LongQuotedPrintableBreaksWhereTheCardBreaks) {
  // An Android card: soft breaks after 70 value bytes ('=' included), spaces
  // encoded; "=XX" is never split.
  const std::string card =
      "BEGIN:VCARD\r\nVERSION:2.1\r\n"
      "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=91=20=C3=91=20=C3=91=20=C3=91=20=C3=91=20=C3="
      "91=20"
      "=C3=91=20=C3=91=\r\n"
      "=20=C3=91;;;;\r\n"
      "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=91\r\nEND:VCARD\r\n";
  const std::optional<std::string> edited =
      edit(card, {{ContactProperty::FullName, "홍길동 홍길동 홍길동 홍길동"}});
  ASSERT_TRUE(edited);
  EXPECT_EQ(*edited,
            "BEGIN:VCARD\r\nVERSION:2.1\r\n"
            "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=91=20=C3=91=20=C3=91=20=C3=91=20=C3=91="
            "20=C3=91=20"
            "=C3=91=20=C3=91=\r\n"
            "=20=C3=91;;;;\r\n"
            "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=ED=99=8D=EA=B8=B8=EB=8F=99=20=ED=99=8D=EA="
            "B8=B8=EB=8F=99"
            "=20=ED=99=8D=\r\n"
            "=EA=B8=B8=EB=8F=99=20=ED=99=8D=EA=B8=B8=EB=8F=99\r\n"
            "END:VCARD\r\n");
  EXPECT_EQ(valueAfter(*edited, ContactProperty::FullName), "홍길동 홍길동 홍길동 홍길동");
}

TEST(EditCard, Version3FoldsAtTheCardsWidthWithoutSplittingACharacter) {
  const std::string card =
      "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:0123456789012345678901234567\r\n 89\r\nFN:x\r\n"
      "END:VCARD\r\n";
  const std::optional<std::string> edited =
      edit(card, {{ContactProperty::FullName, "가나다라마바사아자차카타"}});
  ASSERT_TRUE(edited);
  // Lines of at most 33 bytes; a 3-byte syllable is never cut.
  EXPECT_EQ(*edited,
            "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:0123456789012345678901234567\r\n 89\r\n"
            "FN:가나다라마바사아자차\r\n 카타\r\nEND:VCARD\r\n");
  EXPECT_EQ(valueAfter(*edited, ContactProperty::FullName), "가나다라마바사아자차카타");
}

TEST(EditCard, ACardThatLeavesLongLinesUnfoldedGetsNoFolding) {
  const std::string longAddress(90, 'a');
  const std::string card = "BEGIN:VCARD\r\r\nVERSION:3.0\r\r\nADR:;;" + longAddress +
                           ";;;;\r\r\nFN:x\r\r\nEND:VCARD\r\r\n";
  const std::string longName(80, 'n');
  EXPECT_EQ(edit(card, {{ContactProperty::FullName, longName}}),
            std::optional<std::string>("BEGIN:VCARD\r\r\nVERSION:3.0\r\r\nADR:;;" + longAddress +
                                       ";;;;\r\r\nFN:" + longName + "\r\r\nEND:VCARD\r\r\n"));
}

TEST(EditCard, Version3EscapesWhatItWrites) {
  const std::string card = "BEGIN:VCARD\nVERSION:3.0\nN:Doe;John;;;\nEND:VCARD\n";
  const std::optional<std::string> edited =
      edit(card, {{ContactProperty::LastName, "Doe, Jr; II"}});
  EXPECT_EQ(edited, std::optional<std::string>(
                        "BEGIN:VCARD\nVERSION:3.0\nN:Doe\\, Jr\\; II;John;;;\nEND:VCARD\n"));
  EXPECT_EQ(valueAfter(*edited, ContactProperty::LastName), "Doe, Jr; II");
  EXPECT_EQ(valueAfter(*edited, ContactProperty::FirstName), "John");
}

TEST(EditCard, TelUriKeepsItsExtension) {
  const std::string card =
      "BEGIN:VCARD\nVERSION:4.0\nTEL;VALUE=uri;TYPE=\"work,voice\";PREF=1:tel:+82-2-123-4567;ext="
      "102\n"
      "END:VCARD\n";
  EXPECT_EQ(
      edit(card, {{ContactProperty::BusinessTelephoneNumber, "02-123-4567"}}),
      std::optional<std::string>(
          "BEGIN:VCARD\nVERSION:4.0\nTEL;VALUE=uri;TYPE=\"work,voice\";PREF=1:tel:02-123-4567;"
          "ext=102\nEND:VCARD\n"));
}

TEST(EditCard, EmptiedTelephoneStaysAsAnEmptyLine) {
  const std::string card =
      "BEGIN:VCARD\nVERSION:3.0\nTEL;TYPE=HOME:1\nTEL;TYPE=HOME:2\nEND:VCARD\n";
  const std::optional<std::string> edited =
      edit(card, {{ContactProperty::HomeTelephoneNumber, ""}});
  // Removing the line would make the next HOME number the home number.
  EXPECT_EQ(edited, std::optional<std::string>(
                        "BEGIN:VCARD\nVERSION:3.0\nTEL;TYPE=HOME:\nTEL;TYPE=HOME:2\nEND:VCARD\n"));
  EXPECT_EQ(valueAfter(*edited, ContactProperty::HomeTelephoneNumber), "");
}

TEST(EditCard, EmptiedFileAsLosesItsLine) {
  const std::string card =
      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John\r\nX-EVOLUTION-FILE-AS:Doe\\, "
      "John\r\nEND:VCARD\r\n";
  EXPECT_EQ(
      edit(card, {{ContactProperty::FileAs, ""}}),
      std::optional<std::string>("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John\r\nEND:VCARD\r\n"));
}

TEST(EditCard, QuotedPrintableBecauseOfALineBreakIn21) {
  const std::string card = "BEGIN:VCARD\r\nVERSION:2.1\r\nTITLE:a\r\nEND:VCARD\r\n";
  EXPECT_EQ(edit(card, {{ContactProperty::JobTitle, "a\r\nb"}}),
            std::optional<std::string>("BEGIN:VCARD\r\nVERSION:2.1\r\nTITLE;ENCODING=QUOTED-"
                                       "PRINTABLE:a=0D=0Ab\r\nEND:VCARD\r\n"));
}

TEST(EditCard, MissingComponentsArePadded) {
  const std::string card = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Kim\r\nEND:VCARD\r\n";
  EXPECT_EQ(
      edit(card, {{ContactProperty::FirstName, "Chulsoo"}}),
      std::optional<std::string>("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Kim;Chulsoo\r\nEND:VCARD\r\n"));
}

// ---------------------------------------------------------------- lines the card lacks

struct NewLineRow {
  const char* name;
  std::string card;
  std::vector<PropertyWrite> writes;
  std::string expected;
};

class AddedLine : public ::testing::TestWithParam<NewLineRow> {};

TEST_P(AddedLine, LooksLikeItsNeighbours) {
  const NewLineRow& row = GetParam();
  const std::optional<std::string> edited = edit(row.card, row.writes);
  ASSERT_TRUE(edited);
  EXPECT_EQ(*edited, row.expected);
  for (const PropertyWrite& write : row.writes)
    EXPECT_EQ(valueAfter(*edited, write.property), write.value);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, AddedLine,
    ::testing::Values(
        NewLineRow{
            "FileAsAfterNInTheCardsCharsetAndEncoding",
            "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:=B1="
            "E8;"
            "=C3=B6=BC=F6\r\nFN:x\r\nEND:VCARD\r\n",
            {{ContactProperty::FileAs, "김철수(한빛)"}},
            "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:=B1="
            "E8;"
            "=C3=B6=BC=F6\r\nX-EVOLUTION-FILE-AS;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:"
            "=B1=E8=C3=B6=BC=F6(=C7=D1=BA=FB)\r\nFN:x\r\nEND:VCARD\r\n"},
        NewLineRow{"KoreanIntoAPlain21LineTakesTheCardsCharset",
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Kim;Chulsoo\r\nTITLE;CHARSET=ks_c_5601-1987:" +
                       cp949("과장") + "\r\nEND:VCARD\r\n",
                   {{ContactProperty::LastName, "김"}},
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ks_c_5601-1987:" + cp949("김") +
                       ";Chulsoo\r\nTITLE;CHARSET=ks_c_5601-1987:" + cp949("과장") +
                       "\r\nEND:VCARD\r\n"},
        NewLineRow{"OutlookBareTelephoneWithVoice",
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nTEL;WORK;VOICE:1\r\nEMAIL:a@b\r\nEND:VCARD\r\n",
                   {{ContactProperty::MobileTelephoneNumber, "010-1"}},
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nTEL;WORK;VOICE:1\r\nTEL;CELL;VOICE:010-"
                   "1\r\nEMAIL:a@b\r\n"
                   "END:VCARD\r\n"},
        NewLineRow{
            "IphoneRepeatedLowerCaseParameterName",
            "BEGIN:VCARD\r\r\nVERSION:3.0\r\r\nTEL;type=CELL;type=VOICE:1\r\r\nEND:VCARD\r\r\n",
            {{ContactProperty::BusinessFaxNumber, "02-2"}},
            "BEGIN:VCARD\r\r\nVERSION:3.0\r\r\nTEL;type=CELL;type=VOICE:1\r\r\n"
            "TEL;type=WORK;type=FAX:02-2\r\r\nEND:VCARD\r\r\n"},
        NewLineRow{"Version4TelUri",
                   "BEGIN:VCARD\nVERSION:4.0\nTEL;VALUE=uri;TYPE=\"home,voice\":tel:1\nEND:VCARD\n",
                   {{ContactProperty::BusinessFaxNumber, "02 2"}},
                   "BEGIN:VCARD\nVERSION:4.0\nTEL;VALUE=uri;TYPE=\"home,voice\":tel:1\n"
                   "TEL;VALUE=uri;TYPE=\"work,fax\":tel:02%202\nEND:VCARD\n"},
        NewLineRow{"NameWithFiveComponentsAfterVersion",
                   "BEGIN:VCARD\nVERSION:3.0\nEND:VCARD\n",
                   {{ContactProperty::LastName, ""}, {ContactProperty::FirstName, "길동"}},
                   "BEGIN:VCARD\nVERSION:3.0\nN:;길동;;;\nEND:VCARD\n"},
        NewLineRow{"ImplicitCp949CardStaysCp949",
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + cp949("홍;길동") + "\r\nEND:VCARD\r\n",
                   {{ContactProperty::FullName, "홍길동"}},
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + cp949("홍;길동") +
                       "\r\nFN:" + cp949("홍길동") + "\r\nEND:VCARD\r\n"}),
    RowName());

TEST(EditCard, AbsentPropertiesWrittenEmptyAddNothing) {
  const std::string card = "BEGIN:VCARD\nVERSION:3.0\nFN:x\nEND:VCARD\n";
  EXPECT_EQ(edit(card, {{ContactProperty::HomeTelephoneNumber, ""},
                        {ContactProperty::FileAs, ""},
                        {ContactProperty::LastName, ""}}),
            std::nullopt);
}

TEST(EditCard, OneLineTakenByTwoPropertiesTakesTheLastWrite) {
  const std::string card = "BEGIN:VCARD\nVERSION:3.0\nTEL;TYPE=WORK,CELL:1\nEND:VCARD\n";
  const std::optional<std::string> edited =
      edit(card, {{ContactProperty::MobileTelephoneNumber, "2"},
                  {ContactProperty::BusinessTelephoneNumber, "3"}});
  EXPECT_EQ(edited, std::optional<std::string>(
                        "BEGIN:VCARD\nVERSION:3.0\nTEL;TYPE=WORK,CELL:3\nEND:VCARD\n"));
}

}  // namespace
}  // namespace borvanta::vcard
