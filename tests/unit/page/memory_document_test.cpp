// The in-memory page itself, where the tests and the command line rely on it
// behaving as a browser's page does.

#include "page/memory_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page/contact_sort_document.h"

namespace borvanta {
namespace {

TEST(MemoryDocument, AnElementReferenceOutlivesItsDocument) {
  Ref<dom::Element> log;
  {
    Ref<MemoryDocument> page = makeRef<MemoryDocument>();
    page->addElement("idLog");
    page->refuseChanges(true);
    log = page->getElementById("idLog");
  }
  EXPECT_FALSE(log->insertAdjacentHTML("afterEnd", "A"));
}

TEST(MemoryDocument, ThePositionKeywordIgnoresCase) {
  Ref<MemoryDocument> page = makeRef<MemoryDocument>();
  page->addElement("idLog");
  Ref<dom::Element> log = page->getElementById("idLog");
  EXPECT_TRUE(log->insertAdjacentHTML("afterEnd", "A"));
  EXPECT_TRUE(log->insertAdjacentHTML("AFTEREND", "B"));
  EXPECT_FALSE(log->insertAdjacentHTML("beforeBegin", "C"));
  EXPECT_EQ(page->insertionsInOrder("idLog"), (std::vector<std::string>{"A", "B"}));
}

TEST(MemoryDocument, ElementsAreOfTheClassOfTheirKind) {
  Ref<MemoryDocument> page = makeContactSortDocument({});
  EXPECT_TRUE(dom::elementAs<dom::ImageElement>(page->getElementById("idProgress")));
  EXPECT_TRUE(dom::elementAs<dom::InputElement>(page->getElementById("cbSeperateName")));
  EXPECT_TRUE(dom::elementAs<dom::InputElement>(page->getElementById("rbDisplayNameType2")));
  EXPECT_TRUE(dom::elementAs<dom::InputElement>(page->getElementById("sDisplayName")));
  EXPECT_TRUE(dom::elementAs<dom::SelectElement>(page->getElementById("sbNameType")));
  EXPECT_FALSE(dom::elementAs<dom::InputElement>(page->getElementById("sbNameType")));
  EXPECT_FALSE(dom::elementAs<dom::ImageElement>(page->getElementById("idLog")));
  EXPECT_FALSE(page->getElementById("idNone"));
}

}  // namespace
}  // namespace borvanta
