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
  // Every prefix has two characters or more and begins with 0 or 1; the
  // first two characters rule out most entries before a full comparison.
  if (value.size() < 2 || (value[0] != '0' && value[0] != '1')) return {};
  for (std::string_view prefix : phonePrefixTable) {
    if (prefix[0] == value[0] && prefix[1] == value[1] && value.starts_with(prefix)) return prefix;
  }
  return {};
}

bool isDigitsAndSpaces(std::string_view part) {
  return std::all_of(part.begin(), part.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == ' '; });
}

// Room on the stack for the value without its hyphens and brackets, so that
// a call allocates nothing beyond the text it returns.
constexpr std::size_t kInlineNumberLength = 64;

}  // namespace

std::string normalizePhoneNumber(std::string_view value) {
  char inlineBuffer[kInlineNumberLength];
  std::string longBuffer;
  char* out = inlineBuffer;
  if (value.size() > kInlineNumberLength) {
    longBuffer.resize(value.size());
    out = longBuffer.data();
  }
  std::size_t length = 0;
  for (const char c : value) {
    if (c != '-' && c != ')' && c != '(') out[length++] = c;
  }
  const std::string_view bare(out, length);
  const std::string_view number = trimmed(bare);
  const std::string_view prefix = recognisedPrefix(number);
  if (prefix.empty()) return std::string(bare);

  // A value too short to hold a last part of four, whose last four begin
  // with white space (the last part would come out shorter, and would move
  // when the result is normalised again), or whose parts would hold anything
  // but digits and inner spaces, is not a number this form fits: it stays
  // exactly as the user wrote it.
  if (number.size() - prefix.size() < kLastPartLength) return std::string(value);
  const std::string_view last = trimmed(number.substr(number.size() - kLastPartLength));
  const std::string_view middle =
      trimmed(number.substr(prefix.size(), number.size() - kLastPartLength - prefix.size()));
  if (last.size() != kLastPartLength) return std::string(value);
  if (!isDigitsAndSpaces(middle) || !isDigitsAndSpaces(last)) return std::string(value);

  std::string result;
  result.reserve(prefix.size() + middle.size() + last.size() + 2);
  result.append(prefix).push_back('-');
  if (!middle.empty()) result.append(middle).push_back('-');
  result.append(last);
  return result;
}

std::string removeCountryCode(std::string_view value) {
  // Every prefix begins with "+": most values hold none and are returned as
  // they are, without a search for each prefix.
  if (value.find('+') == std::string_view::npos) return std::string(value);
  std::string result;
  std::string_view current = value;
  for (const CountryCode& code : countryCodeTable) {
    if (current.find(code.prefix) != std::string_view::npos) {
      result = replaceAll(current, code.prefix, code.replacement);
      current = result;
    }
  }
  if (current.data() == value.data()) return std::string(value);
  return result;
}

}  // namespace borvanta
