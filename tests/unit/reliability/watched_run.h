#pragma once
// A whole run watched from outside. Every log line, progress width and message
// pump that reaches the page is recorded with the number of object-model calls
// made before it, so a run cut short by a fault can be compared, event by
// event, with the same run uncut.

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/job_harness.h"

namespace borvanta::testing_support {

struct PageEvent {
  std::string what;  // "log <html>", "width <pixels>" or "pump"
  std::size_t callsBefore = 0;

  friend bool operator==(const PageEvent&, const PageEvent&) = default;
};

// GoogleTest prints events this way when a comparison fails.
inline void PrintTo(const PageEvent& event, std::ostream* out) {
  *out << "{" << event.what << " @" << event.callsBefore << "}";
}

// One contact of the folder: the values the object model holds for it.
using ContactValues = std::map<om::ContactProperty, om::Bstr>;

// A page document that passes everything through to a MemoryDocument and
// records what the page accepted of the log and the progress image.
class RecordingDocument : public dom::Document {
 public:
  RecordingDocument(Ref<MemoryDocument> inner, const FakeOutlook& outlook,
                    std::vector<PageEvent>& events);

  Ref<dom::Element> getElementById(std::string_view id) override;
  std::optional<dom::PointerEvent> currentEvent() override { return inner_->currentEvent(); }

 private:
  Ref<MemoryDocument> inner_;
  const FakeOutlook& outlook_;
  std::vector<PageEvent>& events_;
};

// A harness whose page is recorded and whose folder holds `contacts`.
class WatchedRun {
 public:
  WatchedRun(const PageSettings& settings, const std::vector<ContactValues>& contacts);

  RunOutcome run() { return h.run(); }

  // The events with fewer than `calls` object-model calls before them.
  [[nodiscard]] std::vector<PageEvent> eventsBefore(std::size_t calls) const;
  // The log lines of the events from `first` on, without their "<BR>".
  [[nodiscard]] std::vector<std::string> logLines(std::size_t first = 0) const;

  // Distinct objects of the model that the list and the connection hold.
  [[nodiscard]] int heldObjects() const;
  // The record at `index` in list order.
  [[nodiscard]] const ContactRecord& record(int index) const;
  // What every folder entry holds now, in collection order.
  [[nodiscard]] std::vector<ContactValues> storedContacts() const;

  JobHarness h;
  std::vector<PageEvent> events;
};

// The label the log gives a record: family and given name joined, else the
// company, else "(이름 없음)" (UTF-8).
[[nodiscard]] std::string expectedLabel(const ContactRecord& record);

// Page markup a log line may carry: the program's own tags only. A line that
// has any other "<" carries markup that came from elsewhere.
[[nodiscard]] bool carriesForeignMarkup(std::string_view line);

}  // namespace borvanta::testing_support
