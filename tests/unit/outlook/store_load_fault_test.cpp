// A failing call anywhere in the load (open, then readAll) ends it in one
// message box: the object's description of the failure, or its code when it
// gives none, under the application's name.

#include <gtest/gtest.h>

#include <tuple>

#include "tests/unit/outlook/store_fixture.h"

namespace borvanta::testing_support {
namespace {

using Strings = std::vector<std::string>;

constexpr HRESULT kServerError = makeHresult(0x8004010Fu);
constexpr char16_t kDescription[] = u"연락처 서버 오류";

// Two contacts, a distribution list, a third contact.
void arrangeMixedFolder(FakeOutlook& outlook) {
  outlook.addContact({{om::ContactProperty::FirstName, u"이름1"}});
  outlook.addContact({{om::ContactProperty::FirstName, u"이름2"}});
  outlook.addNonContact();
  outlook.addContact({{om::ContactProperty::FirstName, u"이름3"}});
}

struct LoadFaultRow {
  const char* name;
  const char* call;
  int occurrence;
  bool useDefaultContacts;
  bool inRead;            // open succeeded; readAll failed
  bool startLineWritten;  // the failure came after Items.Count
  Strings recordsKept;
};

class LoadFault : public ::testing::TestWithParam<std::tuple<LoadFaultRow, bool>>,
                  public StoreRig {};

TEST_P(LoadFault, EndsTheLoadInOneBoxKeepingTheRecordsReadBefore) {
  const auto& [row, described] = GetParam();
  arrangeMixedFolder(outlook);
  if (described) {
    outlook.failCall(row.call, kServerError, kDescription, row.occurrence);
  } else {
    outlook.failCall(row.call, kServerError, std::nullopt, row.occurrence);
  }
  EXPECT_FALSE(load(row.useDefaultContacts));
  const std::string text = described ? "연락처 서버 오류" : "오류 0x8004010F";
  EXPECT_EQ(owner.boxes, (std::vector<ShownBox>{{text, "borvanta"}}));
  EXPECT_EQ(outlook.calls().back().rfind(row.call, 0), 0U) << "a call followed the failure";
  EXPECT_EQ(owner.broughtToTop, row.inRead ? 1 : 0);
  EXPECT_EQ(log(), row.startLineWritten ? Strings{"4 개의 연락처를 읽기 시작합니다"} : Strings{});
  EXPECT_TRUE(progress().empty());
  EXPECT_EQ(recordNames(), row.recordsKept);
}

std::string loadFaultName(const ::testing::TestParamInfo<std::tuple<LoadFaultRow, bool>>& info) {
  return std::string(std::get<0>(info.param).name) +
         (std::get<1>(info.param) ? "_Described" : "_Undescribed");
}

INSTANTIATE_TEST_SUITE_P(
    Store, LoadFault,
    ::testing::Combine(
        ::testing::Values(
            LoadFaultRow{"GetNamespace", "Application.GetNamespace", 1, true, false, false, {}},
            LoadFaultRow{
                "GetDefaultFolder", "NameSpace.GetDefaultFolder", 1, true, false, false, {}},
            LoadFaultRow{"PickFolder", "NameSpace.PickFolder", 1, false, false, false, {}},
            LoadFaultRow{"FolderItems", "MAPIFolder.Items", 1, true, false, false, {}},
            LoadFaultRow{"GetFirst", "Items.GetFirst", 1, true, true, false, {}},
            LoadFaultRow{"FirstQuery", "Item.QueryInterface", 1, true, true, false, {}},
            LoadFaultRow{"Count", "Items.Count", 1, true, true, false, {}},
            LoadFaultRow{"FirstProperty", "ContactItem.Get(FirstName)", 1, true, true, true, {}},
            LoadFaultRow{"FirstGetNext", "Items.GetNext", 1, true, true, true, {"이름1"}},
            LoadFaultRow{"LastPropertyOfSecond",
                         "ContactItem.Get(Department)",
                         2,
                         true,
                         true,
                         true,
                         {"이름1"}},
            LoadFaultRow{
                "QueryOfTheList", "Item.QueryInterface", 3, true, true, true, {"이름1", "이름2"}},
            LoadFaultRow{
                "GetNextAfterTheList", "Items.GetNext", 3, true, true, true, {"이름1", "이름2"}},
            LoadFaultRow{"PropertyOfThird",
                         "ContactItem.Get(HomeTelephoneNumber)",
                         3,
                         true,
                         true,
                         true,
                         {"이름1", "이름2"}}),
        ::testing::Bool()),
    loadFaultName);

// Every call the load makes, failed in turn: each ends the load in one box,
// no call follows the failing one, and nothing is left behind once the
// connection and the list are let go.
TEST(LoadFaultSweep, EveryCallOfTheLoadCanFailAndEndsItInOneBox) {
  int calls = 0;
  {
    StoreRig clean;
    arrangeMixedFolder(clean.outlook);
    ASSERT_TRUE(clean.load());
    calls = static_cast<int>(clean.outlook.calls().size());
  }
  // Six calls to open; then one per step to an item, per query and per
  // property read, and Count.
  ASSERT_EQ(calls, 6 + 5 + 4 + 1 + 3 * 10);
  for (int k = 1; k <= calls; ++k) {
    SCOPED_TRACE("call " + std::to_string(k));
    StoreRig rig;
    arrangeMixedFolder(rig.outlook);
    const std::string description = "호출 " + std::to_string(k) + " 실패";
    rig.outlook.failCallNumber(k, E_FAIL, utf8ToUtf16(description));
    EXPECT_FALSE(rig.load());
    ASSERT_EQ(rig.owner.boxes.size(), 1U);
    const ShownBox expected = k <= 3 ? ShownBox{"아웃룩 초기화 실패", "Outlook Error"}
                                     : ShownBox{description, "borvanta"};
    EXPECT_EQ(rig.owner.boxes[0], expected) << rig.outlook.calls().back();
    EXPECT_EQ(rig.outlook.calls().size(), static_cast<std::size_t>(k));
    rig.list.clear();
    rig.connection.reset();
    rig.connection.currentItem.reset();
    EXPECT_EQ(rig.outlook.liveObjects(), 0);
  }
}

}  // namespace
}  // namespace borvanta::testing_support
