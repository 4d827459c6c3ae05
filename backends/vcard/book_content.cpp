#include "backends/vcard/book_content.h"

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
    (void)readValues(card, codec_);  // every property must be readable
  }
}

void BookContent::locate() {
  cards_.clear();
  for (const CardLocation& location : locateCards(source_))
    cards_.push_back({location.raw.begin, location.raw.end, location.lineNumber, true, {}});
}

std::string_view BookContent::originalCardText(std::size_t card) const {
  const Slot& slot = cards_.at(card);
  return std::string_view(source_).substr(slot.begin, slot.end - slot.begin);
}

std::string_view BookContent::cardText(std::size_t card) const {
  const Slot& slot = cards_.at(card);
  return slot.edited ? std::string_view(*slot.edited) : originalCardText(card);
}

const ContactValues& BookContent::cached(std::size_t card) {
  if (cachedCard_ != card) {
    cachedValues_ = checkCard(cardText(card), lineNumber(card), codec_).values;
    cachedCard_ = card;
  }
  return cachedValues_;
}

ContactValues BookContent::values(std::size_t card) {
  return cached(card);
}

std::string BookContent::value(std::size_t card, om::ContactProperty property) {
  return cached(card)[indexOf(property)];
}

ContactValues BookContent::originalValues(std::size_t card) const {
  return checkCard(originalCardText(card), lineNumber(card), codec_).values;
}

void BookContent::replaceCard(std::size_t card, std::string text) {
  Slot& slot = cards_.at(card);
  if (!slot.edited) ++edits_;
  slot.edited = std::move(text);
  if (cachedCard_ == card) cachedCard_.reset();
}

void BookContent::restoreCard(std::size_t card, std::string text) {
  const CheckedCard checked = checkCard(text, cards_.at(card).lineNumber, codec_);
  if (checked.contact != cards_.at(card).contact) {
    throw SyntaxError(cards_.at(card).lineNumber, "저장 기록의 카드 종류가 다릅니다");
  }
  replaceCard(card, std::move(text));
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
  for (std::size_t i = 0; i < count; ++i)
    cards_[i].contact = old[i].contact;
  edits_ = 0;
  cachedCard_.reset();
}

}  // namespace borvanta::vcard
