#pragma once
// Telephone numbers in the hyphenated Korean form, and the international
// prefixes +82 and +44 turned into the trunk prefix 0.

#include <optional>
#include <string>
#include <string_view>

namespace borvanta {

// 01012345678 -> 010-1234-5678, (02)123-4567 -> 02-123-4567.
[[nodiscard]] std::string normalizePhoneNumber(std::string_view value);

// +82 10-1234-5678 -> 0 10-1234-5678.
[[nodiscard]] std::string removeCountryCode(std::string_view value);

// The same rules, giving nothing when the value stays exactly as it is: a
// caller that keeps the value then copies and allocates nothing.
[[nodiscard]] std::optional<std::string> normalizedPhoneNumberIfChanged(std::string_view value);
[[nodiscard]] std::optional<std::string> withoutCountryCodeIfChanged(std::string_view value);

}  // namespace borvanta
