#pragma once
// What the store and the job need of the main window: modal message boxes it
// owns and being brought to the front. Each front end implements it (a GTK
// dialog in the window, standard error on the command line); tests record
// what was shown.

#include <string>
#include <string_view>

namespace borvanta {

class OwnerWindow {
 public:
  virtual ~OwnerWindow() = default;

  // A modal box owned by the window, OK button only, no icon. Both texts are
  // narrow code page 949 text.
  virtual void messageBox(std::string_view text, std::string_view caption) = 0;
  // Brings the window to the top of the window order.
  virtual void bringToTop() = 0;
  // The caption of a box that has none of its own: the executable's name
  // without extension, in code page 949.
  [[nodiscard]] virtual std::string applicationName() const = 0;
};

}  // namespace borvanta
