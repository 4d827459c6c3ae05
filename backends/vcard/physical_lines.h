#pragma once
// Physical lines of a vCard text. A line ends at a line feed, together with
// any carriage returns right before it ("\r\n", "\n", and the "\r\r\n" some
// phones write); a text without any line feed breaks at carriage returns.
// The break is kept apart from the content, so that a line can be copied
// byte for byte.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace borvanta::vcard {

struct PhysicalLine {
  std::size_t begin = 0;
  std::size_t contentEnd = 0;  // where the line break starts
  std::size_t end = 0;         // after the line break

  [[nodiscard]] std::string_view content(std::string_view text) const {
    return text.substr(begin, contentEnd - begin);
  }
  [[nodiscard]] std::string_view lineBreak(std::string_view text) const {
    return text.substr(contentEnd, end - contentEnd);
  }
  [[nodiscard]] bool isBlank(std::string_view text) const;
};

// Walks the physical lines of a text from its start.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text, std::size_t from = 0);

  // The next line, false at the end of the text.
  bool next(PhysicalLine& line);

 private:
  std::string_view text_;
  std::size_t position_;
  bool breaksAtLineFeed_;
};

// True for "BEGIN:VCARD" or "END:VCARD" (`keyword` "BEGIN" or "END"), in any
// case, with white space allowed at the end.
[[nodiscard]] bool isCardDelimiter(std::string_view content, std::string_view keyword);

// The first `c` in `text` at or after `from`, or npos: a plain loop for the
// short texts of most prefixes, which beats a call into the C library there,
// and memchr for the long ones.
[[nodiscard]] inline std::size_t findByte(std::string_view text, char c, std::size_t from = 0) {
  if (from >= text.size()) return std::string_view::npos;
  if (text.size() - from > 32) {
    const void* found = std::memchr(text.data() + from, c, text.size() - from);
    return found == nullptr
               ? std::string_view::npos
               : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
  }
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == c) return i;
  }
  return std::string_view::npos;
}

// `text` without the spaces and tabs at its ends.
[[nodiscard]] inline std::string_view trimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

// ASCII case-insensitive equality.
[[nodiscard]] inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
    if (x != y) return false;
  }
  return true;
}
[[nodiscard]] inline bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace borvanta::vcard
