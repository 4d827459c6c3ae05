// Values: character sets (every Korean name of code page 949), transfer
// encodings, escapes, tel: URIs, and the eleven contact properties read from
// cards in the shapes real programs write.

#include <gtest/gtest.h>

#include <string>

#include "backends/vcard/card_parser.h"
#include "backends/vcard/charset.h"
#include "backends/vcard/codec.h"
#include "backends/vcard/line_value.h"
#include "backends/vcard/property_map.h"
#include "backends/vcard/vcard_error.h"
#include "core/cp949.h"
#include "tests/support/named_rows.h"

namespace borvanta::vcard {
namespace {

using om::ContactProperty;
using testing_support::RowName;

// "뷁" and "똠" are syllables only CP949 holds; EUC-KR lacks them.
const std::string kCp949Only = cp949("뷁똠");

TEST(Charset, EveryKoreanNameReadsAsCp949) {
  for (const char* name :
       {"ks_c_5601-1987", "KS_C_5601-1989", "euc-kr", "CP949", "uhc", "windows-949"}) {
    const std::optional<Charset> charset = charsetNamed(name);
    ASSERT_TRUE(charset) << name;
    EXPECT_EQ(charset->kind, CharsetKind::Cp949) << name;
    EXPECT_EQ(toUtf8(kCp949Only, *charset), std::optional<std::string>("뷁똠")) << name;
  }
}

TEST(Charset, UnknownAndUnsafeSetsAreNotRead) {
  EXPECT_FALSE(charsetNamed("x-unknown"));
  EXPECT_FALSE(charsetNamed("Shift_JIS"));  // its second bytes can be '\'
  ASSERT_TRUE(charsetNamed("iso-8859-1"));
  EXPECT_EQ(toUtf8("caf\xE9", *charsetNamed("ISO-8859-1")), std::optional<std::string>("café"));
}

TEST(Charset, InvalidBytesAreRefusedNotReplaced) {
  const Charset cp949Set{CharsetKind::Cp949, {}};
  EXPECT_FALSE(toUtf8("\xC8", cp949Set));  // a lead byte with nothing after it
  EXPECT_FALSE(toUtf8("\xC3\x28", Charset{}));
  EXPECT_FALSE(fromUtf8("😀", cp949Set));
  EXPECT_FALSE(fromUtf8("한", Charset{CharsetKind::Ascii, {}}));
  EXPECT_EQ(fromUtf8("뷁", cp949Set), std::optional<std::string>(cp949("뷁")));
}

TEST(Charset, AValueThatNamesNoneIsGuessed) {
  EXPECT_EQ(guessCharset("홍길동")->kind, CharsetKind::Utf8);
  EXPECT_EQ(guessCharset(cp949("홍길동"))->kind, CharsetKind::Cp949);
  EXPECT_FALSE(guessCharset("\xFF\xFF\xFF"));
}

TEST(QuotedPrintable, DecodesAndEncodes) {
  EXPECT_EQ(decodeQuotedPrintable("=C8=ab a=3D="), std::optional<std::string>("\xC8\xAB a="));
  EXPECT_FALSE(decodeQuotedPrintable("=G1"));
  EXPECT_FALSE(decodeQuotedPrintable("ab=C"));
  EXPECT_EQ(encodeQuotedPrintable("a b=\r\n\xC8 ", false), "a b=3D=0D=0A=C8=20");
  EXPECT_EQ(encodeQuotedPrintable("a b", true), "a=20b");
}

TEST(Base64, RoundTrips) {
  for (const std::string bytes : {"", "a", "ab", "abc", "\xC8\xAB\xB1\xE6"}) {
    EXPECT_EQ(decodeBase64(encodeBase64(bytes)), std::optional<std::string>(bytes));
  }
  EXPECT_EQ(decodeBase64("YW\r\n Jj"), std::optional<std::string>("abc"));
  EXPECT_FALSE(decodeBase64("YW*j"));
}

struct EscapeRow {
  const char* name;
  Version version;
  std::string escaped;
  std::string text;
};

class Escapes : public ::testing::TestWithParam<EscapeRow> {};

TEST_P(Escapes, Unescape) {
  EXPECT_EQ(unescapeText(GetParam().escaped, GetParam().version), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Text, Escapes,
    ::testing::Values(
        EscapeRow{"Version3", Version::V30, R"(a\, b\; c\\ d\n e\N)", "a, b; c\\ d\n e\n"},
        EscapeRow{"UnknownEscapeStays", Version::V40, R"(http\://x)", R"(http\://x)"},
        EscapeRow{"Version21OnlySemicolon", Version::V21, R"(a\;b\,c\nd)", R"(a;b\,c\nd)"},
        EscapeRow{"TrailingBackslash", Version::V30, "a\\", "a\\"}),
    RowName());

TEST(Escapes, EscapeIsTheInverse) {
  const std::string text = "Kim, Lee; Park\\Choi\nnext";
  EXPECT_EQ(unescapeText(escapeText(text, Version::V30, true), Version::V30), text);
  EXPECT_EQ(escapeText("a;b,c", Version::V21, true), "a\\;b,c");
  EXPECT_EQ(escapeText("a;b,c", Version::V21, false), "a;b,c");
  EXPECT_EQ(escapeText("a\r\nb", Version::V40, false), "a\\nb");
}

TEST(Components, SplitOnlyAtUnescapedSemicolons) {
  EXPECT_EQ(splitComponents("Doe;John;Richter\\; James;;"),
            (std::vector<std::string_view>{"Doe", "John", "Richter\\; James", "", ""}));
  EXPECT_EQ(splitComponents(""), (std::vector<std::string_view>{""}));
}

TEST(TelUri, KeepsWhatFollowsTheNumber) {
  const TelUri uri = parseTelUri("tel:+82-10%201234;ext=5");
  EXPECT_EQ(uri.number, "+82-10 1234");
  EXPECT_EQ(uri.parameters, ";ext=5");
  EXPECT_EQ(makeTelUri("010-1234 5678", ";ext=5"), "tel:010-1234%205678;ext=5");
}

// ---------------------------------------------------------------- properties

struct CardRow {
  const char* name;
  std::string card;
  ContactProperty property;
  std::string value;
};

class ReadProperty : public ::testing::TestWithParam<CardRow> {};

TEST_P(ReadProperty, FromTheShapeProgramsWrite) {
  const ParsedCard card = parseCard(GetParam().card, 1);
  EXPECT_EQ(readValues(card)[indexOf(GetParam().property)], GetParam().value);
}

std::string v21(const std::string& lines) {
  return "BEGIN:VCARD\r\nVERSION:2.1\r\n" + lines + "END:VCARD\r\n";
}
std::string v30(const std::string& lines) {
  return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + lines + "END:VCARD\r\n";
}
std::string v40(const std::string& lines) {
  return "BEGIN:VCARD\nVERSION:4.0\n" + lines + "END:VCARD\n";
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ReadProperty,
    ::testing::Values(
        CardRow{"OutlookQuotedPrintableKorean",
                v21("N;LANGUAGE=ko;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:=C8=AB;=B1=E6="
                    "B5=BF;;;\r\n"),
                ContactProperty::FirstName, "길동"},
        CardRow{"OutlookFamilyName",
                v21("N;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:=C8=AB;=B1=E6=B5=BF\r\n"),
                ContactProperty::LastName, "홍"},
        CardRow{"Cp949OnlySyllableDeclaredEucKr",
                v21("FN;CHARSET=euc-kr:" + cp949("뷁똠") + "\r\n"), ContactProperty::FullName,
                "뷁똠"},
        CardRow{"RawCp949WithoutCharset", v30("FN:" + cp949("홍길동") + "\r\n"),
                ContactProperty::FullName, "홍길동"},
        CardRow{
            "AndroidUtf8QuotedPrintableSoftBreak",
            v21("FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=ED=99=8D=EA=B8=B8=\r\n=EB=8F=99\r\n"),
            ContactProperty::FullName, "홍길동"},
        CardRow{"EscapedCommaInName", v30("N:Doe;John;Richter\\, James;Mr.;Sr.\r\n"),
                ContactProperty::FirstName, "John"},
        CardRow{"OrgDepartment", v30("ORG:IBM;Accounting;Dungeon\r\n"), ContactProperty::Department,
                "Accounting"},
        CardRow{"OrgWithCommaIn21", v21("ORG:Company, The;Dept\r\n"), ContactProperty::CompanyName,
                "Company, The"},
        CardRow{"Title", v30("TITLE:Money Counter\r\n"), ContactProperty::JobTitle,
                "Money Counter"},
        CardRow{"EvolutionFileAs", v30("X-EVOLUTION-FILE-AS:Doe\\, John\r\n"),
                ContactProperty::FileAs, "Doe, John"},
        CardRow{"BareCellOf21", v21("TEL;CELL;VOICE:010-1\r\n"),
                ContactProperty::MobileTelephoneNumber, "010-1"},
        CardRow{"GoogleGroupedTelIsNoMobile", v30("item1.TEL:1\r\nTEL;TYPE=CELL:2\r\n"),
                ContactProperty::MobileTelephoneNumber, "2"},
        CardRow{"IphoneRepeatedTypes",
                v30("TEL;type=HOME;type=FAX:1\r\nTEL;type=HOME;type=VOICE:2\r\n"),
                ContactProperty::HomeTelephoneNumber, "2"},
        CardRow{"HomeFaxIsNoHomePhone", v30("TEL;TYPE=HOME,FAX:1\r\n"),
                ContactProperty::HomeTelephoneNumber, ""},
        CardRow{"BusinessFaxNeedsWork", v30("TEL;TYPE=FAX:1\r\nTEL;TYPE=WORK,FAX:2\r\n"),
                ContactProperty::BusinessFaxNumber, "2"},
        CardRow{"BusinessPhoneIsNoFax", v30("TEL;TYPE=WORK,FAX:1\r\nTEL;TYPE=WORK,VOICE:2\r\n"),
                ContactProperty::BusinessTelephoneNumber, "2"},
        CardRow{"TelUriOf40", v40("TEL;VALUE=uri;TYPE=\"work,cell\":tel:+82-10-1234-5678;ext=9\n"),
                ContactProperty::MobileTelephoneNumber, "+82-10-1234-5678"},
        CardRow{"TelTextOf40", v40("TEL;TYPE=home,voice:02-555-1111\n"),
                ContactProperty::HomeTelephoneNumber, "02-555-1111"},
        CardRow{"Base64Text", v30("FN;ENCODING=b;CHARSET=UTF-8:7ZmN6ri464+Z\r\n"),
                ContactProperty::FullName, "홍길동"},
        CardRow{"AbsentIsEmpty", v30("FN:x\r\n"), ContactProperty::FileAs, ""},
        CardRow{"EmbeddedCardIsNotRead",
                v21("AGENT:\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nFN:Agent\r\nEND:VCARD\r\n"),
                ContactProperty::FullName, ""}),
    RowName());

struct UnreadableRow {
  const char* name;
  std::string card;
  std::size_t line;
};

class UnreadableProperty : public ::testing::TestWithParam<UnreadableRow> {};

TEST_P(UnreadableProperty, IsRefusedAtItsLine) {
  const ParsedCard card = parseCard(GetParam().card, 1);
  try {
    (void)readValues(card);
    FAIL() << "read";
  } catch (const SyntaxError& error) {
    EXPECT_EQ(error.line(), GetParam().line) << error.reason();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Refused, UnreadableProperty,
    ::testing::Values(UnreadableRow{"UnknownCharset", v21("FN;CHARSET=x-mac-korean:abc\r\n"), 3},
                      UnreadableRow{"BytesNotInTheCharset", v21("N;CHARSET=UTF-8:\xB1\xE6;\r\n"),
                                    3},
                      UnreadableRow{"NeitherUtf8NorCp949", v30("TITLE:\xFF\xFE\r\n"), 3},
                      UnreadableRow{"BrokenQuotedPrintable",
                                    v21("FN:x\r\nTEL;CELL;ENCODING=QUOTED-PRINTABLE:=Z1\r\n"), 4},
                      UnreadableRow{"UnknownEncoding", v30("FN;ENCODING=x-zip:abc\r\n"), 3}),
    RowName());

TEST(GroupCard, ListsAreItemsButNotContacts) {
  EXPECT_TRUE(isGroupCard(parseCard(v40("KIND:group\nFN:Team\n"), 1)));
  EXPECT_TRUE(isGroupCard(parseCard(v30("X-ADDRESSBOOKSERVER-KIND:group\r\n"), 1)));
  EXPECT_TRUE(isGroupCard(parseCard(v30("X-EVOLUTION-LIST:TRUE\r\n"), 1)));
  EXPECT_FALSE(isGroupCard(parseCard(v40("KIND:individual\n"), 1)));
  EXPECT_FALSE(isGroupCard(parseCard(v30("X-EVOLUTION-LIST:FALSE\r\n"), 1)));
}

TEST(ContactLabel, NamesTheContact) {
  ContactValues values;
  values[indexOf(ContactProperty::CompanyName)] = "Acme";
  EXPECT_EQ(contactLabel(values), "Acme");
  values[indexOf(ContactProperty::LastName)] = "홍";
  values[indexOf(ContactProperty::FirstName)] = "길동";
  EXPECT_EQ(contactLabel(values), "홍길동");
  values[indexOf(ContactProperty::FullName)] = "Mr. Hong";
  EXPECT_EQ(contactLabel(values), "Mr. Hong");
}

}  // namespace
}  // namespace borvanta::vcard
