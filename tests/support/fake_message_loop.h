#pragma once
// A message loop with a fake clock: every read of the tick count advances it
// by `ticksPerRead`, so pumping ends after a known number of iterations. It
// records what the pump did.

#include <cstdint>
#include <functional>
#include <vector>

#include "page/message_loop.h"

namespace borvanta::testing_support {

class FakeMessageLoop : public MessageLoop {
 public:
  void dispatchPending() override {
    ++dispatches;
    if (onDispatch) onDispatch();
  }
  std::uint32_t tickCount() override {
    const std::uint32_t now = ticks;
    ticks += ticksPerRead;
    return now;
  }
  void sleep(std::uint32_t milliseconds) override { sleeps.push_back(milliseconds); }
  bool hasWindow() const override { return true; }

  std::uint32_t ticks = 0;
  std::uint32_t ticksPerRead = 1;
  int dispatches = 0;
  std::vector<std::uint32_t> sleeps;
  // Runs inside a dispatch: the page's events during a run.
  std::function<void()> onDispatch;
};

}  // namespace borvanta::testing_support
