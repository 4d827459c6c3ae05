// Who holds which object of the model, and when each is given back: records
// hold their items, the reset lets go of items, folder and application in
// that order, and nothing outlives the program's own objects.

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/job_harness.h"
#include "tests/support/named_rows.h"
#include "tests/unit/outlook/store_fixture.h"

namespace borvanta::testing_support {
namespace {

using Strings = std::vector<std::string>;

// The kinds destroyed since `mark` (an earlier size of destroyed()).
Strings destroyedSince(const FakeOutlook& outlook, std::size_t mark) {
  const auto& all = outlook.destroyed();
  return Strings(all.begin() + static_cast<std::ptrdiff_t>(mark), all.end());
}

TEST_F(StoreTest, EachRecordHoldsItsOwnItem) {
  addContacts(2);
  outlook.addNonContact();
  addContacts(3);
  ASSERT_TRUE(load());
  ASSERT_EQ(list.count(), 5);
  // Application, folder, items, and one item per record; the list item is gone.
  EXPECT_EQ(outlook.liveObjects(), 3 + 5);
  for (const ContactNode* node = list.head(); node != nullptr; node = node->next) {
    ASSERT_TRUE(node->record.item);
    EXPECT_EQ(node->record.item->referenceCount(), 1U);
  }
  const std::size_t mark = outlook.destroyed().size();
  list.clear();
  EXPECT_EQ(destroyedSince(outlook, mark), Strings(5, "ContactItem"));
  EXPECT_EQ(outlook.liveObjects(), 3);
}

TEST_F(StoreTest, TheResetReleasesItemsFolderAndApplicationInThatOrder) {
  addContacts(2);
  ASSERT_TRUE(load());
  const std::size_t mark = outlook.destroyed().size();
  connection.reset();
  EXPECT_EQ(destroyedSince(outlook, mark), (Strings{"Items", "MAPIFolder", "Application"}));
  EXPECT_FALSE(connection.application);
  EXPECT_FALSE(connection.folder);
  EXPECT_FALSE(connection.items);
  EXPECT_EQ(outlook.liveObjects(), 2);  // the records' items
}

TEST_F(StoreTest, AReadCutShortKeepsItsItemUntilTheNextReadReplacesIt) {
  addContacts(3);
  outlook.failCall("ContactItem.Get(LastName)", E_FAIL, std::nullopt, 2);
  ASSERT_FALSE(load());
  ASSERT_TRUE(connection.currentItem);
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(outlook.liveObjects(), 3 + 1 + 1);
  // The next run: reset, clear, load again.
  connection.reset();
  list.clear();
  EXPECT_EQ(outlook.liveObjects(), 1);  // the item the read stood on
  ASSERT_TRUE(load());
  EXPECT_FALSE(connection.currentItem);
  EXPECT_EQ(outlook.liveObjects(), 3 + 3);
}

// --- nothing is left at exit ----------------------------------------------------------

struct ExitRow {
  const char* name;
  std::function<void(FakeOutlook&)> arrange;
  bool useDefaultContacts;
};

class NothingLeftAtExit : public ::testing::TestWithParam<ExitRow> {};

TEST_P(NothingLeftAtExit, WhenTheProgramsObjectsAreGone) {
  FakeOutlook outlook;
  for (int i = 0; i < 12; ++i)
    outlook.addContact({{om::ContactProperty::FirstName, u"이름"}});
  outlook.addNonContact();
  GetParam().arrange(outlook);
  {
    FakeMessageLoop loop;
    PageBridge page{loop};
    page.setDocument(makeContactSortDocument({}));
    page.attach();
    OutlookConnection connection;
    ContactStore store(outlook.runtime(), connection, page);
    ContactList list;
    RecordingOwner owner;
    if (store.open(owner, GetParam().useDefaultContacts)) (void)store.readAll(owner, list);
    EXPECT_GT(outlook.liveObjects(), 0);
  }
  EXPECT_EQ(outlook.liveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Store, NothingLeftAtExit,
    ::testing::Values(
        ExitRow{"CompleteLoad", [](FakeOutlook&) {}, true},
        ExitRow{"ReadCutShort",
                [](FakeOutlook& o) { o.failCall("ContactItem.Get", E_FAIL, std::nullopt, 55); },
                true},
        ExitRow{"PickerClosed", [](FakeOutlook& o) { o.setPickerCancels(true); }, false},
        ExitRow{"ItemsCallFailed", [](FakeOutlook& o) { o.failCall("MAPIFolder.Items", E_FAIL); },
                true}),
    RowName());

// --- two runs in a row ----------------------------------------------------------------

TEST(TwoRuns, TheSecondLetsGoOfTheFirstsObjectsAndAsksForANewApplication) {
  JobHarness h;
  for (int i = 0; i < 3; ++i)
    h.outlook.addContact({{om::ContactProperty::FirstName, u"이름"}});
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.outlook.liveObjects(), 3 + 3);
  const std::size_t mark = h.outlook.destroyed().size();
  const std::size_t callsOfFirst = h.outlook.calls().size();
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  const Strings afterFirst = destroyedSince(h.outlook, mark);
  ASSERT_GE(afterFirst.size(), 6U);
  // Before the second load: the first run's items, folder and application,
  // then its records' items.
  EXPECT_EQ(
      Strings(afterFirst.begin(), afterFirst.begin() + 6),
      (Strings{"Items", "MAPIFolder", "Application", "ContactItem", "ContactItem", "ContactItem"}));
  EXPECT_EQ(h.outlook.calls().at(callsOfFirst), "CoCreateInstance");
  EXPECT_EQ(h.outlook.callCount("CoCreateInstance"), 2);
  EXPECT_EQ(h.outlook.liveObjects(), 3 + 3);
  EXPECT_EQ(h.list.count(), 3);
  const std::vector<std::string> log = h.log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "3 개의 연락처를 읽기 시작합니다"), 2);
}

}  // namespace
}  // namespace borvanta::testing_support
