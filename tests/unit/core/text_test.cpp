#include "core/text.h"

#include <gtest/gtest.h>

#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

TEST(FormatText, NothingIsCutOffAroundEveryBufferSize) {
  // The working buffer holds 1023 characters, then 2047, 4095, ...
  for (const std::size_t length : {0u, 1u, 1022u, 1023u, 1024u, 2047u, 2048u, 4096u, 100000u}) {
    const std::string argument(length, 'x');
    const std::string result = formatText("[%s]", argument.c_str());
    ASSERT_EQ(result.size(), length + 2) << length;
    EXPECT_EQ(result, "[" + argument + "]");
  }
}

TEST(FormatText, FormatsNumbersAndTreatsNullFormatAsEmpty) {
  EXPECT_EQ(formatText("%d 개", -12), "-12 개");
  EXPECT_EQ(formatText(nullptr), "");
}

struct ReplaceCase {
  const char* name;
  const char* source;
  const char* pattern;
  const char* replacement;
  const char* expected;
};

class ReplaceAll : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(replaceAll(c.source, c.pattern, c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceAll,
    testing::Values(ReplaceCase{"NoOccurrence", "abc", "x", "y", "abc"},
                    ReplaceCase{"Every", "a/b/c", "/", "-", "a-b-c"},
                    ReplaceCase{"NonOverlapping", "aaaa", "aa", "b", "bb"},
                    // The inserted ")" is not searched again by the same call.
                    ReplaceCase{"NoRescanOfInsertion", "----)", "--)", ")", "--)"},
                    ReplaceCase{"ReplacementHoldsPattern", "ab", "a", "aa", "aab"},
                    ReplaceCase{"ToNothing", "(/)x(/)", "(/)", "", "x"},
                    ReplaceCase{"Empty", "", "a", "b", ""}),
    testing_support::RowName());

TEST(Trimmed, RemovesExactlyTheSixWhiteSpaceCharacters) {
  EXPECT_EQ(trimmed(" \t\r\n\v\fa b\f\v\n\r\t "), "a b");
  EXPECT_EQ(trimmed("   "), "");
  EXPECT_EQ(trimmed(""), "");
  // A no-break space (A0 in many code pages) and NUL are not white space here.
  EXPECT_EQ(trimmed("\xA0x\xA0"), "\xA0x\xA0");
  EXPECT_EQ(trimmed(std::string_view("\0x", 2)), std::string_view("\0x", 2));
}

TEST(HtmlEscape, MarkupBecomesText) {
  EXPECT_EQ(htmlEscape("<img src=x onerror=alert(1)>"), "&lt;img src=x onerror=alert(1)&gt;");
  EXPECT_EQ(htmlEscape("a&b\"c'd"), "a&amp;b&quot;c&#39;d");
  EXPECT_EQ(htmlEscape("\xB1\xE8"), "\xB1\xE8");
}

}  // namespace
}  // namespace borvanta
