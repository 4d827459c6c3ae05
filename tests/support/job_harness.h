#pragma once
// One application's worth of objects for a run against the test object model
// and an in-memory page: what the front ends own, wired the same way.

#include <string>
#include <vector>

#include "job/cleanup_job.h"
#include "page/contact_sort_document.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/fake_outlook.h"
#include "tests/support/recording_owner.h"

namespace borvanta::testing_support {

class JobHarness {
 public:
  explicit JobHarness(const PageSettings& settings = {}) {
    loop.ticksPerRead = 2;  // one dispatch per pump: dispatches count pumps
    usePage(settings);
  }

  // A fresh page with these settings, handed to the bridge.
  void usePage(const PageSettings& settings) {
    document = makeContactSortDocument(settings);
    page.setDocument(document);
  }

  RunOutcome run() { return job.run(owner); }

  // The log lines in the order they were written, without their "<BR>".
  [[nodiscard]] std::vector<std::string> log() const {
    std::vector<std::string> lines = document->insertionsInOrder("idLog");
    for (std::string& line : lines) {
      if (line.size() >= 4 && line.compare(line.size() - 4, 4, "<BR>") == 0) {
        line.resize(line.size() - 4);
      }
    }
    return lines;
  }
  [[nodiscard]] std::vector<std::int32_t> progress() const {
    return document->widthHistory("idProgress");
  }

  FakeOutlook outlook;
  FakeMessageLoop loop;
  PageBridge page{loop};
  OutlookConnection connection;
  ContactStore store{outlook.runtime(), connection, page};
  ContactList list;
  CleanupJob job{page, store, list};
  RecordingOwner owner;
  Ref<MemoryDocument> document;
};

}  // namespace borvanta::testing_support
