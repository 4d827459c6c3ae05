#pragma once
// The message loop of a front end without a window: nothing ever waits to be
// dispatched, so pumping returns at once.

#include <chrono>
#include <thread>

#include "page/message_loop.h"

namespace borvanta {

class HeadlessMessageLoop : public MessageLoop {
 public:
  void dispatchPending() override {}
  std::uint32_t tickCount() override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
  void sleep(std::uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  bool hasWindow() const override { return false; }
};

}  // namespace borvanta
