#include "cli/headless_run.h"

#include "cli/plain_text.h"
#include "outlook/contact_store.h"
#include "page/headless_message_loop.h"

namespace borvanta::cli {

HeadlessRun runHeadless(om::ComRuntime& runtime, const PageSettings& settings, OwnerWindow& owner) {
  HeadlessMessageLoop loop;
  PageBridge page(loop);
  const Ref<MemoryDocument> document = makeContactSortDocument(settings);
  page.setDocument(document);
  OutlookConnection connection;
  ContactStore store(runtime, connection, page);
  ContactList list;
  CleanupJob job(page, store, list);

  HeadlessRun result;
  result.outcome = job.run(owner);
  for (const std::string& line : document->insertionsInOrder("idLog")) {
    result.log.push_back(plainLogLine(line));
  }
  return result;
}

int exitStatus(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Completed:
      return 0;
    case RunOutcome::PageIncomplete:
    case RunOutcome::Refused:
    case RunOutcome::LoadFailed:
    case RunOutcome::Stopped:
    case RunOutcome::AlreadyRunning:
      return 1;
  }
  return 1;
}

}  // namespace borvanta::cli
