#include "core/text.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace borvanta {

std::string formatText(const char* format, ...) {
  if (format == nullptr) return {};
  std::vector<char> buffer(1024);
  for (;;) {
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (written < 0) return {};  // an encoding error of the C library
    if (static_cast<std::size_t>(written) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(written));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string replaceAll(std::string_view source, std::string_view pattern,
                       std::string_view replacement) {
  std::string result;
  if (pattern.empty()) return std::string(source);
  std::size_t position = 0;
  for (;;) {
    const std::size_t found = source.find(pattern, position);
    if (found == std::string_view::npos) break;
    result.append(source, position, found - position);
    result.append(replacement);
    position = found + pattern.size();
  }
  result.append(source, position);
  return result;
}

std::string_view trimmed(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isTrimmable(text[begin]))
    ++begin;
  while (end > begin && isTrimmable(text[end - 1]))
    --end;
  return text.substr(begin, end - begin);
}

std::string htmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

}  // namespace borvanta
