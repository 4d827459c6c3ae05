// A store error on every kind of call of every pass, struck at the thirteenth
// of twenty-five contacts with all five passes on: the run stops at that
// contact, which keeps what the earlier passes gave it, while the contact
// before it has this pass's values and the one after it has not.

#include <gtest/gtest.h>

#include "core/utf.h"
#include "tests/support/named_rows.h"
#include "tests/unit/reliability/folders.h"

namespace borvanta::testing_support {
namespace {

using P = om::ContactProperty;
using Strings = std::vector<std::string>;

constexpr int kContacts = 25;
constexpr int kFailing = 13;  // 1-based, after the first progress point

// Twenty-five contacts whose names all split, with numbers for both
// telephone passes and every field of the display name.
std::vector<ContactValues> splittableFolder() {
  static const char* const names[kContacts] = {
      "김민준", "이서연", "박도윤", "최서윤", "정하준", "강지우", "조지호", "윤하은", "장은우",
      "임수아", "한지안", "오서현", "서예준", "신지유", "권시우", "황채원", "안유준", "송하린",
      "전민서", "홍지환", "고윤서", "문건우", "양다은", "손현우", "배서아"};
  std::vector<ContactValues> folder;
  for (int i = 0; i < kContacts; ++i) {
    const std::string n = std::to_string(10 + i);
    folder.push_back({{P::FirstName, utf8ToUtf16(names[i])},
                      {P::CompanyName, u"회사"},
                      {P::Department, u"부서" + utf8ToUtf16(n)},
                      {P::MobileTelephoneNumber, utf8ToUtf16("+82 10-1234-56" + n)},
                      {P::HomeTelephoneNumber, utf8ToUtf16("0212345" + n + "0")},
                      {P::BusinessFaxNumber, utf8ToUtf16("(031)123-45" + n)},
                      {P::BusinessTelephoneNumber, utf8ToUtf16("+44 20 7946 00" + n)}});
  }
  return folder;
}

struct PassInfo {
  bool PageSettings::*gate;
  const char* start;
  const char* end;
};

const PassInfo kPasses[] = {
    {&PageSettings::separateName, "<B>성, 이름 처리 시작</B>", "<B>성, 이름 처리 완료</B>"},
    {&PageSettings::resetNumber, "<B>전화번호 정리 시작</B>", "<B>전화번호 정리 완료</B>"},
    {&PageSettings::resetNationalNumber, "<B>국가 번호 지우기 시작</B>",
     "<B>국가 번호 지우기 완료</B>"},
    {&PageSettings::resetFullName, "<B>전체 이름 변경 시작</B>", "<B>전체 이름 변경 완료</B>"},
    {&PageSettings::resetDisplayName, "<B>표시 이름 변경 시작</B>", "<B>표시 이름 변경 완료</B>"},
};

// All passes before `pass` on, the others off.
PageSettings passesBefore(int pass) {
  PageSettings s = allPassesOffered();
  for (int p = pass; p < 5; ++p)
    s.*kPasses[p].gate = false;
  return s;
}

struct PassFaultRow {
  const char* name;
  int pass;          // 0 to 4, in run order
  const char* call;  // the kind of call that fails
  int earlierCalls;  // calls of that kind each contact made in earlier passes
};

class PassFault : public ::testing::TestWithParam<PassFaultRow> {};

TEST_P(PassFault, StopsTheRunAtTheContactBeingWritten) {
  const PassFaultRow& row = GetParam();
  const std::vector<ContactValues> folder = splittableFolder();
  WatchedRun run(allPassesOffered(), folder);
  run.h.outlook.failCall(row.call, E_FAIL, u"쓰기 실패", row.earlierCalls * kContacts + kFailing);
  ASSERT_EQ(run.run(), RunOutcome::Stopped);

  EXPECT_EQ(run.h.owner.boxes, (std::vector<ShownBox>{{"쓰기 실패", "borvanta"}}));
  EXPECT_EQ(run.h.outlook.calls().back().rfind(row.call, 0), 0u) << "a call followed the failure";
  EXPECT_EQ(run.h.outlook.callTargets().back(), kFailing - 1);

  // The log: every earlier pass ended, this one started, then the stop line
  // naming the thirteenth contact; no end line, no final line.
  const Strings log = run.logLines();
  Strings passLines;
  for (const std::string& line : log) {
    for (const PassInfo& pass : kPasses) {
      if (line == pass.start || line == pass.end) passLines.push_back(line);
    }
  }
  Strings expected;
  for (int p = 0; p < row.pass; ++p) {
    expected.push_back(kPasses[p].start);
    expected.push_back(kPasses[p].end);
  }
  expected.push_back(kPasses[row.pass].start);
  EXPECT_EQ(passLines, expected);
  EXPECT_EQ(log.back(), "<B><FONT COLOR=RED>" + expectedLabel(run.record(kFailing - 1)) +
                            " 연락처에서 오류가 나서 정리를 멈췄습니다: 쓰기 실패</FONT></B>");
  // The bar moved at the tenth contact of the pass and never reached full.
  EXPECT_EQ(run.h.progress().back(), 120);

  // Contacts before the failing one have this pass's values; the failing one
  // and those after it have only what the earlier passes gave them.
  WatchedRun before(passesBefore(row.pass), folder);
  WatchedRun through(passesBefore(row.pass + 1), folder);
  ASSERT_EQ(before.run(), RunOutcome::Completed);
  ASSERT_EQ(through.run(), RunOutcome::Completed);
  const std::vector<ContactValues> stored = run.storedContacts();
  for (int i = 0; i < kContacts; ++i) {
    WatchedRun& reference = i < kFailing - 1 ? through : before;
    EXPECT_EQ(stored[i], reference.storedContacts()[i]) << "contact " << i + 1;
    EXPECT_EQ(run.h.outlook.entry(i).saves, reference.h.outlook.entry(i).saves)
        << "contact " << i + 1;
  }
  EXPECT_EQ(run.h.outlook.liveObjects(), run.heldObjects());

  // The next run starts cleanly and completes.
  run.h.outlook.clearFaults();
  EXPECT_EQ(run.run(), RunOutcome::Completed);
  EXPECT_EQ(run.h.owner.boxes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPass, PassFault,
    ::testing::Values(
        PassFaultRow{"NameSeparation_PutLastName", 0, "ContactItem.Put(LastName)", 0},
        PassFaultRow{"NameSeparation_PutFirstName", 0, "ContactItem.Put(FirstName)", 0},
        PassFaultRow{"NameSeparation_Save", 0, "ContactItem.Save", 0},
        PassFaultRow{"Telephone_PutMobile", 1, "ContactItem.Put(MobileTelephoneNumber)", 0},
        PassFaultRow{"Telephone_PutHome", 1, "ContactItem.Put(HomeTelephoneNumber)", 0},
        PassFaultRow{"Telephone_PutBusinessFax", 1, "ContactItem.Put(BusinessFaxNumber)", 0},
        PassFaultRow{"Telephone_PutBusiness", 1, "ContactItem.Put(BusinessTelephoneNumber)", 0},
        PassFaultRow{"Telephone_Save", 1, "ContactItem.Save", 1},
        PassFaultRow{"CountryCode_PutMobile", 2, "ContactItem.Put(MobileTelephoneNumber)", 1},
        PassFaultRow{"CountryCode_PutHome", 2, "ContactItem.Put(HomeTelephoneNumber)", 1},
        PassFaultRow{"CountryCode_PutBusinessFax", 2, "ContactItem.Put(BusinessFaxNumber)", 1},
        PassFaultRow{"CountryCode_PutBusiness", 2, "ContactItem.Put(BusinessTelephoneNumber)", 1},
        PassFaultRow{"CountryCode_Save", 2, "ContactItem.Save", 2},
        PassFaultRow{"FullName_Put", 3, "ContactItem.Put(FullName)", 0},
        PassFaultRow{"FullName_Save", 3, "ContactItem.Save", 3},
        PassFaultRow{"DisplayName_Put", 4, "ContactItem.Put(FileAs)", 0},
        PassFaultRow{"DisplayName_Save", 4, "ContactItem.Save", 4}),
    RowName());

}  // namespace
}  // namespace borvanta::testing_support
