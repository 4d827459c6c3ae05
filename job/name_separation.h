#pragma once
// Splitting a Korean name into family name (성) and given name (이름) by the
// surname table. Text is code page 949; lengths count bytes.

#include <string>
#include <string_view>

namespace borvanta {

// The byte length of the surname table's entry equal to `candidate` (4 for a
// two-syllable surname, 2 for one syllable), 0 when there is none.
[[nodiscard]] int surnameLength(std::string_view candidate);

// True when `name` is one of the words of address that are never split.
[[nodiscard]] bool isAddressTerm(std::string_view name);

struct SplitName {
  std::string surname;
  std::string givenName;

  friend bool operator==(const SplitName&, const SplitName&) = default;
};

// Family and given name of `name`; both empty when no surname is found, and
// the whole name as given name for a word of address.
[[nodiscard]] SplitName splitFullName(std::string_view name);

}  // namespace borvanta
