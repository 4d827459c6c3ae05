#include "tests/unit/reliability/book_states.h"

namespace borvanta::testing_support {

CardCut::CardCut(std::string text) : text_(std::move(text)), cards_(vcard::locateCards(text_)) {}

std::string_view CardCut::card(std::size_t index) const {
  return cards_.at(index).raw.of(text_);
}

std::string CardCut::withCards(const std::vector<std::string_view>& cards) const {
  std::string out;
  std::size_t copied = 0;
  for (std::size_t i = 0; i < cards_.size(); ++i) {
    out.append(text_, copied, cards_[i].raw.begin - copied);
    out.append(cards.at(i));
    copied = cards_[i].raw.end;
  }
  out.append(text_, copied);
  return out;
}

std::optional<CutPoint> cutPointOf(const std::string& file, const RunStates& states) {
  const CardCut& original = states.front();
  std::optional<CardCut> cut;
  try {
    cut.emplace(file);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (cut->cardCount() != original.cardCount()) return std::nullopt;
  for (std::size_t pass = 1; pass < states.size(); ++pass) {
    std::size_t contact = 0;
    while (contact < cut->cardCount() && cut->card(contact) == states[pass].card(contact))
      ++contact;
    std::vector<std::string_view> cards;
    for (std::size_t i = 0; i < original.cardCount(); ++i)
      cards.push_back(i < contact ? states[pass].card(i) : states[pass - 1].card(i));
    if (original.withCards(cards) == file) {
      return CutPoint{contact == 0 ? pass - 1 : pass, contact};
    }
  }
  return std::nullopt;
}

std::string withJournal(const CardCut& original, const vcard::JournalContents& journal) {
  std::vector<std::string_view> cards;
  for (std::size_t i = 0; i < original.cardCount(); ++i)
    cards.push_back(original.card(i));
  for (const vcard::JournalRecord& record : journal.records)
    cards.at(record.card) = record.text;
  return original.withCards(cards);
}

}  // namespace borvanta::testing_support
