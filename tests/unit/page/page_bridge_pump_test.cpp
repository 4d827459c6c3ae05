// Pumping messages during a run, against a fake clock: how long one call
// lasts in ticks, what it dispatches, and where it pauses.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "page/page_bridge.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

using testing_support::FakeMessageLoop;

// Remembers after which dispatch each pause came.
class PauseRecordingLoop : public FakeMessageLoop {
 public:
  void sleep(std::uint32_t milliseconds) override {
    FakeMessageLoop::sleep(milliseconds);
    pausesAfterDispatch.push_back(dispatches);
  }
  std::vector<int> pausesAfterDispatch;
};

// A clock that stands still except where a dispatch moves it to the next
// value of `script`. A pump that never ends fails instead of hanging.
void followScript(FakeMessageLoop& loop, std::vector<std::uint32_t> script) {
  loop.ticksPerRead = 0;
  loop.onDispatch = [&loop, script = std::move(script)] {
    const auto next = static_cast<std::size_t>(loop.dispatches - 1);
    if (next >= script.size()) throw std::logic_error("the pump went on past its end");
    loop.ticks = script[next];
  };
}

struct ClockCase {
  const char* name;
  std::uint32_t start;
  std::vector<std::uint32_t> script;  // the tick count after each dispatch
  int dispatches;                     // iterations the call must make
};

class PumpDuration : public testing::TestWithParam<ClockCase> {};

TEST_P(PumpDuration, LastsUntilTheTickCountHasAdvancedByTwo) {
  const ClockCase& row = GetParam();
  FakeMessageLoop loop;
  loop.ticks = row.start;
  followScript(loop, row.script);
  PageBridge bridge(loop);
  bridge.pumpMessages();
  EXPECT_EQ(loop.dispatches, row.dispatches);
  EXPECT_TRUE(loop.sleeps.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, PumpDuration,
    testing::Values(ClockCase{"OneTickPerIteration", 1000, {1001, 1002}, 2},
                    ClockCase{"ClockStandingStill", 1000, {1000, 1000, 1001, 1001, 1001, 1002}, 6},
                    ClockCase{"TwoTicksAtOnce", 1000, {1002}, 1},
                    ClockCase{"ManyTicksAtOnce", 1000, {90000}, 1},
                    ClockCase{"AcrossTheWrap", 0xFFFFFFFF, {0, 1}, 2},
                    ClockCase{"ToTheWrap", 0xFFFFFFFE, {0xFFFFFFFF, 0}, 2},
                    ClockCase{"WrapOfTheStartValueAlone", 0xFFFFFFFF, {0xFFFFFFFF, 0, 1}, 3},
                    // The difference is taken as a signed number: a clock that
                    // steps back does not end the call.
                    ClockCase{"ClockSteppingBack", 1000, {999, 1001, 1002}, 3},
                    ClockCase{"ClockSteppingBackAcrossTheWrap", 1, {0xFFFFFFFF, 2, 3}, 3}),
    testing_support::RowName());

TEST(Pump, EveryPendingMessageIsDispatchedEvenWhenTimeIsAlreadyUp) {
  FakeMessageLoop loop;
  loop.ticksPerRead = 5;  // the first check already finds the time up
  std::deque<std::string> queue{"paint", "click", "quit"};
  std::vector<std::string> handled;
  loop.onDispatch = [&] {
    while (!queue.empty()) {
      handled.push_back(queue.front());
      queue.pop_front();
    }
  };
  PageBridge bridge(loop);
  bridge.pumpMessages();
  EXPECT_EQ(handled, (std::vector<std::string>{"paint", "click", "quit"}));
  EXPECT_EQ(loop.dispatches, 1);
}

TEST(Pump, PausesOneMillisecondOnceInEvery10002IterationsCountedAcrossCalls) {
  PauseRecordingLoop loop;
  loop.ticksPerRead = 1;  // two iterations per call
  PageBridge bridge(loop);
  for (int call = 0; call < 5000; ++call)
    bridge.pumpMessages();
  EXPECT_EQ(loop.dispatches, 10000);
  EXPECT_TRUE(loop.sleeps.empty());

  bridge.pumpMessages();  // iterations 10001 and 10002
  EXPECT_EQ(loop.pausesAfterDispatch, std::vector<int>{10002});

  for (int call = 0; call < 10002; ++call)
    bridge.pumpMessages();
  EXPECT_EQ(loop.dispatches, 30006);
  EXPECT_EQ(loop.pausesAfterDispatch, (std::vector<int>{10002, 20004, 30006}));
  EXPECT_EQ(loop.sleeps, (std::vector<std::uint32_t>{1, 1, 1}));
}

TEST(Pump, ThePauseCountDoesNotDependOnHowIterationsAreSplitIntoCalls) {
  PauseRecordingLoop loop;
  loop.ticksPerRead = 0;
  // Calls of 3, then 7, then 3, 7, ... iterations: the clock jumps by 2 on
  // the last dispatch of each call.
  int sinceStart = 0;
  int callLength = 3;
  loop.onDispatch = [&] {
    if (++sinceStart == callLength) {
      loop.ticks += 2;
      sinceStart = 0;
      callLength = callLength == 3 ? 7 : 3;
    }
  };
  PageBridge bridge(loop);
  for (int call = 0; call < 4002; ++call)
    bridge.pumpMessages();
  EXPECT_EQ(loop.dispatches, 20010);
  EXPECT_EQ(loop.pausesAfterDispatch, (std::vector<int>{10002, 20004}));
}

class WindowlessLoop : public FakeMessageLoop {
 public:
  bool hasWindow() const override { return false; }
};

TEST(Pump, ALoopWithoutAWindowIsNotPumpedAtAll) {
  WindowlessLoop loop;
  loop.ticks = 77;
  PageBridge bridge(loop);
  for (int call = 0; call < 20000; ++call)
    bridge.pumpMessages();
  EXPECT_EQ(loop.dispatches, 0);
  EXPECT_EQ(loop.ticks, 77u);  // the clock was never read
  EXPECT_TRUE(loop.sleeps.empty());
}

}  // namespace
}  // namespace borvanta
