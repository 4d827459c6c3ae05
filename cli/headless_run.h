#pragma once
// One clean-up run without a window: the page is built in memory from the
// settings, the job runs through the same bridge and store as in the window,
// and the log is taken from the page afterwards as plain text.

#include <string>
#include <vector>

#include "job/cleanup_job.h"
#include "outlook/object_model.h"
#include "outlook/owner_window.h"
#include "page/contact_sort_document.h"

namespace borvanta::cli {

struct HeadlessRun {
  RunOutcome outcome = RunOutcome::Completed;
  // The log lines in the order they were written, as plain UTF-8 text.
  std::vector<std::string> log;
};

// Runs CleanupJob::run once over the contacts `runtime` serves. Every object
// of the object model the run took is given back before this returns.
[[nodiscard]] HeadlessRun runHeadless(om::ComRuntime& runtime, const PageSettings& settings,
                                      OwnerWindow& owner);

// The exit status of a run: 0 when it wrote its final line, else 1.
[[nodiscard]] int exitStatus(RunOutcome outcome);

// Exit status of a command line that was not understood.
inline constexpr int usageExitStatus = 2;

}  // namespace borvanta::cli
