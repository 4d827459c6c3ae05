#pragma once
// A .vcf file in memory: the bytes as read, where each card lies in them, the
// new text of every card saved since, and the contact values of every card as
// saved so far. Composing puts the new cards in place of the old ones and
// leaves every other byte as it was.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/vcard/card_editor.h"
#include "backends/vcard/packed_values.h"
#include "backends/vcard/property_map.h"

namespace borvanta::vcard {

// A card's new text and the contact values it holds.
struct EditedCard {
  std::string text;
  PackedValues values;
};

struct CheckedCard {
  ContactValues values;
  bool contact = true;
};

class BookContent {
 public:
  // Reads and checks every card of `text`. Throws SyntaxError.
  explicit BookContent(std::string text);

  [[nodiscard]] std::size_t cardCount() const { return cards_.size(); }
  [[nodiscard]] bool isContact(std::size_t card) const { return cards_.at(card).contact; }
  [[nodiscard]] std::size_t lineNumber(std::size_t card) const {
    return cards_.at(card).lineNumber;
  }
  [[nodiscard]] std::string_view cardText(std::size_t card) const;
  [[nodiscard]] std::string_view originalCardText(std::size_t card) const;

  // The properties of the card as saved so far.
  [[nodiscard]] ContactValues values(std::size_t card) const {
    return cards_.at(card).values.unpacked();
  }
  [[nodiscard]] std::string_view value(std::size_t card, om::ContactProperty property) const {
    return cards_.at(card).values[indexOf(property)];
  }
  // The properties of the card as the file has them. Throws SyntaxError.
  [[nodiscard]] ContactValues originalValues(std::size_t card) const;

  // The card with `writes` applied, or nothing when every value written is
  // the card's already. Throws SyntaxError.
  [[nodiscard]] std::optional<EditedCard> edited(std::size_t card,
                                                 const std::vector<PropertyWrite>& writes) const;
  void replaceCard(std::size_t card, EditedCard edit);
  // The card's text as a journal kept it: checked here to be one whole card
  // that can be read. Throws SyntaxError.
  void restoreCard(std::size_t card, std::string text);

  [[nodiscard]] bool hasEdits() const { return edits_ > 0; }
  [[nodiscard]] CharsetCodec& codec() const { return codec_; }
  [[nodiscard]] const std::string& source() const { return source_; }
  // The file with every saved card in place.
  [[nodiscard]] std::string composed() const;
  // The composed text has become the file.
  void rebase(std::string composedText);

 private:
  struct Slot {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t lineNumber = 0;
    bool contact = true;
    std::optional<std::string> edited;
    PackedValues values;
  };
  void locate();
  void setText(std::size_t card, std::string text, PackedValues values);

  mutable CharsetCodec codec_;
  std::string source_;
  std::vector<Slot> cards_;
  std::size_t edits_ = 0;
};

// Checks that `text` is exactly one card that can be read, and reads it.
// Throws SyntaxError.
[[nodiscard]] CheckedCard checkCard(std::string_view text, std::size_t lineNumber,
                                    CharsetCodec& codec);

}  // namespace borvanta::vcard
