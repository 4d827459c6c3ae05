// normalizePhoneNumber against the rules written out plainly, and two
// properties of its own: the result holds only bytes of the value, in their
// order, and hyphens; and normalising a result again leaves it as it is.

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "fuzz/fuzz_check.h"
#include "job/phone_number.h"

namespace {

constexpr std::array<std::string_view, 35> kPrefixes{
    "1599", "1588", "1544", "1644", "080", "1577", "1600", "1688", "1566", "070", "0505", "02",
    "031",  "032",  "033",  "041",  "042", "043",  "051",  "052",  "053",  "054", "055",  "061",
    "062",  "063",  "064",  "011",  "010", "012",  "015",  "016",  "017",  "018", "019"};

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isSpace(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back()))
    s.remove_suffix(1);
  return s;
}

bool digitsAndSpaces(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return (c >= '0' && c <= '9') || c == ' '; });
}

// The rule, step by step: hyphens and brackets go; the trimmed value's prefix
// is looked up; a value too short for a last part of four, whose last four
// begin with white space, or whose parts hold anything but digits and inner
// spaces, stays as it was.
std::string reference(std::string_view value) {
  std::string bare;
  for (char c : value) {
    if (c != '-' && c != '(' && c != ')') bare.push_back(c);
  }
  const std::string_view number = trim(bare);
  std::string_view prefix;
  for (std::string_view p : kPrefixes) {
    if (number.substr(0, 3) == p || number.substr(0, 2) == p || number.substr(0, 4) == p) {
      prefix = p;
    }
  }
  if (prefix.empty()) return bare;
  if (number.size() < prefix.size() + 4) return std::string(value);
  const std::string_view last = trim(number.substr(number.size() - 4));
  const std::string_view middle =
      trim(number.substr(prefix.size(), number.size() - 4 - prefix.size()));
  if (last.size() != 4) return std::string(value);
  if (!digitsAndSpaces(middle) || !digitsAndSpaces(last)) return std::string(value);
  std::string result(prefix);
  result += '-';
  if (!middle.empty()) {
    result += middle;
    result += '-';
  }
  result += last;
  return result;
}

// Whether `part` is `whole` with some bytes left out.
bool isSubsequence(std::string_view part, std::string_view whole) {
  std::size_t at = 0;
  for (char c : part) {
    at = whole.find(c, at);
    if (at == std::string_view::npos) return false;
    ++at;
  }
  return true;
}

std::string withoutHyphens(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c != '-') out.push_back(c);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view value = borvanta::fuzz::asText(data, size);
  const std::string result = borvanta::normalizePhoneNumber(value);
  FUZZ_CHECK(result == reference(value));
  FUZZ_CHECK(isSubsequence(withoutHyphens(result), value));
  FUZZ_CHECK(borvanta::normalizePhoneNumber(result) == result);
  // The form the telephone pass uses: nothing exactly when the value stays.
  const std::optional<std::string> changed = borvanta::normalizedPhoneNumberIfChanged(value);
  FUZZ_CHECK(changed ? *changed == result && result != value : result == value);
  return 0;
}
