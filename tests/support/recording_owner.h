#pragma once
// An owner window that records the message boxes it was asked to show (in
// UTF-8, for readable assertions) and how often it was brought to the top.

#include <string>
#include <vector>

#include "core/cp949.h"
#include "outlook/owner_window.h"

namespace borvanta::testing_support {

struct ShownBox {
  std::string text;     // UTF-8
  std::string caption;  // UTF-8
  friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

class RecordingOwner : public OwnerWindow {
 public:
  void messageBox(std::string_view text, std::string_view caption) override {
    boxes.push_back({cp949ToUtf8(text), cp949ToUtf8(caption)});
  }
  void bringToTop() override { ++broughtToTop; }
  std::string applicationName() const override { return "borvanta"; }

  std::vector<ShownBox> boxes;
  int broughtToTop = 0;
};

}  // namespace borvanta::testing_support
