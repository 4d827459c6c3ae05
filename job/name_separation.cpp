#include "job/name_separation.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <vector>

#include "core/cp949.h"
#include "core/text.h"
#include "job/surname_table.h"

namespace borvanta {

namespace {

// The tables in code page 949, keyed for one lookup: one-syllable surnames by
// their two bytes, two-syllable surnames by their four.
struct NameTables {
  std::bitset<65536> oneSyllable;
  std::vector<std::uint32_t> twoSyllables;  // sorted
  std::vector<std::string> addressTerms;    // code page 949

  NameTables() {
    for (std::string_view surname : surnameTable) {
      const std::string bytes = cp949(surname);
      if (bytes.size() == 2) {
        oneSyllable.set(key2(bytes));
      } else {
        twoSyllables.push_back(key4(bytes));
      }
    }
    std::sort(twoSyllables.begin(), twoSyllables.end());
    for (std::string_view term : borvanta::addressTerms)
      addressTerms.push_back(cp949(term));
  }

  static std::uint32_t byte(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
  }
  static std::size_t key2(std::string_view s) { return (byte(s, 0) << 8) | byte(s, 1); }
  static std::uint32_t key4(std::string_view s) {
    return (byte(s, 0) << 24) | (byte(s, 1) << 16) | (byte(s, 2) << 8) | byte(s, 3);
  }
};

const NameTables& nameTables() {
  static const NameTables tables;
  return tables;
}

// The surname length that `candidate`, taken from the start of `name` and
// trimmed, gives. A match counts only when the name begins with the surname
// itself: a candidate that matched only after white space was trimmed from
// its front would cut the name in the middle of a character.
int matchAtStart(std::string_view name, std::string_view candidate) {
  const int n = surnameLength(candidate);
  if (n == 0 || name.substr(0, static_cast<std::size_t>(n)) != candidate) return 0;
  return n;
}

// At most `limit` bytes from the start of `text`, ending where a code page
// 949 character ends: a lead byte (0x81 to 0xFE) and the trail byte after it
// are one character and are never parted.
std::string_view leadingCharacters(std::string_view text, std::size_t limit) {
  const auto isLead = [](unsigned char c) { return c >= 0x81 && c <= 0xFE; };
  const auto isTrail = [](unsigned char c) {
    return (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A) || (c >= 0x81 && c <= 0xFE);
  };
  std::size_t end = 0;
  while (end < text.size()) {
    const bool pair = isLead(static_cast<unsigned char>(text[end])) && end + 1 < text.size() &&
                      isTrail(static_cast<unsigned char>(text[end + 1]));
    const std::size_t next = end + (pair ? 2 : 1);
    if (next > limit) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace

int surnameLength(std::string_view candidate) {
  const NameTables& tables = nameTables();
  if (candidate.size() == 2) {
    return tables.oneSyllable.test(NameTables::key2(candidate)) ? 2 : 0;
  }
  if (candidate.size() == 4) {
    return std::binary_search(tables.twoSyllables.begin(), tables.twoSyllables.end(),
                              NameTables::key4(candidate))
               ? 4
               : 0;
  }
  return 0;
}

bool isAddressTerm(std::string_view name) {
  const auto& terms = nameTables().addressTerms;
  return std::find(terms.begin(), terms.end(), name) != terms.end();
}

SplitName splitFullName(std::string_view name) {
  if (isAddressTerm(name)) return {"", std::string(name)};
  const std::string_view twoSyllables = trimmed(name.substr(0, 4));
  const std::string_view oneSyllable = trimmed(name.substr(0, 2));
  int n = matchAtStart(name, twoSyllables);
  if (n == 0) n = matchAtStart(name, oneSyllable);
  if (n == 0) return {};
  const auto cut = static_cast<std::size_t>(n);
  return {std::string(trimmed(name.substr(0, cut))),
          std::string(trimmed(leadingCharacters(name.substr(cut), 100)))};
}

}  // namespace borvanta
