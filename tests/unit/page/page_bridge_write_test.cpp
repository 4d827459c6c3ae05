// Writing into the page through the bridge: log lines below the log element,
// newest first, and the width of the progress image.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp949.h"
#include "page/memory_document.h"
#include "page/page_bridge.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/job_harness.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

using Lines = std::vector<std::string>;

Ref<MemoryDocument> pageWithProgress(std::int32_t width) {
  Ref<MemoryDocument> page = makeRef<MemoryDocument>();
  page->addElement("idLog");
  page->addImage("idProgress", width);
  return page;
}

class PageWriting : public testing::Test {
 protected:
  PageWriting() {
    bridge.setDocument(page);
    bridge.attach();
  }

  testing_support::FakeMessageLoop loop;
  PageBridge bridge{loop};
  Ref<MemoryDocument> page = pageWithProgress(300);
};

TEST_F(PageWriting, LinesAppearNewestFirstEachFollowedByALineBreak) {
  bridge.appendLog("A");
  bridge.appendLog("B");
  bridge.appendLog("C");
  EXPECT_EQ(page->insertedAfter("idLog"), (Lines{"C<BR>", "B<BR>", "A<BR>"}));
}

TEST_F(PageWriting, ALineIsInsertedAsHtmlWithoutEscaping) {
  bridge.appendLog("<B>x & y</B> <b>x</b>");
  EXPECT_EQ(page->insertedAfter("idLog"), (Lines{"<B>x & y</B> <b>x</b><BR>"}));
}

TEST_F(PageWriting, AnEmptyLineIsAnEmptyLineBreak) {
  bridge.appendLog("");
  EXPECT_EQ(page->insertedAfter("idLog"), (Lines{"<BR>"}));
}

TEST_F(PageWriting, KoreanLinesReachThePageAsUtf8) {
  bridge.appendLog(cp949("<B>전화번호 정리 시작</B>"));
  bridge.appendLog(cp949("갱신 (남궁민수 -> 남궁,민수)"));
  EXPECT_EQ(page->insertedAfter("idLog"),
            (Lines{"갱신 (남궁민수 -> 남궁,민수)<BR>", "<B>전화번호 정리 시작</B><BR>"}));
}

TEST_F(PageWriting, ALineEndsAtItsFirstNulCharacter) {
  bridge.appendLog(std::string("A\0B", 3));
  EXPECT_EQ(page->insertedAfter("idLog"), (Lines{"A<BR>"}));
}

TEST_F(PageWriting, LinesOfALaterRunStayBelowItsOwn) {
  bridge.appendLog("run 1");
  bridge.attach();
  bridge.appendLog("run 2");
  EXPECT_EQ(page->insertedAfter("idLog"), (Lines{"run 2<BR>", "run 1<BR>"}));
}

TEST_F(PageWriting, ARefusingPageLosesLinesAndWidthsAndTheBridgeGoesOn) {
  bridge.appendLog("A");
  page->refuseChanges(true);
  bridge.appendLog("B");
  bridge.setProgress(40);
  page->refuseChanges(false);
  bridge.appendLog("C");
  bridge.setProgress(50);
  EXPECT_EQ(page->insertedAfter("idLog"), (Lines{"C<BR>", "A<BR>"}));
  EXPECT_EQ(page->widthHistory("idProgress"), std::vector<std::int32_t>{150});
}

// setProgress: percent / 100.0 * fullWidth in double precision, truncated.
struct ProgressCase {
  const char* name;
  std::int32_t fullWidth;
  std::int32_t percent;
  std::int32_t width;
};

class Progress : public testing::TestWithParam<ProgressCase> {};

TEST_P(Progress, SetsTheTruncatedShareOfTheFullWidth) {
  const ProgressCase& row = GetParam();
  testing_support::FakeMessageLoop loop;
  PageBridge bridge(loop);
  Ref<MemoryDocument> page = pageWithProgress(row.fullWidth);
  bridge.setDocument(page);
  bridge.attach();
  bridge.setProgress(row.percent);
  EXPECT_EQ(page->imageWidth("idProgress"), row.width);
  EXPECT_EQ(bridge.fullWidth(), row.fullWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Progress,
    testing::Values(ProgressCase{"FortyOf300", 300, 40, 120},
                    ProgressCase{"AllOf300", 300, 100, 300}, ProgressCase{"NoneOf300", 300, 0, 0},
                    // 29 / 100.0 * 100 is just below 29 in double precision.
                    ProgressCase{"TwentyNineOf100", 100, 29, 28},
                    ProgressCase{"FiftySevenOf100", 100, 57, 56},
                    ProgressCase{"HalfOfAnOddWidth", 425, 50, 212},
                    ProgressCase{"TenOfSeven", 7, 10, 0},
                    ProgressCase{"AllOfAnOddWidth", 387, 100, 387},
                    ProgressCase{"AllOfTheLargestWidth", INT32_MAX, 100, INT32_MAX},
                    ProgressCase{"AnyOfZero", 0, 60, 0}),
    testing_support::RowName());

TEST(ProgressWidth, ANarrowerImageBecomesTheFullWidthAtTheNextAttach) {
  testing_support::FakeMessageLoop loop;
  PageBridge bridge(loop);
  Ref<MemoryDocument> page = pageWithProgress(300);
  bridge.setDocument(page);
  bridge.attach();
  bridge.setProgress(40);  // a run that ends early leaves the bar at 120
  bridge.attach();
  EXPECT_EQ(bridge.fullWidth(), 120);
  bridge.setProgress(50);
  bridge.setProgress(100);
  EXPECT_EQ(page->widthHistory("idProgress"), (std::vector<std::int32_t>{120, 60, 120}));
}

TEST(ProgressWidth, TheFullWidthIsTakenFromTheDocumentOfTheRun) {
  testing_support::FakeMessageLoop loop;
  PageBridge bridge(loop);
  Ref<MemoryDocument> first = pageWithProgress(300);
  Ref<MemoryDocument> second = pageWithProgress(200);
  bridge.setDocument(first);
  bridge.attach();
  bridge.setDocument(second);
  bridge.attach();
  bridge.setProgress(50);
  bridge.appendLog("A");
  EXPECT_EQ(second->imageWidth("idProgress"), 100);
  EXPECT_EQ(first->imageWidth("idProgress"), 300);
  EXPECT_TRUE(first->insertedAfter("idLog").empty());
  EXPECT_EQ(second->insertedAfter("idLog"), (Lines{"A<BR>"}));
}

// A whole run on a page that takes no line and no width still does its work.
TEST(RefusingPage, TheRunGoesOnToItsEnd) {
  PageSettings settings;
  settings.resetNumber = true;
  testing_support::JobHarness h(settings);
  for (int i = 0; i < 25; ++i) {
    h.outlook.addContact({{om::ContactProperty::MobileTelephoneNumber, u"01012345678"}});
  }
  h.document->refuseChanges(true);
  EXPECT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_TRUE(h.log().empty());
  EXPECT_TRUE(h.progress().empty());
  EXPECT_EQ(h.document->imageWidth("idProgress"), settings.progressWidth);
  EXPECT_EQ(h.outlook.entry(24).value(om::ContactProperty::MobileTelephoneNumber),
            u"010-1234-5678");
}

}  // namespace
}  // namespace borvanta
