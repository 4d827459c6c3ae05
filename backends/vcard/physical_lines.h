#pragma once
// Physical lines of a vCard text. A line ends at a line feed, together with
// any carriage returns right before it ("\r\n", "\n", and the "\r\r\n" some
// phones write); a text without any line feed breaks at carriage returns.
// The break is kept apart from the content, so that a line can be copied
// byte for byte.

#include <cstddef>
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

// ASCII case-insensitive equality.
[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);
[[nodiscard]] bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace borvanta::vcard
