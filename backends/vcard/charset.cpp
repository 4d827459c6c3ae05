#include "backends/vcard/charset.h"

#include <stdexcept>

#include "backends/vcard/physical_lines.h"
#include "core/iconv_handle.h"
#include "core/utf.h"

namespace borvanta::vcard {

namespace {

struct CharsetName {
  std::string_view name;
  CharsetKind kind;
};

constexpr CharsetName knownCharsets[] = {
    {"UTF-8", CharsetKind::Utf8},           {"UTF8", CharsetKind::Utf8},
    {"US-ASCII", CharsetKind::Ascii},       {"ASCII", CharsetKind::Ascii},
    {"KS_C_5601-1987", CharsetKind::Cp949}, {"KS_C_5601-1989", CharsetKind::Cp949},
    {"KS_C_5601", CharsetKind::Cp949},      {"KSC5601", CharsetKind::Cp949},
    {"EUC-KR", CharsetKind::Cp949},         {"EUCKR", CharsetKind::Cp949},
    {"CP949", CharsetKind::Cp949},          {"UHC", CharsetKind::Cp949},
    {"WINDOWS-949", CharsetKind::Cp949},    {"X-WINDOWS-949", CharsetKind::Cp949},
    {"MS949", CharsetKind::Cp949},
};

// Single-byte sets, read through the C library by their own name.
constexpr std::string_view singleBytePrefixes[] = {"ISO-8859-", "WINDOWS-125", "CP125"};

// Runs `handle` over `bytes`; nothing when any byte sequence fails.
std::optional<std::string> convertStrictly(IconvHandle& handle, std::string_view bytes) {
  bool failedOnce = false;
  std::string out = handle.convert(bytes, [&](std::string&, std::string_view) {
    failedOnce = true;
    return std::size_t{1};
  });
  if (failedOnce) return std::nullopt;
  return out;
}

}  // namespace

bool isAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::optional<Charset> charsetNamed(std::string_view name) {
  for (const CharsetName& known : knownCharsets) {
    if (equalsIgnoringCase(name, known.name)) return Charset{known.kind, {}};
  }
  for (std::string_view prefix : singleBytePrefixes) {
    if (!startsWithIgnoringCase(name, prefix)) continue;
    std::string iconvName(name);
    for (char& c : iconvName) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    try {
      IconvHandle probe("UTF-8", iconvName.c_str());
    } catch (const std::runtime_error&) {
      return std::nullopt;
    }
    return Charset{CharsetKind::SingleByte, iconvName};
  }
  return std::nullopt;
}

struct CharsetCodec::Converters {
  IconvHandle fromCp949{"UTF-8", "CP949"};
  IconvHandle toCp949{"CP949", "UTF-8"};
};

CharsetCodec::CharsetCodec() = default;
CharsetCodec::~CharsetCodec() = default;

std::optional<Charset> CharsetCodec::guess(std::string_view bytes) {
  if (isValidUtf8(bytes)) return Charset{CharsetKind::Utf8, {}};
  if (toUtf8(bytes, Charset{CharsetKind::Cp949, {}})) return Charset{CharsetKind::Cp949, {}};
  return std::nullopt;
}

std::optional<std::string> CharsetCodec::toUtf8(std::string_view bytes, const Charset& charset) {
  if (isAscii(bytes)) return std::string(bytes);
  switch (charset.kind) {
    case CharsetKind::Utf8:
      if (!isValidUtf8(bytes)) return std::nullopt;
      return std::string(bytes);
    case CharsetKind::Ascii:
      return std::nullopt;
    case CharsetKind::Cp949:
      if (!converters_) converters_ = std::make_unique<Converters>();
      return convertStrictly(converters_->fromCp949, bytes);
    case CharsetKind::SingleByte: {
      IconvHandle handle("UTF-8", charset.iconvName.c_str());
      return convertStrictly(handle, bytes);
    }
  }
  return std::nullopt;
}

std::optional<std::string> CharsetCodec::fromUtf8(std::string_view utf8, const Charset& charset) {
  if (!isValidUtf8(utf8)) return std::nullopt;
  if (isAscii(utf8)) return std::string(utf8);
  switch (charset.kind) {
    case CharsetKind::Utf8:
      return std::string(utf8);
    case CharsetKind::Ascii:
      return std::nullopt;
    case CharsetKind::Cp949:
      if (!converters_) converters_ = std::make_unique<Converters>();
      return convertStrictly(converters_->toCp949, utf8);
    case CharsetKind::SingleByte: {
      IconvHandle handle(charset.iconvName.c_str(), "UTF-8");
      return convertStrictly(handle, utf8);
    }
  }
  return std::nullopt;
}

std::optional<Charset> guessCharset(std::string_view bytes) {
  CharsetCodec codec;
  return codec.guess(bytes);
}

std::optional<std::string> toUtf8(std::string_view bytes, const Charset& charset) {
  CharsetCodec codec;
  return codec.toUtf8(bytes, charset);
}

std::optional<std::string> fromUtf8(std::string_view utf8, const Charset& charset) {
  CharsetCodec codec;
  return codec.fromUtf8(utf8, charset);
}

}  // namespace borvanta::vcard
