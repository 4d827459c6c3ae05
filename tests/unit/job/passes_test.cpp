// Each pass's work on a record: what it writes, in which order, and what it
// logs, over the test object model.

#include <gtest/gtest.h>

#include "tests/support/job_harness.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

using om::ContactProperty;
using testing_support::JobHarness;
using Lines = std::vector<std::string>;

struct SeparationCase {
  const char* name;
  std::u16string lastName;
  std::u16string firstName;
  int separateType;
  const char* nameType;
  std::u16string expectedLast;
  std::u16string expectedFirst;
  const char* line;  // the pass's line for the contact, "" for none
  bool written;
};

class NameSeparationPass : public testing::TestWithParam<SeparationCase> {};

TEST_P(NameSeparationPass, StoresTheNamesAsTheTypeSays) {
  const SeparationCase& c = GetParam();
  PageSettings s;
  s.separateName = true;
  s.separateType = c.separateType;
  s.nameType = c.nameType;
  JobHarness h(s);
  h.outlook.addContact(
      {{ContactProperty::LastName, c.lastName}, {ContactProperty::FirstName, c.firstName}});
  ASSERT_EQ(h.run(), RunOutcome::Completed);

  const auto& saved = h.outlook.entry(0);
  EXPECT_EQ(saved.value(ContactProperty::LastName), c.expectedLast);
  EXPECT_EQ(saved.value(ContactProperty::FirstName), c.expectedFirst);
  EXPECT_EQ(saved.saves, c.written ? 1 : 0);
  const Lines log = h.log();
  const Lines passLines(log.begin() + 3, log.end() - 2);  // between start and end lines
  EXPECT_EQ(passLines, c.line[0] == '\0' ? Lines{} : Lines{c.line});
  if (c.written) {
    const std::vector<std::string> writes(h.outlook.calls().end() - 3, h.outlook.calls().end());
    EXPECT_EQ(writes, (std::vector<std::string>{"ContactItem.Put(LastName)",
                                                "ContactItem.Put(FirstName)", "ContactItem.Save"}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NameSeparationPass,
    testing::Values(
        SeparationCase{"Type1", u"", u"김철수", 1, "1", u"김", u"철수", "갱신 (김철수 -> 김,철수)",
                       true},
        SeparationCase{"Type2Spaced", u"", u"김철수", 2, "2", u"김 철수", u"",
                       "갱신 (김철수 -> 김철수,)", true},
        SeparationCase{"Type2Joined", u"", u"김철수", 2, "1", u"김철수", u"",
                       "갱신 (김철수 -> 김철수,)", true},
        SeparationCase{"Type3Joined", u"", u"김철수", 3, "1", u"", u"김철수",
                       "갱신 (김철수 -> ,김철수)", true},
        SeparationCase{"AlreadySplitIsWrittenAgain", u"김", u"철수", 1, "1", u"김", u"철수",
                       "갱신 (김철수 -> 김,철수)", true},
        SeparationCase{"CompoundSurname", u"", u"남궁민수", 1, "1", u"남궁", u"민수",
                       "갱신 (남궁민수 -> 남궁,민수)", true},
        SeparationCase{"AddressTermKept", u"", u"엄마", 1, "1", u"", u"엄마", "냅둠 (엄마)", false},
        SeparationCase{"AddressTermMovedWhole", u"", u"엄마", 2, "2", u"엄마", u"", "이동 (엄마)",
                       true},
        SeparationCase{"LongGivenNameKept", u"", u"김수한무", 1, "1", u"", u"김수한무",
                       "냅둠 (김수한무)", false},
        SeparationCase{"LatinNameKept", u"Smith", u"John", 1, "1", u"Smith", u"John",
                       "냅둠 (SmithJohn)", false},
        SeparationCase{"LatinNameMovedWithoutSpace", u"Smith", u"John", 2, "2", u"SmithJohn", u"",
                       "이동 (SmithJohn)", true},
        SeparationCase{"EmptyNamesWrittenEmpty", u"", u"", 3, "1", u"", u"", "이동 ()", true},
        SeparationCase{"MarkupIsEscaped", u"", u"<img src=x onerror=alert(1)>", 1, "1", u"",
                       u"<img src=x onerror=alert(1)>", "냅둠 (&lt;img src=x onerror=alert(1)&gt;)",
                       false}),
    testing_support::RowName());

TEST(NameSeparationPass, OnlyUpdatesCountForProgress) {
  PageSettings s;
  s.separateName = true;
  JobHarness h(s);
  for (int i = 0; i < 25; ++i) {
    h.outlook.addContact({{ContactProperty::FirstName, i < 20 ? u"김철수" : u"Smith"}});
  }
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  const std::vector<std::int32_t> widths = h.progress();
  // Load: 40%, 80%, full. Pass: after the 10th and 20th update, then full.
  EXPECT_EQ(widths, (std::vector<std::int32_t>{120, 240, 300, 120, 240, 300}));
}

TEST(NameSeparationPass, NineUpdatesNeverMoveTheBarOrPump) {
  PageSettings s;
  s.separateName = true;
  JobHarness h(s);
  for (int i = 0; i < 25; ++i) {
    h.outlook.addContact({{ContactProperty::FirstName, i < 9 ? u"김철수" : u"Smith"}});
  }
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.progress(), (std::vector<std::int32_t>{120, 240, 300, 300}));
  EXPECT_EQ(h.loop.dispatches, 2);  // the load's two pumps only
}

TEST(TelephonePass, WritesAllFourNumbersInOrderThenSaves) {
  PageSettings s;
  s.resetNumber = true;
  JobHarness h(s);
  h.outlook.addContact({{ContactProperty::MobileTelephoneNumber, u"01012345678"},
                        {ContactProperty::BusinessFaxNumber, u"(02)123-4567"}});
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  const std::vector<std::string> writes(h.outlook.calls().end() - 5, h.outlook.calls().end());
  EXPECT_EQ(writes,
            (std::vector<std::string>{
                "ContactItem.Put(MobileTelephoneNumber)", "ContactItem.Put(HomeTelephoneNumber)",
                "ContactItem.Put(BusinessFaxNumber)", "ContactItem.Put(BusinessTelephoneNumber)",
                "ContactItem.Save"}));
  const auto& saved = h.outlook.entry(0);
  EXPECT_EQ(saved.value(ContactProperty::MobileTelephoneNumber), u"010-1234-5678");
  EXPECT_EQ(saved.value(ContactProperty::BusinessFaxNumber), u"02-123-4567");
  EXPECT_EQ(saved.saved.at(ContactProperty::HomeTelephoneNumber), std::u16string());
}

TEST(CountryCodePass, ReplacesPrefixesAnywhere) {
  PageSettings s;
  s.resetNationalNumber = true;
  JobHarness h(s);
  h.outlook.addContact({{ContactProperty::BusinessTelephoneNumber, u"+44 20 7946 0000"},
                        {ContactProperty::HomeTelephoneNumber, u"02-123-4567 (+82 2 1234)"}});
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  const auto& saved = h.outlook.entry(0);
  EXPECT_EQ(saved.value(ContactProperty::BusinessTelephoneNumber), u"0 20 7946 0000");
  EXPECT_EQ(saved.value(ContactProperty::HomeTelephoneNumber), u"02-123-4567 (0 2 1234)");
  EXPECT_EQ(saved.saves, 1);
}

struct FullNameCase {
  const char* name;
  std::u16string lastName;
  std::u16string firstName;
  const char* nameType;
  std::u16string expected;
};

class FullNamePass : public testing::TestWithParam<FullNameCase> {};

TEST_P(FullNamePass, JoinsFamilyAndGivenNameUntrimmed) {
  const FullNameCase& c = GetParam();
  PageSettings s;
  s.resetFullName = true;
  s.nameType = c.nameType;
  JobHarness h(s);
  h.outlook.addContact(
      {{ContactProperty::LastName, c.lastName}, {ContactProperty::FirstName, c.firstName}});
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.outlook.entry(0).saved.at(ContactProperty::FullName), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FullNamePass,
                         testing::Values(FullNameCase{"Joined", u"김", u"철수", "1", u"김철수"},
                                         FullNameCase{"Spaced", u"김", u"철수", "2", u"김 철수"},
                                         FullNameCase{"LeadingSpaceKept", u"", u"김철수", "2",
                                                      u" 김철수"},
                                         FullNameCase{"OnlyTheSpace", u"", u"", "2", u" "},
                                         FullNameCase{"Empty", u"", u"", "1", u""}),
                         testing_support::RowName());

TEST(FullNamePass, UsesTheNamesTheSeparationLeft) {
  PageSettings s;
  s.separateName = s.resetFullName = true;
  s.separateType = 2;
  s.nameType = "2";
  JobHarness h(s);
  h.outlook.addContact({{ContactProperty::FirstName, u"김철수"}});
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.outlook.entry(0).value(ContactProperty::FullName), u"김 철수 ");
}

TEST(DisplayNamePass, WritesTheTemplateForEveryContactEvenWhenEmpty) {
  PageSettings s;
  s.resetDisplayName = true;
  s.displayNameType = 2;
  s.displayNameTemplate = "회사명 직급";
  JobHarness h(s);
  h.outlook.addContact(
      {{ContactProperty::CompanyName, u"삼성"}, {ContactProperty::JobTitle, u"과장"}});
  h.outlook.addContact({{ContactProperty::FileAs, u"예전 이름"}});
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  EXPECT_EQ(h.outlook.entry(0).value(ContactProperty::FileAs), u"삼성 과장");
  EXPECT_EQ(h.outlook.entry(1).saved.at(ContactProperty::FileAs), u"");
  EXPECT_EQ(h.outlook.entry(1).saves, 1);
}

TEST(DamagedContact, KeepsEveryPropertyThatComesFromLostCharacters) {
  PageSettings s;
  s.separateName = s.resetNumber = s.resetFullName = s.resetDisplayName = true;
  JobHarness h(s);
  h.outlook.addContact({{ContactProperty::FirstName, u"김😀수"},
                        {ContactProperty::CompanyName, u"삼성"},
                        {ContactProperty::MobileTelephoneNumber, u"01012345678"},
                        {ContactProperty::HomeTelephoneNumber, u"02 1234 5678 📞"},
                        {ContactProperty::FileAs, u"김😀수"}});
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  const auto& saved = h.outlook.entry(0);
  EXPECT_EQ(saved.value(ContactProperty::FirstName), u"김😀수");
  EXPECT_EQ(saved.value(ContactProperty::FileAs), u"김😀수");
  EXPECT_EQ(saved.saved.count(ContactProperty::LastName), 0u);
  EXPECT_EQ(saved.saved.count(ContactProperty::FullName), 0u);
  EXPECT_EQ(saved.value(ContactProperty::HomeTelephoneNumber), u"02 1234 5678 📞");
  // What does not come from a damaged field is cleaned as usual.
  EXPECT_EQ(saved.value(ContactProperty::MobileTelephoneNumber), u"010-1234-5678");
  const std::string skipped =
      "건너뜀 (김?수): 한글 코드(CP949)로 나타낼 수 없는 문자가 있어 바꾸지 않았습니다";
  int skippedLines = 0;
  for (const std::string& line : h.log())
    skippedLines += line == skipped ? 1 : 0;
  EXPECT_EQ(skippedLines, 4);  // once per pass
}

}  // namespace
}  // namespace borvanta
