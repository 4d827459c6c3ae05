#include "job/phone_number.h"

#include <algorithm>
#include <array>

#include "core/text.h"

namespace borvanta {

namespace {

// Known leading prefixes, in the order they are tested. None begins another,
// so at most one matches a value.
constexpr std::array<std::string_view, 35> phonePrefixTable{
    "1599", "1588", "1544", "1644", "080", "1577", "1600", "1688", "1566", "070", "0505", "02",
    "031",  "032",  "033",  "041",  "042", "043",  "051",  "052",  "053",  "054", "055",  "061",
    "062",  "063",  "064",  "011",  "010", "012",  "015",  "016",  "017",  "018", "019"};

struct CountryCode {
  std::string_view prefix;
  std::string_view replacement;
};
constexpr std::array<CountryCode, 2> countryCodeTable{{{"+82", "0"}, {"+44", "0"}}};

constexpr std::size_t kLastPartLength = 4;

std::string_view recognisedPrefix(std::string_view value) {
  for (std::string_view prefix : phonePrefixTable) {
    if (value.starts_with(prefix)) return prefix;
  }
  return {};
}

bool isDigitsAndSpaces(std::string_view part) {
  return std::all_of(part.begin(), part.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == ' '; });
}

}  // namespace

std::string normalizePhoneNumber(std::string_view value) {
  std::string bare;
  bare.reserve(value.size());
  for (const char c : value) {
    if (c != '-' && c != ')' && c != '(') bare.push_back(c);
  }
  const std::string_view number = trimmed(bare);
  const std::string_view prefix = recognisedPrefix(number);
  if (prefix.empty()) return bare;

  // A value too short to hold a last part of four, or whose parts would hold
  // anything but digits and inner spaces, is not a number this form fits:
  // it stays exactly as the user wrote it.
  if (number.size() - prefix.size() < kLastPartLength) return std::string(value);
  const std::string_view last = trimmed(number.substr(number.size() - kLastPartLength));
  const std::string_view middle =
      trimmed(number.substr(prefix.size(), number.size() - kLastPartLength - prefix.size()));
  if (!isDigitsAndSpaces(middle) || !isDigitsAndSpaces(last)) return std::string(value);

  std::string result;
  result.reserve(prefix.size() + middle.size() + last.size() + 2);
  result.append(prefix).push_back('-');
  if (!middle.empty()) result.append(middle).push_back('-');
  result.append(last);
  return result;
}

std::string removeCountryCode(std::string_view value) {
  std::string result(value);
  for (const CountryCode& code : countryCodeTable) {
    if (result.find(code.prefix) != std::string::npos) {
      result = replaceAll(result, code.prefix, code.replacement);
    }
  }
  return result;
}

}  // namespace borvanta
