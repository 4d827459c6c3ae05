// The object model over .vcf files, as the store and the front ends use it:
// the runtime and its options, folders, items, contact items, errors with
// Korean descriptions, flush, dry runs, and runs one after another.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "backends/vcard/address_book.h"
#include "backends/vcard/vcard_runtime.h"
#include "core/com_error.h"
#include "core/utf.h"
#include "tests/unit/vcard/vcard_harness.h"
#include "tests/unit/vcard/vcard_test_files.h"

namespace borvanta::vcard {
namespace {

using om::ContactProperty;
using vcardtest::readFile;
using vcardtest::TempDir;
using vcardtest::VcardHarness;
using vcardtest::writeFile;

const std::string kBook =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;김철수;;;\r\nFN:김철수\r\nTEL;TYPE=CELL:01012345678\r\n"
    "END:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nX-ADDRESSBOOKSERVER-KIND:group\r\nFN:영업팀\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:이;영희;;;\r\nFN:이영희\r\nEND:VCARD\r\n";

class PickerStub : public FolderPicker {
 public:
  std::optional<std::filesystem::path> pickVcardFile() override {
    ++asked;
    return answer;
  }
  std::optional<std::filesystem::path> answer;
  int asked = 0;
};

class ObjectModel : public ::testing::Test {
 protected:
  ObjectModel() { writeFile(file, kBook); }

  RuntimeOptions options() {
    RuntimeOptions o;
    o.defaultFile = file;
    o.syncEverySave = false;
    return o;
  }

  Ref<om::NameSpace> mapi(VcardRuntime& runtime) {
    Result<Ref<ComObject>> unknown = runtime.createInstance(om::CLSID_Application);
    EXPECT_EQ(unknown.hr, S_OK);
    EXPECT_EQ(runtime.run(*unknown.value), S_OK);
    Ref<om::Application> application = queryAs<om::Application>(*unknown.value).value;
    return application->getNamespace(u"MAPI").value;
  }

  TempDir dir;
  std::filesystem::path file = dir / "contacts.vcf";
};

TEST_F(ObjectModel, OnlyTheApplicationClassIsRegistered) {
  VcardRuntime runtime(options());
  EXPECT_EQ(runtime.createInstance(om::IID_Items).hr, REGDB_E_CLASSNOTREG);
  Result<Ref<ComObject>> unknown = runtime.createInstance(om::CLSID_Application);
  ASSERT_EQ(unknown.hr, S_OK);
  Ref<om::Application> application = queryAs<om::Application>(*unknown.value).value;
  ASSERT_TRUE(application);
  EXPECT_EQ(application->getNamespace(u"OTHER").hr, E_INVALIDARG);
  EXPECT_TRUE(application->errorDescription(om::IID_Application));
  EXPECT_FALSE(application->errorDescription(om::IID_NameSpace));
}

TEST_F(ObjectModel, ItemsAreTheCardsInFileOrderAndListsAreNoContacts) {
  VcardRuntime runtime(options());
  Ref<om::MAPIFolder> folder = mapi(runtime)->getDefaultFolder(om::olFolderContacts).value;
  ASSERT_TRUE(folder);
  Ref<om::Items> items = folder->items().value;
  EXPECT_EQ(items->count().value, 3);
  Ref<ComObject> first = items->getFirst().value;
  Ref<ComObject> second = items->getNext().value;
  Ref<ComObject> third = items->getNext().value;
  EXPECT_FALSE(items->getNext().value);
  EXPECT_EQ(queryAs<om::ContactItem>(*second).hr, E_NOINTERFACE);
  Ref<om::ContactItem> kim = queryAs<om::ContactItem>(*first).value;
  Ref<om::ContactItem> lee = queryAs<om::ContactItem>(*third).value;
  EXPECT_EQ(kim->get(ContactProperty::FirstName).value, om::Bstr(u"김철수"));
  EXPECT_EQ(lee->get(ContactProperty::LastName).value, om::Bstr(u"이"));
  EXPECT_EQ(lee->get(ContactProperty::FileAs).value, om::Bstr(u""));
}

TEST_F(ObjectModel, PutIsSeenAtOnceAndReachesTheFileAtSave) {
  VcardRuntime runtime(options());
  Ref<om::Items> items = mapi(runtime)->getDefaultFolder(om::olFolderContacts).value->items().value;
  Ref<om::ContactItem> kim = queryAs<om::ContactItem>(*items->getFirst().value).value;
  EXPECT_EQ(kim->put(ContactProperty::MobileTelephoneNumber, u"010-1234-5678"), S_OK);
  EXPECT_EQ(kim->get(ContactProperty::MobileTelephoneNumber).value, om::Bstr(u"010-1234-5678"));
  EXPECT_FALSE(std::filesystem::exists(journalPath(file)));
  EXPECT_EQ(kim->save(), S_OK);
  EXPECT_TRUE(std::filesystem::exists(journalPath(file)));
  EXPECT_TRUE(runtime.flush().ok());
  EXPECT_NE(readFile(file).find("TEL;TYPE=CELL:010-1234-5678\r\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(journalPath(file)));
}

TEST_F(ObjectModel, WithoutADefaultFileThereIsNoDefaultFolder) {
  RuntimeOptions o = options();
  o.defaultFile.reset();
  VcardHarness h(o);
  EXPECT_EQ(h.run(), RunOutcome::LoadFailed);
  ASSERT_EQ(h.owner.boxes.size(), 1u);
  EXPECT_EQ(h.owner.boxes[0].text, "폴더를 선택하지 않았습니다.");
}

TEST_F(ObjectModel, PickFolderAsksTheFrontEnd) {
  PickerStub picker;
  picker.answer = file;
  RuntimeOptions o = options();
  o.defaultFile.reset();
  o.picker = &picker;
  VcardRuntime runtime(o);
  Ref<om::NameSpace> ns = mapi(runtime);
  Ref<om::MAPIFolder> folder = ns->pickFolder().value;
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->items().value->count().value, 3);
  picker.answer.reset();
  EXPECT_EQ(ns->pickFolder().hr, S_OK);
  EXPECT_FALSE(ns->pickFolder().value);
  EXPECT_EQ(picker.asked, 3);
}

TEST_F(ObjectModel, WithoutAPickerPickFolderYieldsNoFolder) {
  VcardRuntime runtime(options());
  Result<Ref<om::MAPIFolder>> picked = mapi(runtime)->pickFolder();
  EXPECT_EQ(picked.hr, S_OK);
  EXPECT_FALSE(picked.value);
}

TEST_F(ObjectModel, ARefusedFileFailsTheFolderWithAKoreanDescription) {
  writeFile(file, "이름,전화\r\n김철수,010\r\n");
  VcardRuntime runtime(options());
  Ref<om::NameSpace> ns = mapi(runtime);
  Result<Ref<om::MAPIFolder>> folder = ns->getDefaultFolder(om::olFolderContacts);
  EXPECT_EQ(folder.hr, HRESULT_INVALID_DATA);
  const std::optional<std::u16string> description = ns->errorDescription(om::IID_NameSpace);
  ASSERT_TRUE(description);
  const std::string text = utf16ToUtf8(*description);
  EXPECT_NE(text.find(file.string()), std::string::npos) << text;
  EXPECT_NE(text.find("1번째 줄"), std::string::npos) << text;
  EXPECT_FALSE(ns->errorDescription(om::IID_ContactItem));
}

TEST_F(ObjectModel, TheStoreShowsWhyAFileIsRefused) {
  writeFile(file, "BEGIN:VCARD\r\nVERSION:9.9\r\nEND:VCARD\r\n");
  VcardHarness h(options());
  EXPECT_EQ(h.run(), RunOutcome::LoadFailed);
  ASSERT_EQ(h.owner.boxes.size(), 1u);
  EXPECT_NE(h.owner.boxes[0].text.find("2번째 줄"), std::string::npos) << h.owner.boxes[0].text;
  EXPECT_NE(h.owner.boxes[0].text.find(file.string()), std::string::npos);
}

TEST_F(ObjectModel, ASecondProgramOnTheSameFileIsToldWhy) {
  VcardHarness first(options());
  ASSERT_EQ(first.run(), RunOutcome::Completed);
  VcardHarness second(options());
  EXPECT_EQ(second.run(), RunOutcome::LoadFailed);
  ASSERT_EQ(second.owner.boxes.size(), 1u);
  EXPECT_NE(second.owner.boxes[0].text.find("다른 보르반타 프로그램"), std::string::npos)
      << second.owner.boxes[0].text;
}

TEST_F(ObjectModel, AFailedSaveStopsTheRunWithItsDescription) {
  ::chmod(file.c_str(), 0444);
  VcardHarness h(options());
  EXPECT_EQ(h.run(), RunOutcome::Stopped);
  ASSERT_EQ(h.owner.boxes.size(), 1u);
  EXPECT_NE(h.owner.boxes[0].text.find("읽기 전용"), std::string::npos) << h.owner.boxes[0].text;
  h.shutDown();
  EXPECT_EQ(readFile(file), kBook);
}

TEST_F(ObjectModel, ARunChangesTheFileAndTheRuntimeFoldsItInAtTheEnd) {
  {
    VcardHarness h(options());
    ASSERT_EQ(h.run(), RunOutcome::Completed);
    EXPECT_TRUE(std::filesystem::exists(journalPath(file)));
  }
  EXPECT_FALSE(std::filesystem::exists(journalPath(file)));
  const std::string after = readFile(file);
  EXPECT_NE(after.find("N:김;철수;;;\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("TEL;TYPE=CELL:010-1234-5678\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("X-ADDRESSBOOKSERVER-KIND:group\r\nFN:영업팀\r\n"), std::string::npos);
  EXPECT_EQ(readFile(backupPath(file)), kBook);
}

TEST_F(ObjectModel, FlushReportsAFileAnotherProgramChanged) {
  VcardHarness h(options());
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  const std::string theirs = kBook + "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:new\r\nEND:VCARD\r\n";
  writeFile(file, theirs);
  const FlushResult result = h.runtime->flush();
  EXPECT_EQ(result.hr, E_ABORT);
  EXPECT_NE(result.message.find(unsavedPath(file).string()), std::string::npos) << result.message;
  EXPECT_EQ(readFile(file), theirs);
  EXPECT_TRUE(std::filesystem::exists(unsavedPath(file)));
}

TEST_F(ObjectModel, ANextRunReadsWhatAnotherProgramChangedBetweenRuns) {
  VcardHarness h(options(), PageSettings{});
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.list.count(), 2);
  writeFile(file, kBook + "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:new\r\nEND:VCARD\r\n");
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.list.count(), 3);
}

TEST_F(ObjectModel, ADryRunLeavesEveryFileAsItWasAndListsTheChanges) {
  RuntimeOptions o = options();
  o.dryRun = true;
  std::vector<ContactChanges> changes;
  {
    VcardHarness h(o);
    ASSERT_EQ(h.run(), RunOutcome::Completed);
    EXPECT_TRUE(h.runtime->flush().ok());
    changes = h.runtime->dryRunChanges();
  }
  EXPECT_EQ(readFile(file), kBook);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].label, "김철수");
  EXPECT_EQ(changes[0].changes[0], (PropertyChange{ContactProperty::FirstName, "김철수", "철수"}));
  EXPECT_EQ(changes[0].changes[1], (PropertyChange{ContactProperty::LastName, "", "김"}));
  EXPECT_EQ(changes[1].label, "이영희");
}

TEST_F(ObjectModel, ObjectsOutlivingTheRuntimeFailCleanly) {
  Ref<om::ContactItem> kim;
  {
    VcardRuntime runtime(options());
    Ref<om::Items> items =
        mapi(runtime)->getDefaultFolder(om::olFolderContacts).value->items().value;
    kim = queryAs<om::ContactItem>(*items->getFirst().value).value;
    ASSERT_EQ(kim->put(ContactProperty::FullName, u"김"), S_OK);
  }
  EXPECT_EQ(kim->put(ContactProperty::FullName, u"김"), E_UNEXPECTED);
  EXPECT_EQ(kim->save(), E_UNEXPECTED);
  EXPECT_TRUE(kim->errorDescription(om::IID_ContactItem));
  EXPECT_EQ(readFile(file), kBook);
}

}  // namespace
}  // namespace borvanta::vcard
