// A run without a window over the test object model: the log in the order it
// was written, message boxes on the error stream, and the exit status of
// every way a run ends.

#include "cli/headless_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_options.h"
#include "cli/stream_owner.h"
#include "tests/support/fake_outlook.h"

namespace borvanta::cli {
namespace {

using om::ContactProperty;
using testing_support::FakeOutlook;
using Lines = std::vector<std::string>;

struct Outcome {
  HeadlessRun run;
  std::string errors;
  int status = -1;
};

Outcome runWith(FakeOutlook& outlook, const CliOptions& options) {
  std::ostringstream errors;
  StreamOwner owner(errors, "borvanta-cli");
  Outcome outcome;
  outcome.run = runHeadless(outlook.runtime(), pageSettings(options), owner);
  outcome.errors = errors.str();
  outcome.status = exitStatus(outcome.run.outcome);
  return outcome;
}

CliOptions everyPass() {
  CliOptions o;
  o.file = "book.vcf";
  o.separateName = o.resetNumber = o.resetNationalNumber = o.resetFullName = true;
  o.resetDisplayName = true;
  o.displayNameTemplate = "이름(회사명)";
  return o;
}

TEST(HeadlessRun, EveryPassLogsInWrittenOrderAsPlainText) {
  FakeOutlook outlook;
  outlook.addContact({{ContactProperty::FirstName, u"김철수"},
                      {ContactProperty::CompanyName, u"삼성"},
                      {ContactProperty::MobileTelephoneNumber, u"+821012345678"}});
  const Outcome o = runWith(outlook, everyPass());
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.errors, "");
  EXPECT_EQ(o.run.log,
            (Lines{"1 개의 연락처를 읽기 시작합니다", "1 개의 연락처를 읽었습니다",
                   "성, 이름 처리 시작", "갱신 (김철수 -> 김,철수)", "성, 이름 처리 완료",
                   "전화번호 정리 시작", "전화번호 정리 완료", "국가 번호 지우기 시작",
                   "국가 번호 지우기 완료", "전체 이름 변경 시작", "전체 이름 변경 완료",
                   "표시 이름 변경 시작", "표시 이름 변경 완료", "완료하였습니다!"}));
  EXPECT_EQ(outlook.entry(0).value(ContactProperty::FileAs), u"김철수(삼성)");
  // The default contacts folder, never the picker.
  EXPECT_EQ(outlook.callCount("NameSpace.GetDefaultFolder"), 1);
  EXPECT_EQ(outlook.callCount("NameSpace.PickFolder"), 0);
  // Nothing of the object model is held once the run is over.
  EXPECT_EQ(outlook.liveObjects(), 0);
}

TEST(HeadlessRun, ContactMarkupIsPrintedAsItsCharacters) {
  FakeOutlook outlook;
  outlook.addContact({{ContactProperty::FirstName, u"<b>x</b> & co"}});
  CliOptions options;
  options.file = "book.vcf";
  options.separateName = true;
  const Outcome o = runWith(outlook, options);
  EXPECT_EQ(o.status, 0);
  ASSERT_EQ(o.run.log.size(), 6u);
  EXPECT_EQ(o.run.log[3], "냅둠 (<b>x</b> & co)");
}

TEST(HeadlessRun, MissingFolderIsALoadFailure) {
  FakeOutlook outlook;
  outlook.setHasDefaultFolder(false);
  const Outcome o = runWith(outlook, everyPass());
  EXPECT_EQ(o.run.outcome, RunOutcome::LoadFailed);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.errors, "에러: 폴더를 선택하지 않았습니다.\n");
  EXPECT_TRUE(o.run.log.empty());
}

TEST(HeadlessRun, ObjectModelThatCannotStartIsALoadFailure) {
  FakeOutlook outlook;
  outlook.failCall("CoCreateInstance", CO_E_SERVER_EXEC_FAILURE);
  const Outcome o = runWith(outlook, everyPass());
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.errors, "Outlook Error: 아웃룩 초기화 실패\n");
}

TEST(HeadlessRun, ReadErrorShowsItsDescriptionUnderTheProgramName) {
  FakeOutlook outlook;
  outlook.addContact({{ContactProperty::FirstName, u"김철수"}});
  outlook.failCall("ContactItem.Get", HRESULT_INVALID_DATA, u"book.vcf: 3행\n카드가 깨졌습니다");
  const Outcome o = runWith(outlook, everyPass());
  EXPECT_EQ(o.run.outcome, RunOutcome::LoadFailed);
  EXPECT_EQ(o.status, 1);
  // One line per box, whatever the description holds.
  EXPECT_EQ(o.errors, "borvanta-cli: book.vcf: 3행 카드가 깨졌습니다\n");
}

TEST(HeadlessRun, RefusedOptionsTouchNothing) {
  FakeOutlook outlook;
  outlook.addContact({{ContactProperty::FirstName, u"김철수"}});
  CliOptions options = everyPass();
  options.displayNameTemplate = "  ";
  const Outcome o = runWith(outlook, options);
  EXPECT_EQ(o.run.outcome, RunOutcome::Refused);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.errors,
            "borvanta-cli: 표시 이름 형식이 비어 있습니다. 형식을 고르거나 입력하세요.\n");
  EXPECT_TRUE(o.run.log.empty());
  EXPECT_TRUE(outlook.calls().empty());
}

TEST(HeadlessRun, TemplateOutsideTheKoreanCodePageIsRefused) {
  FakeOutlook outlook;
  CliOptions options = everyPass();
  options.displayNameTemplate = "이름 😀";
  const Outcome o = runWith(outlook, options);
  EXPECT_EQ(o.run.outcome, RunOutcome::Refused);
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.errors.find("CP949"), std::string::npos) << o.errors;
}

TEST(HeadlessRun, StoreErrorStopsThePassAndIsPrintedInTheLogAndAsABox) {
  FakeOutlook outlook;
  outlook.addContact({{ContactProperty::FirstName, u"김철수"},
                      {ContactProperty::MobileTelephoneNumber, u"01012345678"}});
  outlook.addContact({{ContactProperty::FirstName, u"이영희"},
                      {ContactProperty::MobileTelephoneNumber, u"01098765432"}});
  outlook.failCall("ContactItem.Save", E_ACCESSDENIED, u"쓸 수 없는 파일입니다", 2);
  CliOptions options;
  options.file = "book.vcf";
  options.resetNumber = true;
  const Outcome o = runWith(outlook, options);
  EXPECT_EQ(o.run.outcome, RunOutcome::Stopped);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(
      o.run.log,
      (Lines{"2 개의 연락처를 읽기 시작합니다", "2 개의 연락처를 읽었습니다", "전화번호 정리 시작",
             "이영희 연락처에서 오류가 나서 정리를 멈췄습니다: 쓸 수 없는 파일입니다"}));
  EXPECT_EQ(o.errors, "borvanta-cli: 쓸 수 없는 파일입니다\n");
  EXPECT_EQ(outlook.entry(0).value(ContactProperty::MobileTelephoneNumber), u"010-1234-5678");
  EXPECT_EQ(outlook.entry(1).value(ContactProperty::MobileTelephoneNumber), u"01098765432");
  EXPECT_EQ(outlook.liveObjects(), 0);
}

TEST(ExitStatus, OnlyACompletedRunSucceeds) {
  EXPECT_EQ(exitStatus(RunOutcome::Completed), 0);
  for (const RunOutcome outcome :
       {RunOutcome::PageIncomplete, RunOutcome::Refused, RunOutcome::LoadFailed,
        RunOutcome::Stopped, RunOutcome::AlreadyRunning}) {
    EXPECT_EQ(exitStatus(outcome), 1);
  }
}

}  // namespace
}  // namespace borvanta::cli
