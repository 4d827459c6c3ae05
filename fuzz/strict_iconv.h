#pragma once
// A conversion through iconv that refuses instead of replacing: the fuzz
// targets' own view of which texts are valid in an encoding.

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace borvanta::fuzz {

// `text` converted from `from` to `to`, or nullopt when iconv meets a byte
// sequence it cannot convert.
inline std::optional<std::string> strictConvert(const char* to, const char* from,
                                                std::string_view text) {
  iconv_t handle = iconv_open(to, from);
  if (handle == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t result = iconv(handle, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(handle);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

inline std::string_view upToNul(std::string_view text) {
  return text.substr(0, std::min(text.find('\0'), text.size()));
}

}  // namespace borvanta::fuzz
