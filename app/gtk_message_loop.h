#pragma once
// The window's message loop for the page bridge: pending events are those of
// the default GLib main context, where GTK and WebKit deliver theirs.

#include <glib.h>

#include "page/message_loop.h"

namespace borvanta::gtk {

class GtkMessageLoop : public MessageLoop {
 public:
  // Dispatches without blocking until nothing is pending.
  void dispatchPending() override {
    while (g_main_context_pending(nullptr))
      g_main_context_iteration(nullptr, FALSE);
  }
  // The monotonic clock in milliseconds, on 32 bits that wrap.
  std::uint32_t tickCount() override {
    return static_cast<std::uint32_t>(g_get_monotonic_time() / 1000);
  }
  void sleep(std::uint32_t milliseconds) override {
    g_usleep(static_cast<gulong>(milliseconds) * 1000);
  }
  bool hasWindow() const override { return true; }
};

}  // namespace borvanta::gtk
