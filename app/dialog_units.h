#pragma once
// The main window's size. It is laid out in dialog units of its font, a
// 9-point shell font: a horizontal dialog unit is a quarter of the font's
// average character width, a vertical one an eighth of its height. At 96
// dots per inch a 9-point font is 12 pixels high (9 / 72 * 96), and the
// Korean shell font's Latin letters are half as wide as it is high, 6 pixels
// on average. Units become pixels as the dialog manager converts them:
// units * base / 4 (or / 8), rounded half away from zero.
//
//   283 units * 6 / 4 = 424.5 -> 425 pixels wide
//   235 units * 12 / 8 = 352.5 -> 353 pixels high
//
// That is the size of the client area, which the browser fills.

#include <cstdint>

namespace borvanta {

struct DialogUnitBase {
  std::int32_t averageCharWidth;  // pixels
  std::int32_t charHeight;        // pixels
};

inline constexpr DialogUnitBase shellFont9Point{6, 12};

// a * b / c rounded to the nearest integer, halves away from zero (for the
// non-negative values of a window's size).
[[nodiscard]] constexpr std::int32_t mulDivRounded(std::int32_t a, std::int32_t b, std::int32_t c) {
  return static_cast<std::int32_t>((2 * std::int64_t{a} * b + c) / (2 * std::int64_t{c}));
}

[[nodiscard]] constexpr std::int32_t horizontalPixels(std::int32_t units, DialogUnitBase base) {
  return mulDivRounded(units, base.averageCharWidth, 4);
}
[[nodiscard]] constexpr std::int32_t verticalPixels(std::int32_t units, DialogUnitBase base) {
  return mulDivRounded(units, base.charHeight, 8);
}

// The dialog's template: 283 x 235 units.
inline constexpr std::int32_t dialogWidthUnits = 283;
inline constexpr std::int32_t dialogHeightUnits = 235;
inline constexpr std::int32_t dialogWidthPixels =
    horizontalPixels(dialogWidthUnits, shellFont9Point);
inline constexpr std::int32_t dialogHeightPixels =
    verticalPixels(dialogHeightUnits, shellFont9Point);

static_assert(dialogWidthPixels == 425 && dialogHeightPixels == 353);

}  // namespace borvanta
