#pragma once
// How a fuzz target states a property of what it was given back. A property
// that does not hold prints the failed condition and aborts, so that
// libFuzzer reports the input and keeps it as a crash artifact.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                      \
  do {                                                                                             \
    if (!(condition)) {                                                                            \
      std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                                \
    }                                                                                              \
  } while (false)

namespace borvanta::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every `separator` byte into at most `parts` pieces; the
// last piece takes the rest. Missing pieces are empty.
inline std::vector<std::string_view> splitInput(std::string_view input, char separator,
                                                std::size_t parts) {
  std::vector<std::string_view> pieces;
  while (pieces.size() + 1 < parts) {
    const std::size_t cut = input.find(separator);
    if (cut == std::string_view::npos) break;
    pieces.push_back(input.substr(0, cut));
    input.remove_prefix(cut + 1);
  }
  pieces.push_back(input);
  pieces.resize(parts);
  return pieces;
}

}  // namespace borvanta::fuzz
