// Code page 949 to Unicode and back. Any bytes: the UTF-8 made is valid, and
// ends at the first NUL. Valid code page 949 (as iconv reads it, strictly):
// the UTF-8 and UTF-16 are what iconv gives, and converting them back gives
// the very same bytes, with nothing lost. Invalid: a U+FFFD marks the spot.

#include <string>

#include "core/cp949.h"
#include "core/utf.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/strict_iconv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace borvanta;
  const std::string_view input = fuzz::asText(data, size);
  const std::string_view text = fuzz::upToNul(input);
  const std::string utf8 = cp949ToUtf8(input);
  FUZZ_CHECK(isValidUtf8(utf8));
  FUZZ_CHECK(utf8.find('\0') == std::string::npos);
  const std::u16string utf16 = cp949ToUtf16(input);
  FUZZ_CHECK(utf16 == utf8ToUtf16(utf8));

  const std::optional<std::string> strict = fuzz::strictConvert("UTF-8", "CP949", text);
  if (!strict) {
    FUZZ_CHECK(utf8.find("\xEF\xBF\xBD") != std::string::npos);
    return 0;
  }
  FUZZ_CHECK(utf8 == *strict);
  const Cp949Text back = utf8ToCp949(utf8);
  FUZZ_CHECK(!back.lossy);
  FUZZ_CHECK(back.text == text);
  const Cp949Text back16 = utf16ToCp949(utf16);
  FUZZ_CHECK(!back16.lossy);
  FUZZ_CHECK(back16.text == text);
  return 0;
}
