#include "backends/vcard/change_log.h"

namespace borvanta::vcard {

void ChangeLog::record(std::size_t card, const ContactValues& before, const ContactValues& after) {
  std::vector<PropertyChange> changes;
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    if (before[i] != after[i]) {
      changes.push_back({static_cast<om::ContactProperty>(i), before[i], after[i]});
    }
  }
  const auto found = indexOfCard_.find(card);
  if (found != indexOfCard_.end()) {
    entries_[found->second].changes = std::move(changes);
    return;
  }
  if (changes.empty()) return;
  indexOfCard_[card] = entries_.size();
  entries_.push_back({contactLabel(before), std::move(changes)});
}

std::vector<ContactChanges> ChangeLog::list() const {
  std::vector<ContactChanges> listed;
  for (const ContactChanges& entry : entries_) {
    if (!entry.changes.empty()) listed.push_back(entry);
  }
  return listed;
}

}  // namespace borvanta::vcard
