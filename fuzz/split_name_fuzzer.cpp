// splitFullName: the surname is the name's first one or two syllables when
// the table has them (two tried first), the given name the rest after it, at
// most 100 bytes, trimmed; both are byte runs of the name, and neither is
// ever cut inside a code page 949 character.

#include <string>

#include "core/text.h"
#include "fuzz/cp949_walk.h"
#include "fuzz/fuzz_check.h"
#include "job/name_separation.h"

namespace {

using borvanta::isTrimmable;

bool allWhiteSpace(std::string_view s) {
  for (char c : s) {
    if (!isTrimmable(c)) return false;
  }
  return true;
}

// Checks the given name of a name whose surname takes its first `n` bytes.
void checkGivenName(std::string_view name, std::size_t n, const std::string& given,
                    const std::vector<bool>& boundaries) {
  // The rest of the name up to 100 bytes after the surname, ending where a
  // character ends.
  std::size_t end = std::min(name.size(), n + 100);
  while (!boundaries[end])
    --end;
  if (given.empty()) {
    FUZZ_CHECK(allWhiteSpace(name.substr(n, end - n)));
    return;
  }
  const std::size_t at = name.find(given, n);
  FUZZ_CHECK(at != std::string_view::npos);
  FUZZ_CHECK(boundaries[at] && boundaries[at + given.size()]);
  FUZZ_CHECK(at + given.size() <= end);
  FUZZ_CHECK(allWhiteSpace(name.substr(n, at - n)));
  FUZZ_CHECK(allWhiteSpace(name.substr(at + given.size(), end - at - given.size())));
  FUZZ_CHECK(!isTrimmable(given.front()) && !isTrimmable(given.back()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view name = borvanta::fuzz::asText(data, size);
  const borvanta::SplitName split = borvanta::splitFullName(name);
  if (borvanta::isAddressTerm(name)) {
    FUZZ_CHECK(split.surname.empty() && split.givenName == name);
    return 0;
  }
  const std::vector<bool> boundaries = borvanta::fuzz::characterBoundaries(name);
  if (split.surname.empty()) {
    FUZZ_CHECK(split.givenName.empty());
    // No surname of the table begins the name.
    FUZZ_CHECK(borvanta::surnameLength(name.substr(0, 4)) == 0 || name.size() < 4);
    FUZZ_CHECK(borvanta::surnameLength(name.substr(0, 2)) == 0 || name.size() < 2);
    return 0;
  }
  const std::size_t n = split.surname.size();
  FUZZ_CHECK(n == 2 || n == 4);
  FUZZ_CHECK(borvanta::surnameLength(split.surname) == static_cast<int>(n));
  FUZZ_CHECK(name.substr(0, n) == split.surname);
  FUZZ_CHECK(boundaries[n]);
  // Two syllables are tried first.
  if (n == 2) FUZZ_CHECK(borvanta::surnameLength(name.substr(0, 4)) != 4);
  checkGivenName(name, n, split.givenName, boundaries);
  return 0;
}
