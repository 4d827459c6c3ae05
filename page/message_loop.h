#pragma once
// The user-interface thread's message loop, as far as the page bridge uses it
// to keep the window responsive during a run.

#include <cstdint>

namespace borvanta {

class MessageLoop {
 public:
  virtual ~MessageLoop() = default;

  // Dispatches every message (event) that is waiting, and returns.
  virtual void dispatchPending() = 0;
  // Milliseconds on a 32-bit counter that wraps.
  [[nodiscard]] virtual std::uint32_t tickCount() = 0;
  virtual void sleep(std::uint32_t milliseconds) = 0;
  // False where there is no window whose messages could wait (the command
  // line): pumping then has nothing to do and returns at once.
  [[nodiscard]] virtual bool hasWindow() const = 0;
};

}  // namespace borvanta
