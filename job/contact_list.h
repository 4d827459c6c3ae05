#pragma once
// The run's contacts: a doubly linked list of records in the order the store
// read them, with one cursor for the walk in progress. The application owns
// the one list; each run clears it and fills it anew.

#include <cstdint>

#include "job/contact_record.h"

namespace borvanta {

struct ContactNode {
  ContactRecord record;
  ContactNode* prev = nullptr;
  ContactNode* next = nullptr;
};

class ContactList {
 public:
  ContactList() = default;
  ~ContactList() { clear(); }
  ContactList(const ContactList&) = delete;
  ContactList& operator=(const ContactList&) = delete;

  // Adds the record at the end.
  void append(ContactRecord record);
  // Destroys every record (each gives back its item reference) and node.
  void clear();

  [[nodiscard]] std::int32_t count() const { return count_; }
  [[nodiscard]] ContactNode* head() const { return head_; }
  [[nodiscard]] ContactNode* tail() const { return tail_; }
  [[nodiscard]] ContactNode* cursor() const { return cursor_; }

  // The walk: startWalk() puts the cursor on the first node, advance() moves
  // it to the next; both return the record under the cursor, null at the end.
  ContactRecord* startWalk();
  ContactRecord* advance();

 private:
  ContactNode* head_ = nullptr;
  ContactNode* tail_ = nullptr;
  ContactNode* cursor_ = nullptr;
  std::int32_t count_ = 0;
};

}  // namespace borvanta
