#pragma once
// The line syntax of vCard files as the generator writes them: CRLF line
// ends, 3.0 lines folded at 75 octets, 2.1 quoted-printable values with soft
// line breaks at 76 columns, and the escapes of both versions.

#include <cstddef>
#include <string>
#include <string_view>

namespace borvanta::generator {

inline constexpr std::size_t kFoldedLineOctets = 75;        // 3.0 and 4.0
inline constexpr std::size_t kQuotedPrintableColumns = 76;  // 2.1, soft break included
inline constexpr std::string_view kCrlf = "\r\n";

// A 3.0 text value: backslash, comma, semicolon and line feed escaped.
[[nodiscard]] std::string escapeText30(std::string_view text);

// A component of a 2.1 structured value: semicolons escaped.
[[nodiscard]] std::string escapeComponent21(std::string_view text);

// `line` (without its line end) folded into lines of at most 75 octets, each
// continuation starting with a space; a UTF-8 sequence is never cut.
void appendFolded(std::string& out, std::string_view line);

// `head` ("NAME;PARAMS:") followed by `bytes` quoted-printable: bytes above
// 0x7E, "=", control characters and white space at a line end encoded, a line
// feed written as =0D=0A, soft line breaks so no line passes 76 columns.
void appendQuotedPrintable(std::string& out, std::string_view head, std::string_view bytes);

// `head` and base64 `data` as the 2.1 writers of the desktop write a photo:
// the head alone, then the data in indented lines, then an empty line.
void appendIndentedBase64(std::string& out, std::string_view head, std::string_view data);

}  // namespace borvanta::generator
