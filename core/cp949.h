#pragma once
// Conversion between the program's narrow text (code page 949, Korean) and
// Unicode, through iconv. Every conversion stops at the first NUL of its input.
// Characters code page 949 cannot hold become "?", and the result says so, so
// that such text is never written back in place of the original.

#include <memory>
#include <string>
#include <string_view>

namespace borvanta {

struct Cp949Text {
  std::string text;
  bool lossy = false;  // some character of the input became "?"

  friend bool operator==(const Cp949Text&, const Cp949Text&) = default;
};

// Unicode to code page 949. Invalid UTF-8 or UTF-16 counts as lossy too.
[[nodiscard]] Cp949Text utf8ToCp949(std::string_view utf8);
[[nodiscard]] Cp949Text utf16ToCp949(std::u16string_view utf16);

// Code page 949 to Unicode. Every valid code page 949 text converts exactly; a
// byte sequence that is not valid code page 949 becomes U+FFFD.
[[nodiscard]] std::string cp949ToUtf8(std::string_view cp949);
[[nodiscard]] std::u16string cp949ToUtf16(std::string_view cp949);

// The same conversions, keeping the C library's converters open from one text
// to the next: for the objects that convert a text per contact (the store,
// the page bridge). A converter is opened when a text first needs it.
class Cp949Converter {
 public:
  Cp949Converter();
  ~Cp949Converter();
  Cp949Converter(const Cp949Converter&) = delete;
  Cp949Converter& operator=(const Cp949Converter&) = delete;

  [[nodiscard]] Cp949Text fromUtf8(std::string_view utf8);
  [[nodiscard]] Cp949Text fromUtf16(std::u16string_view utf16);
  [[nodiscard]] std::string toUtf8(std::string_view cp949);
  [[nodiscard]] std::u16string toUtf16(std::string_view cp949);

 private:
  std::unique_ptr<class IconvHandle> toCp949_;
  std::unique_ptr<class IconvHandle> fromCp949_;
};

// The code page 949 form of a text literal of the program's own (log lines,
// tables). Throws std::invalid_argument when the literal cannot be held.
[[nodiscard]] std::string cp949(std::string_view utf8Literal);

}  // namespace borvanta
