#include "backends/vcard/line_layout.h"

#include <vector>

namespace borvanta::vcard {

namespace {

// Positions of `value` at which a physical line may end: not inside a
// character of `charset`, not right after an escaping backslash.
std::vector<bool> breakPoints(std::string_view value, const Charset& charset) {
  std::vector<bool> can(value.size() + 1, true);
  for (std::size_t i = 0; i < value.size(); ++i) {
    const auto byte = static_cast<unsigned char>(value[i]);
    if (charset.kind == CharsetKind::Cp949 && byte >= 0x81 && i + 1 < value.size()) {
      can[i + 1] = false;  // between the two bytes of one character
      ++i;
      continue;
    }
    if (charset.kind == CharsetKind::Utf8 && (byte & 0xC0) == 0x80) can[i] = false;
    if (byte == '\\' && i + 1 < value.size()) can[i + 1] = false;  // an escape stays whole
  }
  return can;
}

// The last allowed position in (from, limit], or `limit` when there is none.
std::size_t lastBreak(const std::vector<bool>& can, std::size_t from, std::size_t limit) {
  for (std::size_t at = limit; at > from; --at) {
    if (can[at]) return at;
  }
  return limit;
}

std::string folded(std::string_view prefix, std::string_view value, const Charset& charset,
                   std::size_t width, std::string_view lineBreak) {
  std::string out(prefix);
  out.push_back(':');
  const std::vector<bool> can = breakPoints(value, charset);
  // The first line holds as much of the value as fits after the prefix (at
  // least one byte, should the prefix be longer than the width).
  std::size_t room = width > out.size() ? width - out.size() : 1;
  std::size_t at = 0;
  while (value.size() - at > room) {
    const std::size_t cut = lastBreak(can, at, at + room);
    out.append(value.substr(at, cut - at));
    out.append(lineBreak);
    out.push_back(' ');
    at = cut;
    room = width > 1 ? width - 1 : 1;
  }
  out.append(value.substr(at));
  out.append(lineBreak);
  return out;
}

std::string softBroken(std::string_view prefix, std::string_view value, std::size_t width,
                       std::string_view lineBreak) {
  std::string out(prefix);
  out.push_back(':');
  std::size_t at = 0;
  while (value.size() - at > width) {
    // Room for the '=' of the soft break; "=XX" is never split.
    std::size_t cut = at + width - 1;
    if (cut >= 1 && value[cut - 1] == '=') {
      cut -= 1;
    } else if (cut >= 2 && value[cut - 2] == '=') {
      cut -= 2;
    }
    out.append(value.substr(at, cut - at));
    out.push_back('=');
    out.append(lineBreak);
    at = cut;
  }
  out.append(value.substr(at));
  out.append(lineBreak);
  return out;
}

}  // namespace

std::string layoutLine(std::string_view prefix, std::string_view value, ValueEncoding encoding,
                       const Charset& charset, const CardStyle& style, std::string_view lineBreak) {
  if (encoding == ValueEncoding::QuotedPrintable) {
    return softBroken(prefix, value, style.qpWidth < 4 ? 4 : style.qpWidth, lineBreak);
  }
  if (style.version != Version::V21 && style.foldWidth &&
      prefix.size() + 1 + value.size() > *style.foldWidth) {
    return folded(prefix, value, charset, *style.foldWidth, lineBreak);
  }
  std::string out(prefix);
  out.push_back(':');
  out.append(value);
  out.append(lineBreak);
  return out;
}

}  // namespace borvanta::vcard
