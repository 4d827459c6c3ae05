// Unicode to code page 949. The input read as UTF-8, and its bytes paired as
// UTF-16 units. For valid Unicode the result is, character by character, the
// character's code page 949 form or "?" where the code page has none, and it
// is flagged lossy exactly when a "?" was put in; unflagged text converts
// back to the very input. Invalid Unicode is always flagged. The result is
// always valid code page 949.

#include <string>

#include "core/cp949.h"
#include "core/utf.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/strict_iconv.h"

namespace {

using borvanta::Cp949Text;

// Strict UTF-8 decoding: nullopt for any invalid sequence (overlong forms,
// surrogates, values above U+10FFFF, cut or broken sequences).
std::optional<std::u32string> decodeUtf8(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = b(i);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
      length = 1, c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, c = lead & 0x07;
    } else {
      return std::nullopt;
    }
    if (i + length > s.size()) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
      if ((b(i + k) & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (b(i + k) & 0x3F);
    }
    static const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < minimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out.push_back(c);
    i += length;
  }
  return out;
}

std::string encodeUtf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Character by character: its code page 949 form, or "?".
Cp949Text reference(const std::u32string& characters) {
  Cp949Text expected;
  for (char32_t c : characters) {
    const std::optional<std::string> one =
        borvanta::fuzz::strictConvert("CP949", "UTF-8", encodeUtf8(c));
    if (one) {
      expected.text += *one;
    } else {
      expected.text += '?';
      expected.lossy = true;
    }
  }
  return expected;
}

void checkResult(const Cp949Text& made) {
  FUZZ_CHECK(borvanta::fuzz::strictConvert("UTF-8", "CP949", made.text).has_value());
  FUZZ_CHECK(made.text.find('\0') == std::string::npos);
}

void checkUtf8(std::string_view input) {
  const std::string_view text = borvanta::fuzz::upToNul(input);
  const Cp949Text made = borvanta::utf8ToCp949(input);
  checkResult(made);
  const std::optional<std::u32string> characters = decodeUtf8(text);
  if (!characters) {
    FUZZ_CHECK(made.lossy);
    return;
  }
  FUZZ_CHECK(made == reference(*characters));
  if (!made.lossy) FUZZ_CHECK(borvanta::cp949ToUtf8(made.text) == text);
}

void checkUtf16(std::string_view input) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < input.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(input[i]) |
                                   static_cast<unsigned char>(input[i + 1]) << 8);
  }
  const std::u16string_view text(units.data(), std::min(units.find(u'\0'), units.size()));
  const Cp949Text made = borvanta::utf16ToCp949(units);
  checkResult(made);
  bool valid = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      valid = false;
    }
  }
  if (!valid) {
    FUZZ_CHECK(made.lossy);
    return;
  }
  const std::optional<std::u32string> characters = decodeUtf8(borvanta::utf16ToUtf8(text));
  FUZZ_CHECK(characters.has_value());
  FUZZ_CHECK(made == reference(*characters));
  if (!made.lossy) FUZZ_CHECK(borvanta::cp949ToUtf16(made.text) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = borvanta::fuzz::asText(data, size);
  checkUtf8(input);
  checkUtf16(input);
  return 0;
}
