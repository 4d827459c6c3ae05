// Opening the store: connecting, choosing the folder, getting its items, and
// the three ways that can end without a folder to read.

#include <gtest/gtest.h>

#include "tests/support/named_rows.h"
#include "tests/unit/outlook/store_fixture.h"

namespace borvanta::testing_support {
namespace {

using Strings = std::vector<std::string>;

// --- the two folder paths ----------------------------------------------------

struct FolderPathRow {
  const char* name;
  bool useDefaultContacts;
  const char* folderCall;
};

class OpenFolderPath : public StoreTableTest<FolderPathRow> {};

TEST_P(OpenFolderPath, MakesTheCallsInOrderKeepsThreeObjectsAndBringsTheWindowUp) {
  const FolderPathRow& row = GetParam();
  addContacts(1);
  EXPECT_TRUE(store.open(owner, row.useDefaultContacts));
  // The namespace is held only while the folder is chosen.
  EXPECT_EQ(outlook.timeline(), (Strings{"CoCreateInstance", "OleRun", "Application.QueryInterface",
                                         "Application.GetNamespace", row.folderCall, "~NameSpace",
                                         "MAPIFolder.Items"}));
  EXPECT_TRUE(connection.application);
  EXPECT_TRUE(connection.folder);
  EXPECT_TRUE(connection.items);
  EXPECT_FALSE(connection.currentItem);
  EXPECT_EQ(outlook.liveObjects(), 3);
  EXPECT_EQ(owner.broughtToTop, 1);
  EXPECT_TRUE(owner.boxes.empty());
  EXPECT_TRUE(log().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Store, OpenFolderPath,
    ::testing::Values(FolderPathRow{"DefaultContactsFolder", true, "NameSpace.GetDefaultFolder"},
                      FolderPathRow{"PickedFolder", false, "NameSpace.PickFolder"}),
    RowName());

// --- the application cannot be created -----------------------------------------

struct StartFailureRow {
  const char* name;
  const char* call;
  bool emptyAnswer;  // the call succeeds but gives nothing
  HRESULT hr;
};

class OpenStartFailure : public StoreTableTest<StartFailureRow> {};

TEST_P(OpenStartFailure, ShowsTheInitialisationBoxAndCallsNothingElse) {
  const StartFailureRow& row = GetParam();
  addContacts(1);
  if (row.emptyAnswer) {
    outlook.answerEmpty(row.call);
  } else {
    outlook.failCall(row.call, row.hr, u"쓰이지 않는 설명");
  }
  EXPECT_FALSE(store.open(owner, true));
  EXPECT_EQ(owner.boxes, (std::vector<ShownBox>{{"아웃룩 초기화 실패", "Outlook Error"}}));
  EXPECT_EQ(outlook.calls().back(), row.call);
  EXPECT_FALSE(connection.application);
  EXPECT_EQ(outlook.liveObjects(), 0);  // the created object is given back
  EXPECT_EQ(owner.broughtToTop, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Store, OpenStartFailure,
    ::testing::Values(
        StartFailureRow{"OutlookNotRegistered", "CoCreateInstance", false, REGDB_E_CLASSNOTREG},
        StartFailureRow{"CreationGivesNothing", "CoCreateInstance", true, S_OK},
        StartFailureRow{"ServerDoesNotStart", "OleRun", false, CO_E_SERVER_EXEC_FAILURE},
        StartFailureRow{"ApplicationInterfaceRefused", "Application.QueryInterface", false,
                        E_NOINTERFACE},
        StartFailureRow{"ApplicationQueryGivesNothing", "Application.QueryInterface", true, S_OK}),
    RowName());

// --- no folder, or no items ------------------------------------------------------

struct NoFolderRow {
  const char* name;
  bool useDefaultContacts;
  void (*arrange)(FakeOutlook&);
  ShownBox box;
  Strings kept;  // what the next reset releases, in order
};

class OpenWithoutFolder : public StoreTableTest<NoFolderRow> {};

TEST_P(OpenWithoutFolder, ShowsItsBoxAndKeepsWhatItObtainedUntilTheReset) {
  const NoFolderRow& row = GetParam();
  addContacts(1);
  row.arrange(outlook);
  EXPECT_FALSE(store.open(owner, row.useDefaultContacts));
  EXPECT_EQ(owner.boxes, std::vector<ShownBox>{row.box});
  EXPECT_EQ(owner.broughtToTop, 0);
  EXPECT_EQ(outlook.liveObjects(), static_cast<int>(row.kept.size()));
  const std::size_t before = outlook.destroyed().size();
  connection.reset();
  EXPECT_EQ(Strings(outlook.destroyed().begin() + static_cast<std::ptrdiff_t>(before),
                    outlook.destroyed().end()),
            row.kept);
  EXPECT_EQ(outlook.liveObjects(), 0);
}

const ShownBox kNoFolderBox{"폴더를 선택하지 않았습니다.", "에러"};
const ShownBox kNoItemsBox{"연락처 아이템을 얻을 수 없습니다.", "에러"};

INSTANTIATE_TEST_SUITE_P(
    Store, OpenWithoutFolder,
    ::testing::Values(NoFolderRow{"PickerClosed",
                                  false,
                                  [](FakeOutlook& o) { o.setPickerCancels(true); },
                                  kNoFolderBox,
                                  {"Application"}},
                      NoFolderRow{"NoDefaultFolder",
                                  true,
                                  [](FakeOutlook& o) { o.setHasDefaultFolder(false); },
                                  kNoFolderBox,
                                  {"Application"}},
                      NoFolderRow{
                          "DefaultFolderCallGivesNothing",
                          true,
                          [](FakeOutlook& o) { o.answerEmpty("NameSpace.GetDefaultFolder"); },
                          kNoFolderBox,
                          {"Application"}},
                      NoFolderRow{"FolderWithoutItems",
                                  true,
                                  [](FakeOutlook& o) { o.setFolderHasItems(false); },
                                  kNoItemsBox,
                                  {"MAPIFolder", "Application"}},
                      NoFolderRow{"PickedFolderWithoutItems",
                                  false,
                                  [](FakeOutlook& o) { o.answerEmpty("MAPIFolder.Items"); },
                                  kNoItemsBox,
                                  {"MAPIFolder", "Application"}}),
    RowName());

// A namespace call that succeeds with nothing leaves nothing to call: the
// error of a call on an empty reference, which has no description.
TEST_F(StoreTest, AnEmptyNamespaceIsACallOnNothing) {
  addContacts(1);
  outlook.answerEmpty("Application.GetNamespace");
  EXPECT_FALSE(store.open(owner, true));
  EXPECT_EQ(owner.boxes, (std::vector<ShownBox>{{"오류 0x80004003", "borvanta"}}));
  EXPECT_EQ(outlook.calls().back(), "Application.GetNamespace");
}

}  // namespace
}  // namespace borvanta::testing_support
