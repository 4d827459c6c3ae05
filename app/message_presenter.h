#pragma once
// Where the window's message boxes are shown. The window shows modal GTK
// message dialogs; the functional tests put a recorder in their place.

#include <string_view>

#include <gtk/gtk.h>

namespace borvanta::gtk {

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // A modal box with `text` and `caption` (UTF-8), an OK button only and no
  // icon, owned by `owner` or by no window when `owner` is null. Returns
  // when the box is closed.
  virtual void show(GtkWindow* owner, std::string_view text, std::string_view caption) = 0;
};

// Shows a GtkMessageDialog and waits for it to be closed.
class GtkMessagePresenter : public MessagePresenter {
 public:
  void show(GtkWindow* owner, std::string_view text, std::string_view caption) override;
};

}  // namespace borvanta::gtk
