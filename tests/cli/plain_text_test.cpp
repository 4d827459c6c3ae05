// Log lines as the command line prints them: markup gone, references
// decoded, one line each.

#include "cli/plain_text.h"

#include <gtest/gtest.h>

#include "tests/support/named_rows.h"

namespace borvanta::cli {
namespace {

struct PlainCase {
  const char* name;
  std::string html;
  std::string plain;
};

class PlainLogLine : public testing::TestWithParam<PlainCase> {};

TEST_P(PlainLogLine, ShowsTheTextOnly) {
  EXPECT_EQ(plainLogLine(GetParam().html), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlainLogLine,
    testing::Values(
        PlainCase{"BoldLineWithBreak", "<B>전화번호 정리 시작</B><BR>", "전화번호 정리 시작"},
        PlainCase{"NestedMarkup", "<B><FONT COLOR=BLUE>완료하였습니다!</FONT></B><BR>",
                  "완료하였습니다!"},
        PlainCase{"LowerCaseBreak", "3 개<br>", "3 개"},
        PlainCase{"SelfClosingBreak", "3 개<br/>", "3 개"},
        PlainCase{"EscapedMarkupInAName", "냅둠 (&lt;b&gt;x&lt;/b&gt;)<BR>", "냅둠 (<b>x</b>)"},
        PlainCase{"EscapedAmpersandIsDecodedOnce", "&amp;lt;", "&lt;"},
        PlainCase{"QuotesAndApostrophes", "&quot;a&quot; &#39;b&#39; &apos;c&apos;",
                  "\"a\" 'b' 'c'"},
        PlainCase{"DecimalAndHexReferences", "&#54620;&#xAE00;&#Xae00;", "한글글"},
        PlainCase{"NoBreakSpace", "a&nbsp;b", "a\u00A0b"},
        PlainCase{"UnknownReferenceStays", "&copy; &bogus;", "&copy; &bogus;"},
        PlainCase{"AmpersandWithoutSemicolon", "A & B &amp C", "A & B &amp C"},
        PlainCase{"ReferenceToNothingIsReplaced", "&#0;&#xD800;&#1114112;", "\uFFFD\uFFFD\uFFFD"},
        PlainCase{"EmptyNumericReferenceStays", "&#; &#x;", "&#; &#x;"},
        PlainCase{"LessThanNotStartingATag", "1 < 2 <3", "1 < 2 <3"},
        PlainCase{"BreakInsideTheLineIsASpace", "a<BR>b<BR>", "a b"},
        PlainCase{"OnlyTheFinalBreaksAreDropped", "<BR>a<BR><BR>", " a"},
        PlainCase{"UnfinishedTagShowsNothing", "a<B b", "a"},
        PlainCase{"CommentIsDropped", "a<!-- x -->b", "ab"},
        PlainCase{"NewlineAndEscapeBecomeSpaces", "a\nb\x1b[31mc\r", "a b [31mc "},
        PlainCase{"ReferencedControlBecomesASpace", "a&#10;b&#x1B;c&#155;d", "a b c d"},
        PlainCase{"RawC1ControlBecomesASpace",
                  "a\xC2\x9B"
                  "b",
                  "a b"},
        PlainCase{"ContinuationBytesInTheC1RangeStay", "가뀌¢", "가뀌¢"},
        PlainCase{"Empty", "", ""}),
    testing_support::RowName());

TEST(Printable, KeepsTextAndTurnsControlsIntoSpaces) {
  EXPECT_EQ(printable("<b>x</b> &amp; 김철수"), "<b>x</b> &amp; 김철수");
  EXPECT_EQ(printable("a\nb\tc\x7f"
                      "d"),
            "a b c d");
}

}  // namespace
}  // namespace borvanta::cli
