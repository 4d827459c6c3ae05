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

// Room for a text made from a value: on the stack for the usual sizes, so
// that a call allocates nothing beyond the text it returns.
class ScratchText {
 public:
  explicit ScratchText(std::size_t capacity) {
    if (capacity > kInline) {
      heap_.resize(capacity);
      data_ = heap_.data();
    }
  }
  ScratchText(const ScratchText&) = delete;
  ScratchText& operator=(const ScratchText&) = delete;

  [[nodiscard]] char* data() { return data_; }

 private:
  static constexpr std::size_t kInline = 64;
  char inline_[kInline];
  std::string heap_;
  char* data_ = inline_;
};

// The hyphenated form of `value`: a view of `value` itself when it stays as
// written, else of text made in one of the two rooms.
std::string_view hyphenated(std::string_view value, ScratchText& bareRoom,
                            ScratchText& resultRoom) {
  char* out = bareRoom.data();
  std::size_t length = 0;
  for (const char c : value) {
    if (c != '-' && c != ')' && c != '(') out[length++] = c;
  }
  const std::string_view bare(out, length);
  const std::string_view number = trimmed(bare);
  const std::string_view prefix = recognisedPrefix(number);
  if (prefix.empty()) return bare;

  // A value too short to hold a last part of four, whose last four begin
  // with white space (the last part would come out shorter, and would move
  // when the result is normalised again), or whose parts would hold anything
  // but digits and inner spaces, is not a number this form fits: it stays
  // exactly as the user wrote it.
  if (number.size() - prefix.size() < kLastPartLength) return value;
  const std::string_view last = trimmed(number.substr(number.size() - kLastPartLength));
  const std::string_view middle =
      trimmed(number.substr(prefix.size(), number.size() - kLastPartLength - prefix.size()));
  if (last.size() != kLastPartLength) return value;
  if (!isDigitsAndSpaces(middle) || !isDigitsAndSpaces(last)) return value;

  // At most the number and two hyphens: no longer than the value plus two.
  char* result = resultRoom.data();
  std::size_t at = 0;
  const auto append = [&](std::string_view part) {
    std::copy(part.begin(), part.end(), result + at);
    at += part.size();
  };
  append(prefix);
  append("-");
  if (!middle.empty()) {
    append(middle);
    append("-");
  }
  append(last);
  return {result, at};
}

}  // namespace

std::string normalizePhoneNumber(std::string_view value) {
  ScratchText bareRoom(value.size());
  ScratchText resultRoom(value.size() + 2);
  return std::string(hyphenated(value, bareRoom, resultRoom));
}

std::optional<std::string> normalizedPhoneNumberIfChanged(std::string_view value) {
  ScratchText bareRoom(value.size());
  ScratchText resultRoom(value.size() + 2);
  const std::string_view result = hyphenated(value, bareRoom, resultRoom);
  if (result == value) return std::nullopt;
  return std::string(result);
}

std::string removeCountryCode(std::string_view value) {
  std::optional<std::string> changed = withoutCountryCodeIfChanged(value);
  return changed ? std::move(*changed) : std::string(value);
}

std::optional<std::string> withoutCountryCodeIfChanged(std::string_view value) {
  // Every prefix begins with "+": most values hold none and are left as
  // they are, without a search for each prefix.
  if (value.find('+') == std::string_view::npos) return std::nullopt;
  std::string result;
  std::string_view current = value;
  for (const CountryCode& code : countryCodeTable) {
    if (current.find(code.prefix) != std::string_view::npos) {
      result = replaceAll(current, code.prefix, code.replacement);
      current = result;
    }
  }
  if (current.data() == value.data()) return std::nullopt;
  return result;
}

}  // namespace borvanta
