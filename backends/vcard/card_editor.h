#pragma once
// Writing contact properties into one card. Only the lines that hold a
// changed property are rewritten (in the card's own syntax); every other
// byte of the card is copied as it was. A property the card lacks gets a new
// line next to its kin; an emptied File As loses its line.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/vcard/charset.h"
#include "outlook/object_model.h"

namespace borvanta::vcard {

struct PropertyWrite {
  om::ContactProperty property;
  std::string value;  // UTF-8
};

// The card's text with `writes` applied in order, or nothing when every
// value written equals the one the card holds. `firstLineNumber` places the
// card in its file, for errors. Throws SyntaxError.
[[nodiscard]] std::optional<std::string> editCard(std::string_view cardText,
                                                  std::size_t firstLineNumber,
                                                  const std::vector<PropertyWrite>& writes,
                                                  CharsetCodec& codec);
[[nodiscard]] std::optional<std::string> editCard(std::string_view cardText,
                                                  std::size_t firstLineNumber,
                                                  const std::vector<PropertyWrite>& writes);

}  // namespace borvanta::vcard
