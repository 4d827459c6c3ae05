#pragma once
// The owner window of a front end without a window: a message box becomes
// one line "caption: text" in UTF-8 on a stream (standard error).

#include <ostream>
#include <string>
#include <string_view>

#include "outlook/owner_window.h"

namespace borvanta::cli {

class StreamOwner : public OwnerWindow {
 public:
  // `program` (UTF-8) is the caption of a box that has none of its own.
  StreamOwner(std::ostream& stream, std::string_view program);

  void messageBox(std::string_view text, std::string_view caption) override;
  void bringToTop() override {}
  [[nodiscard]] std::string applicationName() const override { return applicationName_; }

 private:
  std::ostream& stream_;
  std::string applicationName_;  // code page 949
};

}  // namespace borvanta::cli
