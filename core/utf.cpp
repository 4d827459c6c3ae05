#include "core/utf.h"

#include <cstdint>
#include <cstring>

namespace borvanta {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at `pos`, advancing it; invalid input yields U+FFFD
// and advances by one byte.
char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + length > text.size()) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return value;
}

// Writes `c` at `out` and returns the position after it.
char* putUtf8(char* out, char32_t c) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// The length of the run of ASCII bytes at the start of `text`, eight bytes
// at a time where it can.
std::size_t asciiPrefixLength(std::string_view text) {
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + at, 8);
    if ((word & 0x8080808080808080ull) != 0) break;
  }
  while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80)
    ++at;
  return at;
}

}  // namespace

std::u16string utf8ToUtf16(std::string_view utf8) {
  // Every byte gives at most one unit: a four-byte sequence gives two.
  std::u16string out(utf8.size(), u'\0');
  char16_t* at = out.data();
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t c = decodeUtf8(utf8, pos);
    if (c < 0x10000) {
      *at++ = static_cast<char16_t>(c);
    } else {
      const char32_t v = c - 0x10000;
      *at++ = static_cast<char16_t>(0xD800 + (v >> 10));
      *at++ = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    }
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
  return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
  // Every unit gives at most three bytes: a surrogate pair gives four.
  std::string out(utf16.size() * 3, '\0');
  char* at = out.data();
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      at = putUtf8(at, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                           (static_cast<char32_t>(utf16[i + 1]) - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      at = putUtf8(at, kReplacement);
    } else {
      at = putUtf8(at, unit);
    }
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
  return out;
}

bool isValidUtf8(std::string_view text) {
  std::size_t pos = asciiPrefixLength(text);
  while (pos < text.size()) {
    const std::size_t before = pos;
    if (decodeUtf8(text, pos) == kReplacement && pos == before + 1 &&
        static_cast<unsigned char>(text[before]) >= 0x80) {
      return false;
    }
  }
  return true;
}

}  // namespace borvanta
