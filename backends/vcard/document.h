#pragma once
// The layout of a whole .vcf file: where each card starts and ends. Bytes
// outside the cards (a byte-order mark, blank lines between cards) belong to
// no card and are kept as they are.

#include <cstddef>
#include <string_view>
#include <vector>

#include "backends/vcard/card.h"

namespace borvanta::vcard {

struct CardLocation {
  Span raw;                    // in the file: BEGIN:VCARD to the break after END:VCARD
  std::size_t lineNumber = 0;  // of its BEGIN line
};

// Finds the cards of `text`. Throws SyntaxError for a text that is not a
// vCard file: another encoding (UTF-16), bytes that are not text, content
// outside a card, a card that never ends. An empty text has no cards.
[[nodiscard]] std::vector<CardLocation> locateCards(std::string_view text);

}  // namespace borvanta::vcard
