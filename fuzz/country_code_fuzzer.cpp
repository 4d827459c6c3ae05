// removeCountryCode against a plain left-to-right replacement, and what the
// result must be: no "+82" or "+44" left, every other byte kept in order,
// and two bytes shorter for every prefix replaced.

#include <optional>
#include <string>

#include "fuzz/fuzz_check.h"
#include "job/phone_number.h"

namespace {

std::string replaceEvery(std::string_view text, std::string_view prefix) {
  std::string out;
  std::size_t at = 0;
  for (std::size_t found; (found = text.find(prefix, at)) != std::string_view::npos;
       at = found + prefix.size()) {
    out.append(text.substr(at, found - at));
    out += '0';
  }
  out.append(text.substr(at));
  return out;
}

std::size_t occurrences(std::string_view text, std::string_view prefix) {
  std::size_t n = 0;
  for (std::size_t at = text.find(prefix); at != std::string_view::npos;
       at = text.find(prefix, at + prefix.size()))
    ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view value = borvanta::fuzz::asText(data, size);
  const std::string result = borvanta::removeCountryCode(value);
  const std::string afterKorea = replaceEvery(value, "+82");
  FUZZ_CHECK(result == replaceEvery(afterKorea, "+44"));
  FUZZ_CHECK(result.find("+82") == std::string::npos);
  FUZZ_CHECK(result.find("+44") == std::string::npos);
  const std::size_t replaced = occurrences(value, "+82") + occurrences(afterKorea, "+44");
  FUZZ_CHECK(result.size() == value.size() - 2 * replaced);
  if (value.find('+') == std::string_view::npos) FUZZ_CHECK(result == value);
  // The form the country-code pass uses: nothing exactly when the value stays.
  const std::optional<std::string> changed = borvanta::withoutCountryCodeIfChanged(value);
  FUZZ_CHECK(changed ? *changed == result && result != value : result == value);
  return 0;
}
