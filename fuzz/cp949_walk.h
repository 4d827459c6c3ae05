#pragma once
// Where the characters of a code page 949 text begin, read from its start: a
// lead byte (0x81 to 0xFE) followed by a trail byte (0x41 to 0x5A, 0x61 to
// 0x7A, 0x81 to 0xFE) is one character of two bytes; every other byte is one
// character of its own.

#include <string_view>
#include <vector>

namespace borvanta::fuzz {

inline bool isLeadByte(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}

inline bool isTrailByte(unsigned char c) {
  return (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A) || (c >= 0x81 && c <= 0xFE);
}

// boundaries[i] is true when a character begins at byte i; boundaries[size]
// is true (the end).
inline std::vector<bool> characterBoundaries(std::string_view text) {
  std::vector<bool> boundaries(text.size() + 1, false);
  std::size_t i = 0;
  while (i < text.size()) {
    boundaries[i] = true;
    const auto lead = static_cast<unsigned char>(text[i]);
    const bool pair = isLeadByte(lead) && i + 1 < text.size() &&
                      isTrailByte(static_cast<unsigned char>(text[i + 1]));
    i += pair ? 2 : 1;
  }
  boundaries[text.size()] = true;
  return boundaries;
}

}  // namespace borvanta::fuzz
