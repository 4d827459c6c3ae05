#include "backends/vcard/book_content.h"

#include <algorithm>

#include "backends/vcard/card_parser.h"
#include "backends/vcard/document.h"
#include "backends/vcard/vcard_error.h"

namespace borvanta::vcard {

CheckedCard checkCard(std::string_view text, std::size_t lineNumber, CharsetCodec& codec) {
  const std::vector<CardLocation> found = locateCards(text);
  if (found.size() != 1 || found.front().raw.begin != 0 || found.front().raw.end != text.size()) {
    throw SyntaxError(lineNumber, "카드 하나가 아닙니다");
  }
  const ParsedCard card = parseCard(text, lineNumber);
  return {readValues(card, codec), !isGroupCard(card)};
}

BookContent::BookContent(std::string text) : source_(std::move(text)) {
  locate();
  for (Slot& slot : cards_) {
    const std::string_view cardView =
        std::string_view(source_).substr(slot.begin, slot.end - slot.begin);
    const ParsedCard card = parseCard(cardView, slot.lineNumber);
    slot.contact = !isGroupCard(card);
    slot.values = PackedValues(readValues(card, codec_));  // every property must be readable
  }
}

void BookContent::locate() {
  cards_.clear();
  for (const CardLocation& location : locateCards(source_))
    cards_.push_back({location.raw.begin, location.raw.end, location.lineNumber, true, {}, {}});
}

std::string_view BookContent::originalCardText(std::size_t card) const {
  const Slot& slot = cards_.at(card);
  return std::string_view(source_).substr(slot.begin, slot.end - slot.begin);
}

std::string_view BookContent::cardText(std::size_t card) const {
  const Slot& slot = cards_.at(card);
  return slot.edited ? std::string_view(*slot.edited) : originalCardText(card);
}

ContactValues BookContent::originalValues(std::size_t card) const {
  return checkCard(originalCardText(card), lineNumber(card), codec_).values;
}

std::optional<EditedCard> BookContent::edited(std::size_t card,
                                              const std::vector<PropertyWrite>& writes) const {
  const Slot& slot = cards_.at(card);
  const bool unchanged = std::all_of(writes.begin(), writes.end(), [&](const PropertyWrite& w) {
    return slot.values[indexOf(w.property)] == w.value;
  });
  if (unchanged) return std::nullopt;
  std::optional<std::string> text = editCard(cardText(card), slot.lineNumber, writes, codec_);
  if (!text) return std::nullopt;
  // The editor read back every line it wrote: the written values are the
  // card's now, and the lines it did not write say what they said. Two
  // cases are read again instead: a carriage return, which 3.0 and 4.0
  // write as their line break and read back as a line feed; and an emptied
  // File As, which loses its line.
  ContactValues values = slot.values.unpacked();
  bool readAgain = false;
  for (const PropertyWrite& write : writes) {
    std::string& value = values[indexOf(write.property)];
    readAgain =
        readAgain || write.value.find('\r') != std::string::npos ||
        (write.property == om::ContactProperty::FileAs && write.value.empty() && !value.empty());
    value = write.value;
  }
  if (readAgain) values = checkCard(*text, slot.lineNumber, codec_).values;
  return EditedCard{std::move(*text), PackedValues(values)};
}

void BookContent::replaceCard(std::size_t card, EditedCard edit) {
  setText(card, std::move(edit.text), std::move(edit.values));
}

void BookContent::restoreCard(std::size_t card, std::string text) {
  const CheckedCard checked = checkCard(text, cards_.at(card).lineNumber, codec_);
  if (checked.contact != cards_.at(card).contact) {
    throw SyntaxError(cards_.at(card).lineNumber, "저장 기록의 카드 종류가 다릅니다");
  }
  setText(card, std::move(text), PackedValues(checked.values));
}

void BookContent::setText(std::size_t card, std::string text, PackedValues values) {
  Slot& slot = cards_.at(card);
  if (!slot.edited) ++edits_;
  slot.edited = std::move(text);
  slot.values = std::move(values);
}

std::string BookContent::composed() const {
  std::size_t size = source_.size();
  for (const Slot& slot : cards_) {
    if (slot.edited) size = size - (slot.end - slot.begin) + slot.edited->size();
  }
  std::string out;
  out.reserve(size);  // exactly: the file is large, and growing it would copy it
  std::size_t copied = 0;
  for (const Slot& slot : cards_) {
    if (!slot.edited) continue;
    out.append(source_, copied, slot.begin - copied);
    out.append(*slot.edited);
    copied = slot.end;
  }
  out.append(source_, copied, std::string::npos);
  return out;
}

void BookContent::rebase(std::string composedText) {
  const std::size_t count = cards_.size();
  std::vector<Slot> old = std::move(cards_);
  source_ = std::move(composedText);
  locate();
  if (cards_.size() != count) throw SyntaxError(1, "합친 파일의 카드 수가 맞지 않습니다");
  for (std::size_t i = 0; i < count; ++i) {
    cards_[i].contact = old[i].contact;
    cards_[i].values = std::move(old[i].values);
  }
  edits_ = 0;
}

}  // namespace borvanta::vcard
