#pragma once
// Class and interface identifiers.

#include <array>
#include <cstdint>
#include <string>

namespace borvanta {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  friend constexpr bool operator==(const Guid&, const Guid&) = default;
};

// "{0006F03A-0000-0000-C000-000000000046}"
[[nodiscard]] std::string toString(const Guid& guid);

// The identifier of the base interface every object answers.
inline constexpr Guid IID_IUnknown{
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace borvanta
