#pragma once
// The eleven contact values of a card kept in one block of memory: a book
// holds them for every card, so that reading a contact and checking whether
// a save changes anything never parse the card again.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "backends/vcard/property_map.h"

namespace borvanta::vcard {

class PackedValues {
 public:
  PackedValues() = default;
  explicit PackedValues(const ContactValues& values);

  // The value of property index `index` (indexOf).
  [[nodiscard]] std::string_view operator[](std::size_t index) const {
    const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
  }
  [[nodiscard]] ContactValues unpacked() const;

 private:
  std::string text_;  // the values one after another
  std::array<std::uint32_t, kPropertyCount> ends_{};
};

}  // namespace borvanta::vcard
