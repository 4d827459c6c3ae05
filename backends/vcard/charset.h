#pragma once
// The character sets of vCard values. CHARSET names that mean Korean code
// page 949 (ks_c_5601-1987, ks_c_5601-1989, euc-kr, cp949, uhc and kin) are
// all read and written as CP949: the C library knows no ks_c_5601-1987, and
// its EUC-KR turns the syllables only CP949 holds into junk.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace borvanta::vcard {

enum class CharsetKind : std::uint8_t { Utf8, Ascii, Cp949, SingleByte };

struct Charset {
  CharsetKind kind = CharsetKind::Utf8;
  std::string iconvName;  // the C library's name, for SingleByte

  friend bool operator==(const Charset&, const Charset&) = default;
};

// The character set a CHARSET parameter names; nothing for one this backend
// does not read (only sets in which the bytes of ';', ',' and '\' always
// stand for those characters are read).
[[nodiscard]] std::optional<Charset> charsetNamed(std::string_view name);

// The character set of a value that names none: UTF-8 when the bytes are
// valid UTF-8, else CP949 when they are valid CP949.
[[nodiscard]] std::optional<Charset> guessCharset(std::string_view bytes);

// Bytes in `charset` to UTF-8; nothing when they are not valid in it.
[[nodiscard]] std::optional<std::string> toUtf8(std::string_view bytes, const Charset& charset);
// UTF-8 to bytes in `charset`; nothing when a character cannot be held.
[[nodiscard]] std::optional<std::string> fromUtf8(std::string_view utf8, const Charset& charset);

// The same conversions, keeping the C library's CP949 converters open from
// one value to the next (opening one costs more than converting a name).
class CharsetCodec {
 public:
  CharsetCodec();
  ~CharsetCodec();
  CharsetCodec(const CharsetCodec&) = delete;
  CharsetCodec& operator=(const CharsetCodec&) = delete;

  [[nodiscard]] std::optional<std::string> toUtf8(std::string_view bytes, const Charset& charset);
  [[nodiscard]] std::optional<std::string> fromUtf8(std::string_view utf8, const Charset& charset);
  [[nodiscard]] std::optional<Charset> guess(std::string_view bytes);

 private:
  struct Converters;
  std::unique_ptr<Converters> converters_;
};

[[nodiscard]] bool isAscii(std::string_view bytes);

}  // namespace borvanta::vcard
