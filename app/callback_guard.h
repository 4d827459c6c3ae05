#pragma once
// GTK and WebKit call the window back from C. No exception may travel through
// their frames, so every callback runs its work through guardCallback, which
// reports an escaped exception on standard error and carries on.

#include <glib.h>

#include <exception>

namespace borvanta::gtk {

template <class Work>
void guardCallback(const char* where, Work&& work) noexcept {
  try {
    work();
  } catch (const std::exception& error) {
    g_warning("%s: %s", where, error.what());
  } catch (...) {
    g_warning("%s: unknown error", where);
  }
}

}  // namespace borvanta::gtk
