#pragma once
// UTF-8 <-> UTF-16, for the boundaries where the platform speaks one and the
// object model the other. Invalid input becomes U+FFFD.

#include <string>
#include <string_view>

namespace borvanta {

[[nodiscard]] std::u16string utf8ToUtf16(std::string_view utf8);
[[nodiscard]] std::string utf16ToUtf8(std::u16string_view utf16);
[[nodiscard]] bool isValidUtf8(std::string_view text);

}  // namespace borvanta
