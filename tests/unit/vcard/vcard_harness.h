#pragma once
// One application's worth of objects for a run against .vcf files and an
// in-memory page: the vCard runtime, the store, the job, wired as the front
// ends wire them.

#include <memory>
#include <string>
#include <vector>

#include "backends/vcard/vcard_runtime.h"
#include "job/cleanup_job.h"
#include "page/contact_sort_document.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/recording_owner.h"

namespace borvanta::vcard::vcardtest {

// Every pass on, with the page's default choices.
inline PageSettings allPasses() {
  PageSettings settings;
  settings.separateName = settings.resetNumber = settings.resetNationalNumber = true;
  settings.resetFullName = settings.resetDisplayName = true;
  return settings;
}

class VcardHarness {
 public:
  explicit VcardHarness(RuntimeOptions options, const PageSettings& settings = allPasses())
      : runtime(std::make_unique<VcardRuntime>(std::move(options))),
        store(*runtime, connection, page),
        job(page, store, list) {
    document = makeContactSortDocument(settings);
    page.setDocument(document);
  }

  RunOutcome run() { return job.run(owner); }

  // The log lines in the order they were written, UTF-8, without "<BR>".
  [[nodiscard]] std::vector<std::string> log() const {
    std::vector<std::string> lines;
    for (const std::string& line : document->insertionsInOrder("idLog")) {
      std::string utf8 = line;  // the page holds UTF-8
      if (utf8.size() >= 4 && utf8.compare(utf8.size() - 4, 4, "<BR>") == 0)
        utf8.resize(utf8.size() - 4);
      lines.push_back(std::move(utf8));
    }
    return lines;
  }

  // Lets go of every object model reference, then of the runtime (which
  // folds the saves in).
  void shutDown() {
    list.clear();
    connection.currentItem.reset();
    connection.reset();
    runtime.reset();
  }

  ~VcardHarness() { shutDown(); }

  std::unique_ptr<VcardRuntime> runtime;
  testing_support::FakeMessageLoop loop;
  PageBridge page{loop};
  OutlookConnection connection;
  ContactStore store;
  ContactList list;
  CleanupJob job;
  testing_support::RecordingOwner owner;
  Ref<MemoryDocument> document;
};

}  // namespace borvanta::vcard::vcardtest
