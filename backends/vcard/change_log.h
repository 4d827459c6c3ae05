#pragma once
// What a dry run would have written: per contact, each property whose saved
// value differs from the one the file holds.

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "backends/vcard/property_map.h"
#include "backends/vcard/vcard_runtime.h"

namespace borvanta::vcard {

class ChangeLog {
 public:
  // The card now holds `after`; the file holds `before`.
  void record(std::size_t card, const ContactValues& before, const ContactValues& after);
  // Contacts with at least one change, in the order of their first change.
  [[nodiscard]] std::vector<ContactChanges> list() const;

 private:
  std::vector<ContactChanges> entries_;
  std::unordered_map<std::size_t, std::size_t> indexOfCard_;
};

}  // namespace borvanta::vcard
