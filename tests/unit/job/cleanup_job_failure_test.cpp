// How a run ends when it cannot go on: options it refuses, a page without a
// control, and a store error in the middle of a pass.

#include <gtest/gtest.h>

#include "tests/support/job_harness.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

using om::ContactProperty;
using testing_support::JobHarness;
using testing_support::ShownBox;
using Lines = std::vector<std::string>;

struct RefusedCase {
  const char* name;
  PageSettings settings;
  const char* message;
};

PageSettings with(void (*change)(PageSettings&)) {
  PageSettings s;
  change(s);
  return s;
}

class RefusedOptions : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedOptions, AreRefusedBeforeAnythingIsTouched) {
  JobHarness h(GetParam().settings);
  h.outlook.addContact({{ContactProperty::FirstName, u"김철수"}});
  EXPECT_EQ(h.run(), RunOutcome::Refused);
  EXPECT_EQ(h.owner.boxes, (std::vector<ShownBox>{{GetParam().message, "borvanta"}}));
  EXPECT_TRUE(h.outlook.calls().empty());
  EXPECT_TRUE(h.log().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedOptions,
    testing::Values(
        RefusedCase{"UnknownNameType", with([](PageSettings& s) {
                      s.resetFullName = true;
                      s.nameType = "3";
                    }),
                    "이름 표기 방식을 '김철수' 또는 '김 철수' 가운데 하나로 고르세요."},
        RefusedCase{"NoSeparationType", with([](PageSettings& s) {
                      s.separateName = true;
                      s.separateType = 0;
                    }),
                    "성, 이름 분리 방식을 하나 고르세요."},
        RefusedCase{"NoDisplayNameType", with([](PageSettings& s) {
                      s.resetDisplayName = true;
                      s.displayNameType = 0;
                    }),
                    "표시 이름을 만들 방식(목록에서 고르기 또는 직접 입력)을 하나 고르세요."},
        RefusedCase{"EmptyTypedTemplate", with([](PageSettings& s) {
                      s.resetDisplayName = true;
                      s.displayNameType = 2;
                      s.displayNameTemplate = "   ";
                    }),
                    "표시 이름 형식이 비어 있습니다. 형식을 고르거나 입력하세요."},
        RefusedCase{"TemplateCp949CannotHold", with([](PageSettings& s) {
                      s.resetDisplayName = true;
                      s.displayNameType = 2;
                      s.displayNameTemplate = "이름 😀";
                    }),
                    "표시 이름 형식에 한글 코드(CP949)로 나타낼 수 없는 문자가 있습니다. 형식을 "
                    "고쳐 주세요."}),
    testing_support::RowName());

TEST(RefusedOptions, LeaveThePreviousRunsContactsInPlace) {
  JobHarness h;
  h.outlook.addContact();
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  PageSettings refused;
  refused.resetFullName = true;
  refused.nameType = "x";
  h.usePage(refused);
  EXPECT_EQ(h.run(), RunOutcome::Refused);
  EXPECT_EQ(h.list.count(), 1);
  EXPECT_TRUE(h.connection.application);
}

TEST(PageContract, MissingControlEndsTheRunBeforeLoading) {
  JobHarness h;
  Ref<MemoryDocument> page = makeRef<MemoryDocument>();
  page->addElement("idLog");
  page->addImage("idProgress", 100);
  h.document = page;
  h.page.setDocument(page);
  EXPECT_EQ(h.run(), RunOutcome::PageIncomplete);
  EXPECT_EQ(h.owner.boxes,
            (std::vector<ShownBox>{
                {"페이지에 'cbUseDefaultContact' 요소가 없거나 종류가 맞지 않아 시작할 수 "
                 "없습니다.",
                 "borvanta"}}));
  EXPECT_TRUE(h.outlook.calls().empty());
}

TEST(PageContract, ProgressThatIsNotAnImageEndsTheRun) {
  JobHarness h;
  h.document->addElement("idProgress");
  EXPECT_EQ(h.run(), RunOutcome::PageIncomplete);
  ASSERT_EQ(h.owner.boxes.size(), 1u);
  EXPECT_NE(h.owner.boxes[0].text.find("idProgress"), std::string::npos);
}

PageSettings telephoneAndFullName() {
  PageSettings s;
  s.resetNumber = true;
  s.resetFullName = true;
  return s;
}

TEST(StoreErrorInAPass, StopsTheRunAtThatContact) {
  JobHarness h(telephoneAndFullName());
  h.outlook.addContact({{ContactProperty::FirstName, u"첫째"}});
  h.outlook.addContact({{ContactProperty::FirstName, u"<b>둘째</b>"}});
  h.outlook.addContact({{ContactProperty::FirstName, u"셋째"}});
  h.outlook.failCall("ContactItem.Put(HomeTelephoneNumber)", E_FAIL, u"저장소가 잠겼습니다", 2);

  EXPECT_EQ(h.run(), RunOutcome::Stopped);
  EXPECT_EQ(h.owner.boxes, (std::vector<ShownBox>{{"저장소가 잠겼습니다", "borvanta"}}));
  const Lines log = h.log();
  EXPECT_EQ(log.back(),
            "<B><FONT COLOR=RED>&lt;b&gt;둘째&lt;/b&gt; 연락처에서 오류가 나서 정리를 "
            "멈췄습니다: 저장소가 잠겼습니다</FONT></B>");
  EXPECT_EQ(log[log.size() - 2], "<B>전화번호 정리 시작</B>");  // no end line, no final line
  // The first contact was saved; the failing one was not; nothing after it.
  EXPECT_EQ(h.outlook.entry(0).saves, 1);
  EXPECT_EQ(h.outlook.entry(1).saves, 0);
  EXPECT_EQ(h.outlook.entry(2).saves, 0);
  EXPECT_EQ(h.outlook.callCount("ContactItem.Put(FullName)"), 0);
  // The list and the connection stay held as after any run.
  EXPECT_EQ(h.list.count(), 3);
  EXPECT_TRUE(h.connection.items);
  EXPECT_FALSE(h.job.isRunning());
}

TEST(StoreErrorInAPass, WithoutDescriptionShowsTheCode) {
  JobHarness h(telephoneAndFullName());
  h.outlook.addContact({{ContactProperty::FirstName, u"김철수"}});
  h.outlook.failCall("ContactItem.Save", E_ACCESSDENIED, std::nullopt, 2);
  EXPECT_EQ(h.run(), RunOutcome::Stopped);
  EXPECT_EQ(h.owner.boxes, (std::vector<ShownBox>{{"오류 0x80070005", "borvanta"}}));
  EXPECT_EQ(h.outlook.entry(0).saves, 1);  // the telephone pass saved; the full name did not
}

TEST(StoreErrorInAPass, NextRunStartsCleanly) {
  JobHarness h(telephoneAndFullName());
  h.outlook.addContact({{ContactProperty::FirstName, u"김철수"}});
  h.outlook.failCall("ContactItem.Save", E_FAIL);
  ASSERT_EQ(h.run(), RunOutcome::Stopped);
  EXPECT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.log().back(), "<B><FONT COLOR=BLUE>완료하였습니다!</FONT></B>");
  EXPECT_EQ(h.list.count(), 1);
  EXPECT_EQ(h.outlook.entry(0).value(ContactProperty::FullName), u"김철수");
}

TEST(Lifetime, EverythingARunHeldIsGivenBackAtExit) {
  auto h = std::make_unique<JobHarness>(telephoneAndFullName());
  const testing_support::FakeOutlook* outlook = &h->outlook;
  for (int i = 0; i < 12; ++i)
    h->outlook.addContact();
  ASSERT_EQ(h->run(), RunOutcome::Completed);
  EXPECT_EQ(outlook->liveObjects(), 12 + 3);  // contacts, application, folder, items
  h->list.clear();
  h->connection.reset();
  EXPECT_EQ(outlook->liveObjects(), 0);
}

}  // namespace
}  // namespace borvanta
