// Every object-model call of a whole run made to fail, one at a time: a run
// with all five passes over twenty-five contacts is repeated once for each of
// its calls, with that call failing. Each time the run must end where it must,
// show the one message it must, leave the page exactly as the uncut run had it
// up to that call, keep its references consistent, and let the next run start
// cleanly and do what a run over the stored contacts does.

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "core/com_error.h"
#include "core/cp949.h"
#include "core/text.h"
#include "core/utf.h"
#include "tests/unit/reliability/folders.h"

namespace borvanta::testing_support {
namespace {

using Strings = std::vector<std::string>;

struct FaultKind {
  const char* name;
  HRESULT hr;
  std::optional<std::u16string> description;
};

struct SettingsRow {
  const char* name;
  PageSettings (*settings)();
};

void PrintTo(const FaultKind& fault, std::ostream* out) {
  *out << fault.name;
}
void PrintTo(const SettingsRow& row, std::ostream* out) {
  *out << row.name;
}

// What the user must read in the box for a failure of this kind.
std::string messageFor(const FaultKind& fault) {
  if (fault.description && !fault.description->empty()) return utf16ToUtf8(*fault.description);
  return "오류 " + hresultText(fault.hr);
}

// How the run must end when the k-th call fails.
enum class Expected { CreationFails, LoadFails, PassStops, ItemSkipped };

Expected expectedFor(const std::string& call, HRESULT hr) {
  if (call == "CoCreateInstance" || call == "OleRun" || call == "Application.QueryInterface") {
    return Expected::CreationFails;
  }
  if (call.starts_with("ContactItem.Put") || call == "ContactItem.Save") return Expected::PassStops;
  // An item that answers that it is no contact is skipped, not an error.
  if (call == "Item.QueryInterface" && hr == E_NOINTERFACE) return Expected::ItemSkipped;
  return Expected::LoadFails;
}

std::string stopLine(const std::string& label, const std::string& message) {
  return "log <B><FONT COLOR=RED>" + htmlEscape(label) +
         " 연락처에서 오류가 나서 정리를 멈췄습니다: " + htmlEscape(message) + "</FONT></B>";
}

class FaultSweep : public ::testing::TestWithParam<std::tuple<SettingsRow, FaultKind>> {
 protected:
  void SetUp() override {
    settings_ = std::get<0>(GetParam()).settings();
    baseline_ = std::make_unique<WatchedRun>(settings_, folder_);
    ASSERT_EQ(baseline_->run(), RunOutcome::Completed);
    ASSERT_TRUE(baseline_->h.owner.boxes.empty());
    calls_ = baseline_->h.outlook.calls();
    targets_ = baseline_->h.outlook.callTargets();
  }

  // Saves of each entry that the uncut run made before its k-th call.
  [[nodiscard]] const std::vector<int>& savesBefore(std::size_t k) {
    if (savesBefore_.empty()) {
      std::vector<int> saves(folder_.size(), 0);
      for (std::size_t i = 0; i < calls_.size(); ++i) {
        savesBefore_.push_back(saves);
        if (calls_[i] == "ContactItem.Save") ++saves[static_cast<std::size_t>(targets_[i])];
      }
    }
    return savesBefore_[k - 1];
  }

  void expectCutShortAt(std::size_t k, WatchedRun& run, RunOutcome outcome);
  void expectItemSkipped(std::size_t k, WatchedRun& run, RunOutcome outcome);
  void expectNextRunStartsCleanly(WatchedRun& run);

  // What a fresh program's run over stored contacts logs and leaves. Many
  // failures leave the same contacts behind, so each is run once.
  struct CleanRun {
    Strings log;
    std::vector<ContactValues> stored;
  };
  const CleanRun& cleanRunOver(const std::vector<ContactValues>& stored);
  std::map<std::vector<ContactValues>, CleanRun> cleanRuns_;

  const std::vector<ContactValues> folder_ = mixedFolder();
  PageSettings settings_;
  std::unique_ptr<WatchedRun> baseline_;
  std::vector<std::vector<int>> savesBefore_;
  Strings calls_;
  std::vector<int> targets_;
};

void FaultSweep::expectCutShortAt(std::size_t k, WatchedRun& run, RunOutcome outcome) {
  const FaultKind& fault = std::get<1>(GetParam());
  const std::string& call = calls_[k - 1];
  const Expected expected = expectedFor(call, fault.hr);
  // Nothing reached the object model after the failing call.
  EXPECT_EQ(run.h.outlook.calls().size(), k);
  std::vector<PageEvent> page = baseline_->eventsBefore(k);
  switch (expected) {
    case Expected::CreationFails:
      EXPECT_EQ(outcome, RunOutcome::LoadFailed);
      EXPECT_EQ(run.h.owner.boxes,
                (std::vector<ShownBox>{{"아웃룩 초기화 실패", "Outlook Error"}}));
      break;
    case Expected::LoadFails:
      EXPECT_EQ(outcome, RunOutcome::LoadFailed);
      EXPECT_EQ(run.h.owner.boxes, (std::vector<ShownBox>{{messageFor(fault), "borvanta"}}));
      break;
    case Expected::PassStops: {
      EXPECT_EQ(outcome, RunOutcome::Stopped);
      EXPECT_EQ(run.h.owner.boxes, (std::vector<ShownBox>{{messageFor(fault), "borvanta"}}));
      const int failing = targets_[k - 1];
      page.push_back({stopLine(expectedLabel(run.record(failing)), messageFor(fault)), k});
      break;
    }
    case Expected::ItemSkipped:
      FAIL() << "not a cut";
  }
  // The page shows exactly what the uncut run had shown up to that call, then
  // the stop line if a pass stopped: no end line, no final line.
  EXPECT_EQ(run.events, page);
  // No contact was saved after the failing call, the failing one included.
  const std::vector<int>& saves = savesBefore(k);
  for (std::size_t e = 0; e < run.h.outlook.entryCount(); ++e) {
    EXPECT_EQ(run.h.outlook.entry(e).saves, saves[e]) << "entry " << e;
  }
}

void FaultSweep::expectItemSkipped(std::size_t k, WatchedRun& run, RunOutcome outcome) {
  const int skipped = targets_[k - 1];
  EXPECT_EQ(outcome, RunOutcome::Completed);
  EXPECT_TRUE(run.h.owner.boxes.empty());
  EXPECT_EQ(run.h.list.count(), 24);
  EXPECT_EQ(run.h.outlook.entry(static_cast<std::size_t>(skipped)).saves, 0);
  EXPECT_EQ(run.h.outlook.entry(static_cast<std::size_t>(skipped)).saved,
            folder_[static_cast<std::size_t>(skipped)]);
  const Strings log = run.logLines();
  EXPECT_NE(std::find(log.begin(), log.end(), "연락처가 아닌 항목 1 개는 건너뛰었습니다"),
            log.end());
  EXPECT_EQ(log.back(), "<B><FONT COLOR=BLUE>완료하였습니다!</FONT></B>");
}

// The next run, without faults, on the same objects: it completes, shows no
// box, and writes and logs exactly what a run over the stored contacts in a
// fresh program does.
void FaultSweep::expectNextRunStartsCleanly(WatchedRun& run) {
  run.h.outlook.clearFaults();
  const std::size_t boxes = run.h.owner.boxes.size();
  const std::size_t eventsBefore = run.events.size();
  const std::vector<ContactValues> stored = run.storedContacts();
  ASSERT_EQ(run.run(), RunOutcome::Completed);
  EXPECT_EQ(run.h.owner.boxes.size(), boxes);

  const CleanRun& clean = cleanRunOver(stored);
  EXPECT_EQ(run.logLines(eventsBefore), clean.log);
  EXPECT_EQ(run.storedContacts(), clean.stored);
  EXPECT_EQ(run.h.outlook.liveObjects(), run.heldObjects());
}

const FaultSweep::CleanRun& FaultSweep::cleanRunOver(const std::vector<ContactValues>& stored) {
  auto found = cleanRuns_.find(stored);
  if (found != cleanRuns_.end()) return found->second;
  WatchedRun fresh(settings_, stored);
  EXPECT_EQ(fresh.run(), RunOutcome::Completed);
  return cleanRuns_[stored] = CleanRun{fresh.logLines(), fresh.storedContacts()};
}

TEST_P(FaultSweep, EveryFailingCallEndsTheRunWhereItMust) {
  const FaultKind& fault = std::get<1>(GetParam());
  int injected = 0;
  for (std::size_t k = 1; k <= calls_.size(); ++k) {
    SCOPED_TRACE("call " + std::to_string(k) + " " + calls_[k - 1]);
    WatchedRun run(settings_, folder_);
    run.h.outlook.failCallNumber(static_cast<int>(k), fault.hr, fault.description);
    const RunOutcome outcome = run.run();
    ++injected;
    if (expectedFor(calls_[k - 1], fault.hr) == Expected::ItemSkipped) {
      expectItemSkipped(k, run, outcome);
    } else {
      expectCutShortAt(k, run, outcome);
    }
    for (const std::string& line : run.logLines()) {
      EXPECT_FALSE(carriesForeignMarkup(line)) << line;
    }
    EXPECT_FALSE(run.h.job.isRunning());
    // Every object alive is one the list or the connection holds.
    EXPECT_EQ(run.h.outlook.liveObjects(), run.heldObjects());
    expectNextRunStartsCleanly(run);
    // Letting go of the list, the connection and the current item leaves
    // nothing of the model alive.
    run.h.connection.reset();
    run.h.list.clear();
    run.h.connection.currentItem.reset();
    EXPECT_EQ(run.h.outlook.liveObjects(), 0);
    if (HasFailure()) break;  // one broken call is enough to read
  }
  EXPECT_GT(calls_.size(), 600u);
  RecordProperty("faults_injected", injected);
  std::printf("[ faults   ] %d faults injected into a run of %zu calls\n", injected, calls_.size());
}

const SettingsRow kOffered{"OfferedTemplate", allPassesOffered};
const SettingsRow kTyped{"TypedTemplatePickedFolder", allPassesTyped};

const FaultKind kDescribed{"Fail_Described", E_FAIL, u"연락처 서버가 응답하지 않습니다"};
const FaultKind kUndescribed{"Fail_Undescribed", E_FAIL, std::nullopt};
const FaultKind kEmptyDescription{"AccessDenied_EmptyDescription", E_ACCESSDENIED, u""};
const FaultKind kMarkupDescription{"DiskFull_MarkupDescription", HRESULT_DISK_FULL,
                                   u"<script>alert(1)</script> 디스크 가득 참"};
const FaultKind kNoInterface{"NoInterface_Described", E_NOINTERFACE, u"지원하지 않는 항목"};

std::string sweepName(const ::testing::TestParamInfo<std::tuple<SettingsRow, FaultKind>>& info) {
  return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
}

// Every kind of failure over the first settings; the second settings take
// the other paths of the passes and the folder picker, with and without a
// description.
INSTANTIATE_TEST_SUITE_P(
    Run, FaultSweep,
    ::testing::Values(std::tuple{kOffered, kDescribed}, std::tuple{kOffered, kUndescribed},
                      std::tuple{kOffered, kEmptyDescription},
                      std::tuple{kOffered, kMarkupDescription}, std::tuple{kOffered, kNoInterface},
                      std::tuple{kTyped, kDescribed}, std::tuple{kTyped, kUndescribed}),
    sweepName);

}  // namespace
}  // namespace borvanta::testing_support
