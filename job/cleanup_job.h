#pragma once
// One run of the tool, from the page's request to the final log line: attach
// the page, read the options, let go of the previous run, load the contacts,
// run the enabled passes in their fixed order, write the final line.

#include "job/contact_list.h"
#include "outlook/contact_store.h"
#include "outlook/owner_window.h"
#include "page/page_bridge.h"

namespace borvanta {

// How a run ended.
enum class RunOutcome {
  Completed,       // the final line was written
  PageIncomplete,  // an element of the page contract is missing
  Refused,         // the options cannot be carried out; nothing was touched
  LoadFailed,      // the store could not open or read the folder
  Stopped,         // a store error stopped a pass at one contact
  AlreadyRunning,  // a run was in progress; this request did nothing
};

class CleanupJob {
 public:
  CleanupJob(PageBridge& page, ContactStore& store, ContactList& list);

  // Runs one clean-up to its end; `owner` owns every message box of the run.
  RunOutcome run(OwnerWindow& owner);

  // True while run() is on the stack (pumping can bring a second request).
  [[nodiscard]] bool isRunning() const { return running_; }

 private:
  RunOutcome runPasses(OwnerWindow& owner);

  PageBridge& page_;
  ContactStore& store_;
  ContactList& list_;
  bool running_ = false;
};

}  // namespace borvanta
