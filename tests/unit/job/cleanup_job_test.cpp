// Whole runs: the order of steps and passes, the log, progress and pumping,
// and how a run ends when something fails.

#include "job/cleanup_job.h"

#include <gtest/gtest.h>

#include "tests/support/job_harness.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

using om::ContactProperty;
using testing_support::JobHarness;
using testing_support::ShownBox;
using Lines = std::vector<std::string>;

PageSettings allPasses() {
  PageSettings s;
  s.separateName = s.resetNumber = s.resetNationalNumber = true;
  s.resetFullName = s.resetDisplayName = true;
  return s;
}

void addContacts(JobHarness& h, int n) {
  for (int i = 0; i < n; ++i) {
    h.outlook.addContact({{ContactProperty::FirstName, u"김철수"},
                          {ContactProperty::MobileTelephoneNumber, u"01012345678"}});
  }
}

const Lines kAllPassLines = {
    "<B>성, 이름 처리 시작</B>",  "<B>성, 이름 처리 완료</B>",    "<B>전화번호 정리 시작</B>",
    "<B>전화번호 정리 완료</B>",  "<B>국가 번호 지우기 시작</B>", "<B>국가 번호 지우기 완료</B>",
    "<B>전체 이름 변경 시작</B>", "<B>전체 이름 변경 완료</B>",   "<B>표시 이름 변경 시작</B>",
    "<B>표시 이름 변경 완료</B>",
};
const std::string kFinal = "<B><FONT COLOR=BLUE>완료하였습니다!</FONT></B>";

TEST(CleanupJob, EmptyFolderRunsEveryPassOverNothing) {
  JobHarness h(allPasses());
  EXPECT_EQ(h.run(), RunOutcome::Completed);
  Lines expected = {"0 개의 연락처를 읽기 시작합니다", "<B>0 개의 연락처를 읽었습니다</B>"};
  expected.insert(expected.end(), kAllPassLines.begin(), kAllPassLines.end());
  expected.push_back(kFinal);
  EXPECT_EQ(h.log(), expected);
  // The load and each of the five passes end with the bar at full width.
  EXPECT_EQ(h.progress(), std::vector<std::int32_t>(6, 300));
  EXPECT_EQ(h.loop.dispatches, 0);
}

TEST(CleanupJob, AllGatesOffLeavesOnlyTheLoadAndFinalLines) {
  PageSettings s;
  JobHarness h(s);
  addContacts(h, 3);
  EXPECT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.log(), (Lines{"3 개의 연락처를 읽기 시작합니다", "<B>3 개의 연락처를 읽었습니다</B>",
                            kFinal}));
  EXPECT_EQ(h.outlook.callCount("ContactItem.Put"), 0);
  EXPECT_EQ(h.outlook.callCount("ContactItem.Save"), 0);
}

TEST(CleanupJob, PageShowsNewestLineFirst) {
  PageSettings s;
  s.resetNumber = true;
  JobHarness h(s);
  addContacts(h, 2);
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(
      h.document->insertedAfter("idLog"),
      (Lines{kFinal + "<BR>", "<B>전화번호 정리 완료</B><BR>", "<B>전화번호 정리 시작</B><BR>",
             "<B>2 개의 연락처를 읽었습니다</B><BR>", "2 개의 연락처를 읽기 시작합니다<BR>"}));
}

TEST(CleanupJob, PassesRunInTheirFixedOrderEachFromWhatTheLastLeft) {
  JobHarness h(allPasses());
  h.outlook.addContact({{ContactProperty::FirstName, u"김철수"},
                        {ContactProperty::CompanyName, u"삼성"},
                        {ContactProperty::Department, u"개발팀"},
                        {ContactProperty::MobileTelephoneNumber, u"01012345678"},
                        {ContactProperty::HomeTelephoneNumber, u"+821012345678"}});
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  const auto& saved = h.outlook.entry(0);
  EXPECT_EQ(saved.value(ContactProperty::LastName), u"김");
  EXPECT_EQ(saved.value(ContactProperty::FirstName), u"철수");
  // The two telephone passes compose: hyphenated first, then the country
  // code goes from what the first pass wrote.
  EXPECT_EQ(saved.value(ContactProperty::MobileTelephoneNumber), u"010-1234-5678");
  EXPECT_EQ(saved.value(ContactProperty::HomeTelephoneNumber), u"01012345678");
  EXPECT_EQ(saved.value(ContactProperty::FullName), u"김철수");
  EXPECT_EQ(saved.value(ContactProperty::FileAs), u"김철수(삼성/개발팀)");
  EXPECT_EQ(saved.saves, 5);  // one save per pass
  EXPECT_EQ(h.list.count(), 1);
  EXPECT_EQ(h.list.head()->record.mobilePhone, "010-1234-5678");
}

struct ProgressCase {
  const char* name;
  int contacts;
  std::vector<std::int32_t> passWidths;  // widths set by the telephone pass
  int passPumps;
};

class PassFrameProgress : public testing::TestWithParam<ProgressCase> {};

TEST_P(PassFrameProgress, MovesAndPumpsAtEveryTenthCountedRecord) {
  const ProgressCase& c = GetParam();
  PageSettings s;
  s.resetNumber = true;
  JobHarness h(s);
  addContacts(h, c.contacts);
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  const std::vector<std::int32_t> widths = h.progress();
  const int loadPumps = c.contacts / 10;
  ASSERT_EQ(widths.size(), static_cast<std::size_t>(loadPumps) + 1 + c.passWidths.size());
  const std::vector<std::int32_t> passWidths(widths.begin() + loadPumps + 1, widths.end());
  EXPECT_EQ(passWidths, c.passWidths);
  EXPECT_EQ(h.loop.dispatches, loadPumps + c.passPumps);
}

INSTANTIATE_TEST_SUITE_P(Table, PassFrameProgress,
                         testing::Values(ProgressCase{"NineRecordsOnlyTheFullBar", 9, {300}, 0},
                                         ProgressCase{"TenRecords", 10, {300, 300}, 1},
                                         // 40 and 80 percent of 300 pixels, then full.
                                         ProgressCase{"TwentyFiveRecords", 25, {120, 240, 300}, 2}),
                         testing_support::RowName());

TEST(CleanupJob, CancelledFolderChoiceShowsOneBoxAndNoLine) {
  PageSettings s = allPasses();
  s.useDefaultContacts = false;
  JobHarness h(s);
  addContacts(h, 2);
  h.outlook.setPickerCancels(true);
  EXPECT_EQ(h.run(), RunOutcome::LoadFailed);
  EXPECT_EQ(h.owner.boxes, (std::vector<ShownBox>{{"폴더를 선택하지 않았습니다.", "에러"}}));
  EXPECT_TRUE(h.log().empty());

  h.outlook.setPickerCancels(false);
  EXPECT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.log().back(), kFinal);
  EXPECT_EQ(h.list.count(), 2);
}

TEST(CleanupJob, SecondRunReadsEveryContactAgainAndKeepsTheLog) {
  PageSettings s;
  JobHarness h(s);
  addContacts(h, 3);
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  h.outlook.addContact();
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.list.count(), 4);
  EXPECT_EQ(h.log().size(), 6u);
  EXPECT_EQ(h.log()[3], "4 개의 연락처를 읽기 시작합니다");
  EXPECT_EQ(h.outlook.callCount("CoCreateInstance"), 2);
}

TEST(CleanupJob, OptionsChangedDuringARunTakeEffectInTheNextRun) {
  PageSettings s;
  s.resetFullName = true;
  JobHarness h(s);
  addContacts(h, 20);
  // The user unticks the full-name pass while the contacts are being read.
  h.loop.onDispatch = [&] { h.document->setChecked("cbResetFullName", false); };
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.outlook.callCount("ContactItem.Put(FullName)"), 20);
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.outlook.callCount("ContactItem.Put(FullName)"), 20);
}

TEST(CleanupJob, StartRequestDuringARunIsRefusedAndTheRunGoesOn) {
  PageSettings s;
  s.resetNumber = true;
  JobHarness h(s);
  addContacts(h, 20);
  std::vector<RunOutcome> nested;
  h.loop.onDispatch = [&] { nested.push_back(h.job.run(h.owner)); };
  EXPECT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_FALSE(nested.empty());
  for (RunOutcome outcome : nested)
    EXPECT_EQ(outcome, RunOutcome::AlreadyRunning);
  EXPECT_EQ(h.outlook.callCount("ContactItem.Save"), 20);
  EXPECT_EQ(h.log().back(), kFinal);
  int refusals = 0;
  for (const std::string& line : h.log()) {
    refusals += line == "<B>이미 정리가 진행 중입니다. 끝난 뒤에 다시 시작하세요.</B>" ? 1 : 0;
  }
  EXPECT_EQ(refusals, static_cast<int>(nested.size()));
  EXPECT_FALSE(h.job.isRunning());
}

}  // namespace
}  // namespace borvanta
