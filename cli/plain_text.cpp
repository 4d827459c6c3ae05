#include "cli/plain_text.h"

#include <optional>

namespace borvanta::cli {

namespace {

bool isAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// C0 controls and DEL, and the C1 controls.
bool isControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Copies the character at `pos` of UTF-8 `text` to `out`, a control
// character as a space, and returns the position after it. Only control
// characters are looked at: other bytes are copied one by one.
std::size_t appendPrintable(std::string& out, std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (byte(pos) == 0xC2 && pos + 1 < text.size() && byte(pos + 1) >= 0x80 &&
      byte(pos + 1) <= 0x9F) {
    out += ' ';  // a C1 control, two bytes in UTF-8
    return pos + 2;
  }
  out += byte(pos) < 0x20 || byte(pos) == 0x7F ? ' ' : text[pos];
  return pos + 1;
}

void appendUtf8(std::string& out, char32_t c) {
  const auto byte = [&](char32_t bits) { out += static_cast<char>(bits); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

// The code point of a numeric reference's body ("#233", "#xE9"); nullopt
// when it is not one. Values that are no character become U+FFFD.
std::optional<char32_t> numericReference(std::string_view body) {
  if (body.size() < 2 || body[0] != '#') return std::nullopt;
  const bool hex = body[1] == 'x' || body[1] == 'X';
  const std::string_view digits = body.substr(hex ? 2 : 1);
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && asciiLower(c) >= 'a' && asciiLower(c) <= 'f') digit = asciiLower(c) - 'a' + 10;
    if (digit < 0) return std::nullopt;
    value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit),
                                    0x110000);
  }
  if (value == 0 || value >= 0x110000 || (value >= 0xD800 && value <= 0xDFFF)) return 0xFFFD;
  return static_cast<char32_t>(value);
}

std::optional<char32_t> namedReference(std::string_view body) {
  struct Named {
    std::string_view name;
    char32_t value;
  };
  static const Named names[] = {{"amp", U'&'},  {"lt", U'<'},    {"gt", U'>'},
                                {"quot", U'"'}, {"apos", U'\''}, {"nbsp", U'\u00A0'}};
  for (const Named& named : names) {
    if (body == named.name) return named.value;
  }
  return std::nullopt;
}

// Decodes the reference that starts with the '&' at `pos` into `out` and
// returns the position after it; an unknown one is copied as it stands.
std::size_t appendReference(std::string& out, std::string_view html, std::size_t pos) {
  const std::size_t semicolon = html.find(';', pos);
  if (semicolon != std::string_view::npos && semicolon - pos <= 12) {
    const std::string_view body = html.substr(pos + 1, semicolon - pos - 1);
    std::optional<char32_t> c = numericReference(body);
    if (!c) c = namedReference(body);
    if (c) {
      appendUtf8(out, isControl(*c) ? U' ' : *c);
      return semicolon + 1;
    }
  }
  out += '&';
  return pos + 1;
}

// "<br>", "<BR/>", "<br class=x>"
bool isLineBreakTag(std::string_view tag) {
  if (tag.size() < 2 || asciiLower(tag[0]) != 'b' || asciiLower(tag[1]) != 'r') return false;
  return tag.size() == 2 || tag[2] == '/' || tag[2] == ' ';
}

// Drops the trailing "<BR>" that ends every line of the log.
std::string_view withoutFinalBreak(std::string_view html) {
  while (!html.empty() && html.back() == '>') {
    const std::size_t open = html.rfind('<');
    if (open == std::string_view::npos ||
        !isLineBreakTag(html.substr(open + 1, html.size() - open - 2)))
      break;
    html.remove_suffix(html.size() - open);
  }
  return html;
}

}  // namespace

std::string plainLogLine(std::string_view html) {
  html = withoutFinalBreak(html);
  std::string out;
  std::size_t pos = 0;
  while (pos < html.size()) {
    const char c = html[pos];
    const bool startsTag =
        c == '<' && pos + 1 < html.size() &&
        (isAsciiLetter(html[pos + 1]) || html[pos + 1] == '/' || html[pos + 1] == '!');
    if (startsTag) {
      const std::size_t close = html.find('>', pos);
      if (close == std::string_view::npos) break;  // an unfinished tag shows nothing
      if (isLineBreakTag(html.substr(pos + 1, close - pos - 1))) out += ' ';
      pos = close + 1;
    } else if (c == '&') {
      pos = appendReference(out, html, pos);
    } else {
      pos = appendPrintable(out, html, pos);
    }
  }
  return out;
}

std::string printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();)
    pos = appendPrintable(out, text, pos);
  return out;
}

}  // namespace borvanta::cli
