#pragma once
// A small contact photo: a real, decodable PNG of a few hundred bytes, drawn
// from the generator's random numbers.

#include <string>

#include "tools/generator/random.h"

namespace borvanta::generator {

[[nodiscard]] std::string makePhoto(Random& random);

// The bytes as base64 (RFC 4648, with padding, no line breaks).
[[nodiscard]] std::string base64(std::string_view bytes);

}  // namespace borvanta::generator
