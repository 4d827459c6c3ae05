#include "tests/unit/reliability/watched_run.h"

#include <set>

#include "core/cp949.h"
#include "core/text.h"

namespace borvanta::testing_support {

namespace {

std::string stripBreak(std::string line) {
  if (line.ends_with("<BR>")) line.resize(line.size() - 4);
  return line;
}

class RecordingLog : public dom::Element {
 public:
  RecordingLog(Ref<dom::Element> inner, const FakeOutlook& outlook, std::vector<PageEvent>& events)
      : inner_(std::move(inner)), outlook_(outlook), events_(events) {}

  bool insertAdjacentHTML(std::string_view where, std::string_view html) override {
    const bool taken = inner_->insertAdjacentHTML(where, html);
    if (taken) events_.push_back({"log " + stripBreak(std::string(html)), outlook_.calls().size()});
    return taken;
  }

 private:
  Ref<dom::Element> inner_;
  const FakeOutlook& outlook_;
  std::vector<PageEvent>& events_;
};

class RecordingImage : public dom::ImageElement {
 public:
  RecordingImage(Ref<dom::ImageElement> inner, const FakeOutlook& outlook,
                 std::vector<PageEvent>& events)
      : inner_(std::move(inner)), outlook_(outlook), events_(events) {}

  bool insertAdjacentHTML(std::string_view where, std::string_view html) override {
    return inner_->insertAdjacentHTML(where, html);
  }
  std::int32_t width() override { return inner_->width(); }
  bool setWidth(std::int32_t width) override {
    const bool taken = inner_->setWidth(width);
    if (taken) events_.push_back({"width " + std::to_string(width), outlook_.calls().size()});
    return taken;
  }

 private:
  Ref<dom::ImageElement> inner_;
  const FakeOutlook& outlook_;
  std::vector<PageEvent>& events_;
};

}  // namespace

RecordingDocument::RecordingDocument(Ref<MemoryDocument> inner, const FakeOutlook& outlook,
                                     std::vector<PageEvent>& events)
    : inner_(std::move(inner)), outlook_(outlook), events_(events) {}

Ref<dom::Element> RecordingDocument::getElementById(std::string_view id) {
  Ref<dom::Element> element = inner_->getElementById(id);
  if (!element) return element;
  if (id == "idLog") return makeRef<RecordingLog>(element, outlook_, events_);
  if (id == "idProgress") {
    Ref<dom::ImageElement> image = dom::elementAs<dom::ImageElement>(element);
    if (image) return makeRef<RecordingImage>(image, outlook_, events_);
  }
  return element;
}

WatchedRun::WatchedRun(const PageSettings& settings, const std::vector<ContactValues>& contacts)
    : h(settings) {
  for (const ContactValues& values : contacts)
    h.outlook.addContact(values);
  h.page.setDocument(makeRef<RecordingDocument>(h.document, h.outlook, events));
  h.loop.onDispatch = [this] { events.push_back({"pump", h.outlook.calls().size()}); };
}

std::vector<PageEvent> WatchedRun::eventsBefore(std::size_t calls) const {
  std::vector<PageEvent> before;
  for (const PageEvent& event : events) {
    if (event.callsBefore < calls) before.push_back(event);
  }
  return before;
}

std::vector<std::string> WatchedRun::logLines(std::size_t first) const {
  std::vector<std::string> lines;
  for (std::size_t i = first; i < events.size(); ++i) {
    if (events[i].what.starts_with("log ")) lines.push_back(events[i].what.substr(4));
  }
  return lines;
}

int WatchedRun::heldObjects() const {
  std::set<const ComObject*> held;
  for (const ContactNode* node = h.list.head(); node != nullptr; node = node->next) {
    if (node->record.item) held.insert(node->record.item.get());
  }
  const OutlookConnection& c = h.connection;
  for (const ComObject* object :
       {static_cast<const ComObject*>(c.application.get()),
        static_cast<const ComObject*>(c.folder.get()), static_cast<const ComObject*>(c.items.get()),
        static_cast<const ComObject*>(c.currentItem.get())}) {
    if (object != nullptr) held.insert(object);
  }
  return static_cast<int>(held.size());
}

const ContactRecord& WatchedRun::record(int index) const {
  const ContactNode* node = h.list.head();
  for (int i = 0; i < index && node != nullptr; ++i)
    node = node->next;
  if (node == nullptr) throw std::out_of_range("no record at that index");
  return node->record;
}

std::vector<ContactValues> WatchedRun::storedContacts() const {
  std::vector<ContactValues> stored;
  auto& outlook = const_cast<FakeOutlook&>(h.outlook);  // entry() has no const form
  for (std::size_t i = 0; i < outlook.entryCount(); ++i)
    stored.push_back(outlook.entry(i).saved);
  return stored;
}

std::string expectedLabel(const ContactRecord& record) {
  std::string label = record.lastName + record.firstName;
  if (trimmed(label).empty()) label = record.companyName;
  if (trimmed(label).empty()) return "(이름 없음)";
  return cp949ToUtf8(label);
}

bool carriesForeignMarkup(std::string_view line) {
  static const std::string_view ownTags[] = {"<B>", "</B>", "<FONT COLOR=RED>", "<FONT COLOR=BLUE>",
                                             "</FONT>"};
  std::string rest(line);
  for (std::string_view tag : ownTags)
    rest = replaceAll(rest, tag, "");
  return rest.find('<') != std::string::npos;
}

}  // namespace borvanta::testing_support
