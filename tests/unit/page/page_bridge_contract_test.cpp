// A page that lacks an element the job needs, or has it as another kind of
// element: the bridge raises PageContractError naming the element.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp949.h"
#include "page/memory_document.h"
#include "page/page_bridge.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

// A page with one element of every kind under its own id, plus the log and
// the progress image; `without` leaves one of them out.
Ref<MemoryDocument> pageOfEveryKind(std::string_view without = {}) {
  Ref<MemoryDocument> page = makeRef<MemoryDocument>();
  if (without != "idLog") page->addElement("idLog");
  if (without != "idProgress") page->addImage("idProgress", 300);
  page->addElement("plain");
  page->addCheckBox("checkBox", true);
  page->addRadio("radio", true);
  page->addTextBox("textBox", "t");
  page->addSelect("select", "1");
  page->addImage("image", 10);
  return page;
}

struct ContractCase {
  const char* name;
  std::function<void(PageBridge&)> read;
  const char* missingId;  // the id the error must name
};

class ContractBreach : public testing::TestWithParam<ContractCase> {};

TEST_P(ContractBreach, RaisesPageContractErrorNamingTheElement) {
  testing_support::FakeMessageLoop loop;
  PageBridge bridge(loop);
  bridge.setDocument(pageOfEveryKind());
  try {
    GetParam().read(bridge);
    FAIL() << "no PageContractError";
  } catch (const PageContractError& error) {
    EXPECT_EQ(error.elementId(), GetParam().missingId);
    EXPECT_NE(std::string(error.what()).find(GetParam().missingId), std::string::npos)
        << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ContractBreach,
    testing::Values(
        ContractCase{"CheckOfMissingElement", [](PageBridge& b) { (void)b.readCheck("cbNone"); },
                     "cbNone"},
        ContractCase{"CheckOfSelect", [](PageBridge& b) { (void)b.readCheck("select"); }, "select"},
        ContractCase{"CheckOfPlainElement", [](PageBridge& b) { (void)b.readCheck("plain"); },
                     "plain"},
        ContractCase{"CheckOfImage", [](PageBridge& b) { (void)b.readCheck("image"); }, "image"},
        ContractCase{"TextOfMissingElement", [](PageBridge& b) { (void)b.readText("sNone"); },
                     "sNone"},
        ContractCase{"TextOfSelect", [](PageBridge& b) { (void)b.readText("select"); }, "select"},
        ContractCase{"SelectNumberOfTextBox",
                     [](PageBridge& b) { (void)b.readSelectNumber("textBox"); }, "textBox"},
        ContractCase{"SelectNumberOfMissingElement",
                     [](PageBridge& b) { (void)b.readSelectNumber("sbNone"); }, "sbNone"},
        ContractCase{"SelectValueOfCheckBox",
                     [](PageBridge& b) { (void)b.readSelectValue("checkBox"); }, "checkBox"},
        ContractCase{"SelectValueOfPlainElement",
                     [](PageBridge& b) { (void)b.readSelectValue("plain"); }, "plain"},
        ContractCase{"IdsDifferingOnlyInCase", [](PageBridge& b) { (void)b.readCheck("CHECKBOX"); },
                     "CHECKBOX"}),
    testing_support::RowName());

// The reading interface an element must have is that of its kind only: any
// input can be read as ticked or not and as text, as in the page.
TEST(ContractKinds, EveryInputReadsAsCheckAndAsText) {
  testing_support::FakeMessageLoop loop;
  PageBridge bridge(loop);
  bridge.setDocument(pageOfEveryKind());
  EXPECT_EQ(bridge.readCheck("textBox"), 0);
  EXPECT_EQ(bridge.readText("checkBox").text, "on");
  EXPECT_EQ(bridge.readText("radio").text, "on");
}

struct AttachCase {
  const char* name;
  std::function<Ref<MemoryDocument>()> page;
  const char* missingId;
};

class AttachBreach : public testing::TestWithParam<AttachCase> {};

TEST_P(AttachBreach, RaisesPageContractErrorAndLeavesTheBridgeAttachedToNothing) {
  testing_support::FakeMessageLoop loop;
  PageBridge bridge(loop);
  Ref<MemoryDocument> earlier = pageOfEveryKind();
  bridge.setDocument(earlier);
  bridge.attach();

  Ref<MemoryDocument> page = GetParam().page();
  bridge.setDocument(page);
  try {
    bridge.attach();
    FAIL() << "no PageContractError";
  } catch (const PageContractError& error) {
    EXPECT_EQ(error.elementId(), GetParam().missingId);
  }
  // Nothing reaches either page until an attach succeeds.
  bridge.appendLog("lost");
  bridge.setProgress(50);
  EXPECT_TRUE(earlier->insertionsInOrder("idLog").empty());
  EXPECT_TRUE(earlier->widthHistory("idProgress").empty());
  if (page && GetParam().missingId != std::string_view("idLog")) {
    EXPECT_TRUE(page->insertionsInOrder("idLog").empty());
  }
  EXPECT_EQ(bridge.fullWidth(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AttachBreach,
    testing::Values(AttachCase{"NoDocument", [] { return Ref<MemoryDocument>(); }, "idLog"},
                    AttachCase{"NoLog", [] { return pageOfEveryKind("idLog"); }, "idLog"},
                    AttachCase{"NoProgress", [] { return pageOfEveryKind("idProgress"); },
                               "idProgress"},
                    AttachCase{"ProgressIsAPlainElement",
                               [] {
                                 Ref<MemoryDocument> page = pageOfEveryKind();
                                 page->addElement("idProgress");
                                 return page;
                               },
                               "idProgress"},
                    AttachCase{"ProgressIsAnInput",
                               [] {
                                 Ref<MemoryDocument> page = pageOfEveryKind();
                                 page->addTextBox("idProgress", "300");
                                 return page;
                               },
                               "idProgress"}),
    testing_support::RowName());

// The log may be any element at all.
TEST(ContractKinds, TheLogMayBeAnElementOfAnyKind) {
  testing_support::FakeMessageLoop loop;
  PageBridge bridge(loop);
  Ref<MemoryDocument> page = pageOfEveryKind();
  page->addImage("idLog", 5);
  bridge.setDocument(page);
  bridge.attach();
  bridge.appendLog("A");
  EXPECT_EQ(page->insertedAfter("idLog"), std::vector<std::string>{"A<BR>"});
}

}  // namespace
}  // namespace borvanta
