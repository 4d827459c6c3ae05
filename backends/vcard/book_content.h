#pragma once
// A .vcf file in memory: the bytes as read, where each card lies in them, and
// the new text of every card saved since. Composing puts the new cards in
// place of the old ones and leaves every other byte as it was.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/vcard/property_map.h"

namespace borvanta::vcard {

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

  // The properties of the card as saved so far. Throws SyntaxError.
  [[nodiscard]] ContactValues values(std::size_t card);
  [[nodiscard]] std::string value(std::size_t card, om::ContactProperty property);
  [[nodiscard]] ContactValues originalValues(std::size_t card) const;

  // The card's new text from the editor, whose every line it wrote reads
  // back (it checks them itself).
  void replaceCard(std::size_t card, std::string text);
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
  };
  void locate();

  mutable CharsetCodec codec_;
  std::string source_;
  std::vector<Slot> cards_;
  std::size_t edits_ = 0;
  // The values of the card read last: the store reads them one by one.
  const ContactValues& cached(std::size_t card);

  std::optional<std::size_t> cachedCard_;
  ContactValues cachedValues_;
};

// Checks that `text` is exactly one card that can be read, and reads it.
// Throws SyntaxError.
[[nodiscard]] CheckedCard checkCard(std::string_view text, std::size_t lineNumber,
                                    CharsetCodec& codec);

}  // namespace borvanta::vcard
