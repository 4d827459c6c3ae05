#pragma once
// A .vcf file as the states a run takes it through. A run saves each contact
// after each pass that changes it, in list order, pass after pass; so a run
// cut short during pass P at contact J leaves contacts before J as pass P
// made them and the others as pass P - 1 left them, with every byte outside
// the contacts as it was.

#include <optional>
#include <string>
#include <vector>

#include "backends/vcard/document.h"
#include "backends/vcard/journal.h"

namespace borvanta::testing_support {

// A file cut into its cards. Throws vcard::SyntaxError for one that is not a
// vCard file.
class CardCut {
 public:
  explicit CardCut(std::string text);

  [[nodiscard]] const std::string& text() const { return text_; }
  [[nodiscard]] std::size_t cardCount() const { return cards_.size(); }
  [[nodiscard]] std::string_view card(std::size_t index) const;
  // The file with each card replaced by `cards[i]`.
  [[nodiscard]] std::string withCards(const std::vector<std::string_view>& cards) const;

 private:
  std::string text_;
  std::vector<vcard::CardLocation> cards_;
};

// The states of a file under a run: states[0] the file before it, states[p]
// the file after passes 1 to p.
using RunStates = std::vector<CardCut>;

// Where a run was cut short, if `file` is a state it can leave: the pass (1
// and up; 0 for the file as it was) and the first contact that pass had not
// saved.
struct CutPoint {
  std::size_t pass = 0;
  std::size_t contact = 0;
};
[[nodiscard]] std::optional<CutPoint> cutPointOf(const std::string& file, const RunStates& states);

// The file as it was with the journal's saves in it: each card as the last
// record for it has it.
[[nodiscard]] std::string withJournal(const CardCut& original,
                                      const vcard::JournalContents& journal);

}  // namespace borvanta::testing_support
