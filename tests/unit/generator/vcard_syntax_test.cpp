#include "tools/generator/vcard_syntax.h"

#include <gtest/gtest.h>

#include "tests/support/named_rows.h"
#include "tools/generator/photo.h"
#include "tools/generator/random.h"

namespace borvanta::generator {
namespace {

struct SyntaxCase {
  const char* name;
  std::string head;
  std::string input;
  std::string expected;
};

class QuotedPrintable : public testing::TestWithParam<SyntaxCase> {};

TEST_P(QuotedPrintable, EncodesAndBreaksAt76Columns) {
  std::string out;
  appendQuotedPrintable(out, GetParam().head, GetParam().input);
  EXPECT_EQ(out, GetParam().expected);
}

// 김철수 is B1E8 C3B6 BCF6 in code page 949.
INSTANTIATE_TEST_SUITE_P(
    Table, QuotedPrintable,
    testing::Values(SyntaxCase{"EightBitBytes", "N:", "\xB1\xE8;\xC3\xB6\xBC\xF6",
                               "N:=B1=E8;=C3=B6=BC=F6\r\n"},
                    SyntaxCase{"EqualsSignEncoded", "NOTE:", "a=b", "NOTE:a=3Db\r\n"},
                    SyntaxCase{"LineFeedAsCrlf", "NOTE:", "a\nb", "NOTE:a=0D=0Ab\r\n"},
                    SyntaxCase{"InnerSpaceStays", "FN:", "\xB1\xE8 x", "FN:=B1=E8 x\r\n"},
                    SyntaxCase{"TrailingSpaceEncoded", "FN:", "x ", "FN:x=20\r\n"},
                    SyntaxCase{"TrailingTabEncoded", "FN:", "x\t", "FN:x=09\r\n"},
                    // After 71 columns of head and one escape, the last escape would make 77.
                    SyntaxCase{"SoftBreakBeforeEscapeThatWouldPass76", std::string(71, 'H'),
                               "\xB1\xE8", std::string(71, 'H') + "=B1=\r\n=E8\r\n"},
                    SyntaxCase{"LastEscapeMayFill76", std::string(73, 'H'), "\xB1",
                               std::string(73, 'H') + "=B1\r\n"},
                    // A space that would end a line before a soft break is written =20.
                    SyntaxCase{"BlankBeforeSoftBreak", std::string(72, 'H'), " \xB1\xE8",
                               std::string(72, 'H') + "=20=\r\n=B1=E8\r\n"},
                    SyntaxCase{"Empty", "N:", "", "N:\r\n"}),
    testing_support::RowName());

class Folding : public testing::TestWithParam<SyntaxCase> {};

TEST_P(Folding, FoldsAt75OctetsOnCharacterBoundaries) {
  std::string out;
  appendFolded(out, GetParam().input);
  EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Folding,
    testing::Values(
        SyntaxCase{"Short", "", "FN:x", "FN:x\r\n"},
        SyntaxCase{"Exactly75", "", std::string(75, 'a'), std::string(75, 'a') + "\r\n"},
        SyntaxCase{"Ascii76", "", std::string(76, 'a'), std::string(75, 'a') + "\r\n a\r\n"},
        // 74 ASCII octets, then 김 (3 octets) cannot be cut after one octet.
        SyntaxCase{"Utf8NotCut", "", std::string(74, 'a') + "김",
                   std::string(74, 'a') + "\r\n 김\r\n"},
        // A continuation holds 74 octets after its space.
        SyntaxCase{"SecondFold", "", std::string(75 + 75, 'a'),
                   std::string(75, 'a') + "\r\n " + std::string(74, 'a') + "\r\n a\r\n"}),
    testing_support::RowName());

TEST(Escapes, Version30EscapesTextSeparators) {
  EXPECT_EQ(escapeText30("a,b;c\\d\ne"), "a\\,b\\;c\\\\d\\ne");
}

TEST(Escapes, Version21EscapesOnlySemicolons) {
  EXPECT_EQ(escapeComponent21("Acme; Co., Ltd."), "Acme\\; Co., Ltd.");
}

TEST(IndentedBase64, IndentsEveryLineAndEndsWithAnEmptyLine) {
  std::string out;
  appendIndentedBase64(out, "PHOTO;ENCODING=BASE64:", std::string(80, 'A'));
  EXPECT_EQ(out, "PHOTO;ENCODING=BASE64:\r\n " + std::string(72, 'A') + "\r\n " +
                     std::string(8, 'A') + "\r\n\r\n");
}

TEST(Base64, MatchesTheStandardAlphabetAndPadding) {
  EXPECT_EQ(base64(""), "");
  EXPECT_EQ(base64("f"), "Zg==");
  EXPECT_EQ(base64("fo"), "Zm8=");
  EXPECT_EQ(base64("foo"), "Zm9v");
  EXPECT_EQ(base64(std::string("\xFF\xFE\x00", 3)), "//4A");
}

TEST(Photo, IsAPngWithItsChunks) {
  Random random(7);
  const std::string png = makePhoto(random);
  ASSERT_GT(png.size(), 60U);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_NE(png.find("IDAT"), std::string::npos);
  EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
}

}  // namespace
}  // namespace borvanta::generator
