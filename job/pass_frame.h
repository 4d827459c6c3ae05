#pragma once
// The shape every pass shares: a start line, a walk over the list in which
// each record is worked on, progress and message pumping at every tenth
// counted record, the bar at full width, an end line.

#include <cstdint>
#include <string_view>

#include "job/cleanup_options.h"
#include "job/contact_list.h"
#include "outlook/contact_store.h"
#include "page/page_bridge.h"

namespace borvanta {

// What a pass is given.
struct PassContext {
  const CleanupOptions& options;
  std::int32_t count;  // records right after loading: the progress denominator
  ContactList& list;
  ContactStore& store;
  PageBridge& page;
};

// `i` of `count` as a percentage: the quotient first, then times 100.0, in
// double precision, truncated toward zero.
[[nodiscard]] std::int32_t progressPercent(std::int32_t i, std::int32_t count);

// Runs `work(record)` on every record in list order; `work` returns whether
// the record counts. Store errors raised by `work` leave the frame at once.
template <class Work>
void runPassFrame(PassContext& context, std::string_view startLine, std::string_view endLine,
                  Work&& work) {
  context.page.appendLog(startLine);
  std::int32_t i = 0;
  for (ContactRecord* record = context.list.startWalk(); record != nullptr;
       record = context.list.advance()) {
    if (!work(*record)) continue;
    ++i;
    if (i % 10 == 0) {
      context.page.setProgress(progressPercent(i, context.count));
      context.page.pumpMessages();
    }
  }
  context.page.setProgress(100);
  context.page.appendLog(endLine);
}

}  // namespace borvanta
