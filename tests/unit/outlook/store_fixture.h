#pragma once
// The contact store over the test object model, with an in-memory page whose
// progress image is 100 pixels wide (so a width is a percentage) and an owner
// that records its message boxes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/utf.h"
#include "outlook/contact_store.h"
#include "page/contact_sort_document.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/fake_outlook.h"
#include "tests/support/recording_owner.h"

namespace borvanta::testing_support {

struct StoreRig {
  StoreRig() {
    loop.ticksPerRead = 2;  // one dispatch per pump: dispatches count pumps
    PageSettings settings;
    settings.progressWidth = 100;
    document = makeContactSortDocument(settings);
    page.setDocument(document);
    page.attach();
  }

  // open, then readAll when open succeeded, as a run's load does.
  bool load(bool useDefaultContacts = true) {
    return store.open(owner, useDefaultContacts) && store.readAll(owner, list);
  }

  // The log lines (UTF-8, as on the page) in the order written, without "<BR>".
  [[nodiscard]] std::vector<std::string> log() const {
    std::vector<std::string> lines = document->insertionsInOrder("idLog");
    for (std::string& line : lines) {
      if (line.ends_with("<BR>")) line.resize(line.size() - 4);
    }
    return lines;
  }
  [[nodiscard]] std::vector<std::int32_t> progress() const {
    return document->widthHistory("idProgress");
  }
  // The first names of the records, in list order (UTF-8).
  [[nodiscard]] std::vector<std::string> recordNames() const {
    std::vector<std::string> names;
    for (const ContactNode* node = list.head(); node != nullptr; node = node->next)
      names.push_back(cp949ToUtf8(node->record.firstName));
    return names;
  }
  // Adds `n` contacts named "이름1", "이름2", ...
  void addContacts(int n) {
    for (int i = 1; i <= n; ++i) {
      outlook.addContact(
          {{om::ContactProperty::FirstName, utf8ToUtf16("이름" + std::to_string(i))}});
    }
  }

  FakeOutlook outlook;
  FakeMessageLoop loop;
  PageBridge page{loop};
  Ref<MemoryDocument> document;
  OutlookConnection connection;
  ContactStore store{outlook.runtime(), connection, page};
  ContactList list;
  RecordingOwner owner;
};

class StoreTest : public ::testing::Test, public StoreRig {};

// A table-driven store test.
template <class Row>
class StoreTableTest : public ::testing::TestWithParam<Row>, public StoreRig {};

}  // namespace borvanta::testing_support
