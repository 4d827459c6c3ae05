#pragma once
// Narrow-text helpers shared by the job, the store and the page bridge. All
// positions and lengths count bytes.

#include <string>
#include <string_view>

namespace borvanta {

// printf-style formatting into a new text of any length: it formats into a
// working buffer of 1024 characters and, while the result does not fit,
// starts again with a buffer twice as large. A null format gives "".
[[nodiscard]] std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Every occurrence of `pattern` (never empty) replaced by `replacement`,
// scanning left to right and resuming right after each inserted replacement.
[[nodiscard]] std::string replaceAll(std::string_view source, std::string_view pattern,
                                     std::string_view replacement);

// Space, tab, carriage return, line feed, vertical tab and form feed.
[[nodiscard]] constexpr bool isTrimmable(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The text without the six white-space characters at either end.
[[nodiscard]] std::string_view trimmed(std::string_view text);

// Text made safe to put inside HTML: & < > " ' become entities.
[[nodiscard]] std::string htmlEscape(std::string_view text);

}  // namespace borvanta
