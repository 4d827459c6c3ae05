#include "core/cp949.h"

#include <algorithm>
#include <stdexcept>

#include "core/iconv_handle.h"
#include "core/utf.h"

namespace borvanta {

namespace {

constexpr const char* kCp949 = "CP949";
constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";

std::string_view upToNul(std::string_view text) {
  return text.substr(0, std::min(text.find('\0'), text.size()));
}

std::u16string_view upToNul(std::u16string_view text) {
  return text.substr(0, std::min(text.find(u'\0'), text.size()));
}

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the UTF-8 sequence that `lead` starts, 1 for a byte that starts none.
std::size_t utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

Cp949Converter::Cp949Converter() = default;
Cp949Converter::~Cp949Converter() = default;

Cp949Text Cp949Converter::fromUtf8(std::string_view utf8) {
  utf8 = upToNul(utf8);
  if (isAscii(utf8)) return {std::string(utf8), false};
  if (!toCp949_) toCp949_ = std::make_unique<IconvHandle>(kCp949, "UTF-8");
  Cp949Text result;
  result.text = toCp949_->convert(utf8, [&](std::string& out, std::string_view rest) {
    out.push_back('?');
    result.lossy = true;
    std::size_t length = utf8SequenceLength(static_cast<unsigned char>(rest.front()));
    // A sequence cut short or broken: skip only its lead byte.
    for (std::size_t i = 1; i < length; ++i) {
      if (i >= rest.size() || (static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return i;
    }
    return length;
  });
  return result;
}

Cp949Text Cp949Converter::fromUtf16(std::u16string_view utf16) {
  // An unpaired surrogate becomes U+FFFD, which code page 949 lacks, so it
  // counts as lossy.
  return fromUtf8(utf16ToUtf8(upToNul(utf16)));
}

std::string Cp949Converter::toUtf8(std::string_view cp949Text) {
  cp949Text = upToNul(cp949Text);
  if (isAscii(cp949Text)) return std::string(cp949Text);
  if (!fromCp949_) fromCp949_ = std::make_unique<IconvHandle>("UTF-8", kCp949);
  return fromCp949_->convert(cp949Text, [](std::string& out, std::string_view) {
    out += kReplacementUtf8;
    return std::size_t{1};
  });
}

std::u16string Cp949Converter::toUtf16(std::string_view cp949Text) {
  return utf8ToUtf16(toUtf8(cp949Text));
}

Cp949Text utf8ToCp949(std::string_view utf8) {
  return Cp949Converter().fromUtf8(utf8);
}

Cp949Text utf16ToCp949(std::u16string_view utf16) {
  return Cp949Converter().fromUtf16(utf16);
}

std::string cp949ToUtf8(std::string_view cp949Text) {
  return Cp949Converter().toUtf8(cp949Text);
}

std::u16string cp949ToUtf16(std::string_view cp949Text) {
  return Cp949Converter().toUtf16(cp949Text);
}

std::string cp949(std::string_view utf8Literal) {
  Cp949Text converted = utf8ToCp949(utf8Literal);
  if (converted.lossy) {
    throw std::invalid_argument("text cannot be held in code page 949: " +
                                std::string(utf8Literal));
  }
  return std::move(converted.text);
}

}  // namespace borvanta
