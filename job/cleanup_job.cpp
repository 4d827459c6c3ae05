#include "job/cleanup_job.h"

#include "core/com_error.h"
#include "core/cp949.h"
#include "core/text.h"
#include "job/cleanup_options.h"
#include "job/log_text.h"
#include "job/passes.h"

namespace borvanta {

namespace {

// Marks the job as running for as long as run() is on the stack.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

struct Pass {
  std::int32_t CleanupOptions::*gate;
  void (*run)(PassContext&);
};

// The passes in their fixed order, each with its gate.
constexpr Pass passOrder[] = {
    {&CleanupOptions::separateName, runNameSeparationPass},
    {&CleanupOptions::resetNumber, runPhoneNumberPass},
    {&CleanupOptions::resetNationalNumber, runCountryCodePass},
    {&CleanupOptions::resetFullName, runFullNamePass},
    {&CleanupOptions::resetDisplayName, runDisplayNamePass},
};

}  // namespace

CleanupJob::CleanupJob(PageBridge& page, ContactStore& store, ContactList& list)
    : page_(page), store_(store), list_(list) {}

RunOutcome CleanupJob::run(OwnerWindow& owner) {
  if (running_) {
    // A request that arrived through the message pumping of a run: the run
    // in progress keeps the list, the store and the page to itself.
    page_.appendLog(cp949("<B>이미 정리가 진행 중입니다. 끝난 뒤에 다시 시작하세요.</B>"));
    return RunOutcome::AlreadyRunning;
  }
  RunningFlag running(running_);
  return runPasses(owner);
}

RunOutcome CleanupJob::runPasses(OwnerWindow& owner) {
  CleanupOptions options;
  try {
    page_.attach();
    options = readCleanupOptions(page_);
  } catch (const PageContractError& error) {
    static const std::string format =
        cp949("페이지에 '%s' 요소가 없거나 종류가 맞지 않아 시작할 수 없습니다.");
    owner.messageBox(formatText(format.c_str(), error.elementId().c_str()),
                     owner.applicationName());
    return RunOutcome::PageIncomplete;
  }
  if (std::optional<std::string> reason = refusalReason(options)) {
    owner.messageBox(*reason, owner.applicationName());
    return RunOutcome::Refused;
  }

  store_.connection().reset();
  list_.clear();
  if (!store_.open(owner, options.useDefaultContacts != 0)) return RunOutcome::LoadFailed;
  if (!store_.readAll(owner, list_)) return RunOutcome::LoadFailed;

  PassContext context{options, list_.count(), list_, store_, page_};
  try {
    for (const Pass& pass : passOrder) {
      if (options.*pass.gate != 0) pass.run(context);
    }
  } catch (const _com_error& error) {
    // The run stops at the contact being written: nothing after it happens.
    static const std::string format =
        cp949("<B><FONT COLOR=RED>%s 연락처에서 오류가 나서 정리를 멈췄습니다: %s</FONT></B>");
    const ContactNode* node = list_.cursor();
    const std::string label = node != nullptr ? contactLabel(node->record) : std::string();
    const std::string message = errorMessageText(error);
    page_.appendLog(
        formatText(format.c_str(), htmlEscape(label).c_str(), htmlEscape(message).c_str()));
    owner.messageBox(message, owner.applicationName());
    return RunOutcome::Stopped;
  }
  page_.appendLog(cp949("<B><FONT COLOR=BLUE>완료하였습니다!</FONT></B>"));
  return RunOutcome::Completed;
}

}  // namespace borvanta
