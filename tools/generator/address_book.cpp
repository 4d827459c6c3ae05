#include "tools/generator/address_book.h"

#include <algorithm>

#include "tools/generator/card_writer.h"

namespace borvanta::generator {

std::size_t defaultListCount(std::size_t contacts) {
  if (contacts == 0) return 0;
  return std::min<std::size_t>(50, 3 + contacts / 2000);
}

void writeAddressBook(const GeneratorOptions& options,
                      const std::function<void(std::string_view card)>& sink) {
  for (std::size_t i = 0; i < options.contacts; ++i) {
    sink(writeContact(makeContact(options.seed, i, options.version)));
  }
  const std::size_t lists = options.lists.value_or(defaultListCount(options.contacts));
  for (std::size_t i = 0; i < lists; ++i) {
    sink(writeList(makeList(options.seed, i, options.contacts, options.version)));
  }
}

std::string generateAddressBook(const GeneratorOptions& options) {
  std::string book;
  writeAddressBook(options, [&](std::string_view card) { book.append(card); });
  return book;
}

std::optional<FileVersion> parseFileVersion(std::string_view text) {
  if (text == "2.1") return FileVersion::V21;
  if (text == "3.0") return FileVersion::V30;
  if (text == "mixed") return FileVersion::Mixed;
  return std::nullopt;
}

}  // namespace borvanta::generator
