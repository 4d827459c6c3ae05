#include "job/contact_list.h"

#include <utility>

namespace borvanta {

void ContactList::append(ContactRecord record) {
  auto* node = new ContactNode{std::move(record), nullptr, nullptr};
  ++count_;
  if (head_ == nullptr) {
    head_ = node;
  } else {
    tail_->next = node;
    node->prev = tail_;
  }
  tail_ = node;
}

void ContactList::clear() {
  // First every record gives back its item, in list order; then the nodes go.
  for (ContactRecord* record = startWalk(); record != nullptr; record = advance()) {
    record->item.reset();
  }
  ContactNode* node = head_;
  while (node != nullptr) {
    ContactNode* next = node->next;
    delete node;
    node = next;
  }
  head_ = tail_ = cursor_ = nullptr;
  count_ = 0;
}

ContactRecord* ContactList::startWalk() {
  cursor_ = head_;
  return cursor_ != nullptr ? &cursor_->record : nullptr;
}

ContactRecord* ContactList::advance() {
  if (cursor_ != nullptr) cursor_ = cursor_->next;
  return cursor_ != nullptr ? &cursor_->record : nullptr;
}

}  // namespace borvanta
