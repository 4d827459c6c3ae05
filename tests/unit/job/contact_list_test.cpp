#include "job/contact_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace borvanta {
namespace {

// An item that counts how often it was released for good.
class CountedItem : public ComObject {
 public:
  explicit CountedItem(int* destroyed) : destroyed_(destroyed) {}
  ~CountedItem() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

ContactRecord recordNamed(const char* name, int* destroyed = nullptr) {
  ContactRecord record;
  record.firstName = name;
  if (destroyed != nullptr) record.item = makeRef<CountedItem>(destroyed);
  return record;
}

std::vector<std::string> walk(ContactList& list) {
  std::vector<std::string> names;
  for (ContactRecord* r = list.startWalk(); r != nullptr; r = list.advance()) {
    names.push_back(r->firstName);
  }
  return names;
}

TEST(ContactList, AppendKeepsOrderAndLinks) {
  ContactList list;
  EXPECT_TRUE(walk(list).empty());
  list.append(recordNamed("A"));
  EXPECT_EQ(list.head(), list.tail());
  EXPECT_EQ(list.count(), 1);
  list.append(recordNamed("B"));
  list.append(recordNamed("C"));
  EXPECT_EQ(walk(list), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(list.tail()->prev->prev, list.head());
  EXPECT_EQ(list.cursor(), nullptr);  // a finished walk leaves no cursor
}

TEST(ContactList, ClearGivesBackEveryItemReference) {
  int destroyed = 0;
  ContactList list;
  list.clear();  // an empty list: nothing to release
  for (const char* name : {"A", "B", "C", "D"})
    list.append(recordNamed(name, &destroyed));
  EXPECT_EQ(destroyed, 0);
  list.clear();
  EXPECT_EQ(destroyed, 4);
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.head(), nullptr);
  EXPECT_EQ(list.tail(), nullptr);
  list.append(recordNamed("E"));
  EXPECT_EQ(list.count(), 1);  // counts only what was appended since the clear
}

TEST(ContactList, ClearsAHundredThousandRecordsWithoutRecursion) {
  ContactList list;
  for (int i = 0; i < 100000; ++i)
    list.append(recordNamed("x"));
  list.clear();
  EXPECT_EQ(list.count(), 0);
}

TEST(ContactRecord, ReleasesItsItemWhenDestroyed) {
  int destroyed = 0;
  { ContactRecord record = recordNamed("A", &destroyed); }
  EXPECT_EQ(destroyed, 1);
}

}  // namespace
}  // namespace borvanta
