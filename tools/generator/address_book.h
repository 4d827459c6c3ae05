#pragma once
// A whole generated address book: `contacts` contact cards, then a few
// distribution lists. The same options always give the same bytes, and the
// first contacts of a larger book are those of a smaller one with the same
// seed, so books of 1,000, 10,000 and 100,000 contacts grow alike.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tools/generator/contact.h"

namespace borvanta::generator {

struct GeneratorOptions {
  std::size_t contacts = 1000;
  std::uint64_t seed = 1;
  FileVersion version = FileVersion::Mixed;
  // How many lists follow the contacts; defaultListCount when not given.
  std::optional<std::size_t> lists;
};

// Three lists, and one more for every 2,000 contacts, at most 50; none in a
// book without contacts.
[[nodiscard]] std::size_t defaultListCount(std::size_t contacts);

// Hands the book to `sink` one card at a time, contacts first. Lists come
// last because a reader of the contacts folder stops at the first item that
// is not a contact.
void writeAddressBook(const GeneratorOptions& options,
                      const std::function<void(std::string_view card)>& sink);

[[nodiscard]] std::string generateAddressBook(const GeneratorOptions& options);

// "2.1", "3.0", "mixed" and back; nullopt for anything else.
[[nodiscard]] std::optional<FileVersion> parseFileVersion(std::string_view text);

}  // namespace borvanta::generator
