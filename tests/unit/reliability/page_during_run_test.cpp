// What the page does while a run pumps its messages: it stops taking log
// lines and widths, or it sends another start request. Neither may change
// what the run writes to the contacts.

#include <gtest/gtest.h>

#include "tests/unit/reliability/folders.h"

namespace borvanta::testing_support {
namespace {

using Strings = std::vector<std::string>;

const char* const kAlreadyRunning = "<B>이미 정리가 진행 중입니다. 끝난 뒤에 다시 시작하세요.</B>";
const char* const kFinal = "<B><FONT COLOR=BLUE>완료하였습니다!</FONT></B>";

// The events that are not pumps.
std::vector<PageEvent> withoutPumps(const std::vector<PageEvent>& events) {
  std::vector<PageEvent> kept;
  for (const PageEvent& event : events) {
    if (event.what != "pump") kept.push_back(event);
  }
  return kept;
}

class PageDuringRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(uncut_.run(), RunOutcome::Completed);
    pumps_ = uncut_.h.loop.dispatches;
    // Two in the load and in each pass but name separation, where only the
    // names that split count and reach ten once.
    ASSERT_EQ(pumps_, 2 + 1 + 2 * 4);
  }

  // The uncut run's page events up to and including its n-th pump.
  [[nodiscard]] std::vector<PageEvent> uncutThroughPump(int n) const {
    std::vector<PageEvent> through;
    int seen = 0;
    for (const PageEvent& event : uncut_.events) {
      if (seen == n) break;
      through.push_back(event);
      if (event.what == "pump") ++seen;
    }
    return through;
  }

  const std::vector<ContactValues> folder_ = mixedFolder();
  WatchedRun uncut_{allPassesOffered(), folder_};
  int pumps_ = 0;
};

TEST_F(PageDuringRun, RefusalFromAnyPumpOnLosesOnlyWhatThePageShows) {
  for (int from = 1; from <= pumps_; ++from) {
    SCOPED_TRACE("the page refuses from pump " + std::to_string(from));
    WatchedRun run(allPassesOffered(), folder_);
    int pump = 0;
    run.h.loop.onDispatch = [&] {
      run.events.push_back({"pump", run.h.outlook.calls().size()});
      if (++pump == from) run.h.document->refuseChanges(true);
    };
    ASSERT_EQ(run.run(), RunOutcome::Completed);
    EXPECT_TRUE(run.h.owner.boxes.empty());
    // Every write and save happened as in the uncut run.
    EXPECT_EQ(run.h.outlook.calls(), uncut_.h.outlook.calls());
    EXPECT_EQ(run.storedContacts(), uncut_.storedContacts());
    // The page kept what it took before it refused, and nothing after.
    EXPECT_EQ(withoutPumps(run.events), withoutPumps(uncutThroughPump(from)));
    EXPECT_EQ(run.h.loop.dispatches, pumps_);

    // Once the page takes changes again, the next run shows everything.
    run.h.document->refuseChanges(false);
    const std::size_t first = run.events.size();
    ASSERT_EQ(run.run(), RunOutcome::Completed);
    EXPECT_EQ(run.logLines(first).back(), kFinal);
  }
}

TEST_F(PageDuringRun, RefusalThatComesAndGoesLosesOnlyTheRefusedLines) {
  WatchedRun run(allPassesOffered(), folder_);
  bool refusing = false;
  run.h.loop.onDispatch = [&] {
    refusing = !refusing;
    run.h.document->refuseChanges(refusing);
  };
  ASSERT_EQ(run.run(), RunOutcome::Completed);
  EXPECT_EQ(run.storedContacts(), uncut_.storedContacts());
  // Every line the page took is a line of the uncut run, in the same order.
  const Strings all = uncut_.logLines();
  const Strings taken = run.logLines();
  EXPECT_LT(taken.size(), all.size());
  auto next = all.begin();
  for (const std::string& line : taken) {
    next = std::find(next, all.end(), line);
    ASSERT_NE(next, all.end()) << line;
    ++next;
  }
}

TEST_F(PageDuringRun, StartRequestAtEveryPumpIsRefusedAndChangesNothing) {
  WatchedRun run(allPassesOffered(), folder_);
  std::vector<RunOutcome> nested;
  run.h.loop.onDispatch = [&] {
    run.events.push_back({"pump", run.h.outlook.calls().size()});
    nested.push_back(run.h.job.run(run.h.owner));
  };
  ASSERT_EQ(run.run(), RunOutcome::Completed);
  EXPECT_EQ(nested,
            std::vector<RunOutcome>(static_cast<std::size_t>(pumps_), RunOutcome::AlreadyRunning));
  EXPECT_EQ(run.h.outlook.calls(), uncut_.h.outlook.calls());
  EXPECT_EQ(run.storedContacts(), uncut_.storedContacts());
  EXPECT_TRUE(run.h.owner.boxes.empty());
  // The page shows the uncut run's lines with one refusal after each pump.
  std::vector<PageEvent> expected;
  for (const PageEvent& event : uncut_.events) {
    expected.push_back(event);
    if (event.what == "pump")
      expected.push_back({std::string("log ") + kAlreadyRunning, event.callsBefore});
  }
  EXPECT_EQ(run.events, expected);
  EXPECT_FALSE(run.h.job.isRunning());
}

TEST_F(PageDuringRun, StartRequestFromAnotherPageDuringARunThatStops) {
  // The request comes from a page the window loaded meanwhile, and the run
  // is then stopped by a store error: the request changes nothing, the
  // stopped run ends as any stopped run, and the next run completes.
  WatchedRun run(allPassesOffered(), folder_);
  run.h.outlook.failCall("ContactItem.Save", E_FAIL, u"저장 실패", 30);
  Ref<MemoryDocument> other = makeContactSortDocument(PageSettings{});
  std::vector<RunOutcome> nested;
  run.h.loop.onDispatch = [&] {
    run.h.page.setDocument(other);
    nested.push_back(run.h.job.run(run.h.owner));
  };
  ASSERT_EQ(run.run(), RunOutcome::Stopped);
  EXPECT_FALSE(nested.empty());
  for (RunOutcome outcome : nested)
    EXPECT_EQ(outcome, RunOutcome::AlreadyRunning);
  EXPECT_EQ(run.h.owner.boxes, (std::vector<ShownBox>{{"저장 실패", "borvanta"}}));
  EXPECT_TRUE(other->insertionsInOrder("idLog").empty());
  EXPECT_FALSE(run.h.job.isRunning());
  EXPECT_EQ(run.h.outlook.liveObjects(), run.heldObjects());

  run.h.loop.onDispatch = nullptr;
  run.h.outlook.clearFaults();
  EXPECT_EQ(run.run(), RunOutcome::Completed);  // on the page the window now shows
  EXPECT_EQ(other->insertionsInOrder("idLog").back(), std::string(kFinal) + "<BR>");
}

}  // namespace
}  // namespace borvanta::testing_support
