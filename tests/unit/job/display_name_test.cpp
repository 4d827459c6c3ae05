#include "job/display_name.h"

#include <gtest/gtest.h>

#include "tests/support/named_rows.h"

#include "core/cp949.h"

namespace borvanta {
namespace {

struct DisplayCase {
  const char* name;
  const char* templateText;  // UTF-8
  const char* company;
  const char* department;
  const char* expected;
  int nameType = 1;
};

ContactRecord sampleContact(const DisplayCase& c) {
  ContactRecord record;
  record.lastName = cp949("김");
  record.firstName = cp949("철수");
  record.companyName = cp949(c.company);
  record.department = cp949(c.department);
  record.jobTitle = cp949("과장");
  return record;
}

class BuildDisplayName : public testing::TestWithParam<DisplayCase> {};

TEST_P(BuildDisplayName, ReplacesWordsThenTidiesSeparators) {
  const DisplayCase& c = GetParam();
  const DisplayName result = buildDisplayName(cp949(c.templateText), sampleContact(c), c.nameType);
  EXPECT_EQ(result.text, cp949(c.expected));
  EXPECT_FALSE(result.usesDamagedField);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuildDisplayName,
    testing::Values(
        DisplayCase{"AllFields", "이름(회사명/부서)", "삼성", "개발팀", "김철수(삼성/개발팀)"},
        DisplayCase{"NoCompany", "이름(회사명/부서)", "", "개발팀", "김철수개발팀)"},
        DisplayCase{"NoDepartment", "이름(회사명/부서)", "삼성", "", "김철수(삼성"},
        DisplayCase{"NeitherRemovesEmptyPair", "이름(회사명/부서)", "", "", "김철수"},
        DisplayCase{"HyphenWithoutDepartment", "이름(회사명-부서)", "삼성", "", "김철수(삼성)"},
        DisplayCase{"HyphenWithoutCompany", "이름(회사명-부서)", "", "개발팀", "김철수(-개발팀)"},
        DisplayCase{"HyphenWithoutBoth", "이름(회사명-부서)", "", "", "김철수"},
        DisplayCase{"EmptyBracketsAndTrim", "이름 (회사명)", "", "", "김철수"},
        DisplayCase{"SlashesJoinNeighbours", "이름 (회사명/부서/직급)", "삼성", "",
                    "김철수 (삼성과장)"},
        DisplayCase{"OnlyJobTitle", "이름 (회사명/부서/직급)", "", "", "김철수 (과장)"},
        DisplayCase{"SlashSpaceAlwaysGoes", "이름 / 회사명", "삼성", "", "김철수 삼성"},
        DisplayCase{"DoubleHyphens", "이름-회사명-부서", "", "", "김철수"},
        DisplayCase{"InsertedTextIsReplacedByLaterWords", "회사명 이름", "부서", "개발팀",
                    "개발팀 김철수"},
        DisplayCase{"SpacedName", "이름", "", "", "김 철수", 2},
        DisplayCase{"NoWords", "  (주)연락처  ", "삼성", "", "(주)연락처"},
        DisplayCase{"WhiteSpaceOnly", " \t ", "삼성", "", ""},
        DisplayCase{"Empty", "", "삼성", "", ""}),
    testing_support::RowName());

TEST(BuildDisplayName, FlagsOnlyDamagedFieldsTheTemplateUses) {
  ContactRecord record;
  record.lastName = cp949("김");
  record.firstName = cp949("철수");
  record.companyName = "?";
  record.setDamaged(ContactField::CompanyName);
  EXPECT_TRUE(buildDisplayName(cp949("이름(회사명)"), record, 1).usesDamagedField);
  EXPECT_FALSE(buildDisplayName(cp949("이름(부서)"), record, 1).usesDamagedField);
  record.setDamaged(ContactField::CompanyName, false);
  record.setDamaged(ContactField::FirstName);
  EXPECT_TRUE(buildDisplayName(cp949("회사명 이름"), record, 1).usesDamagedField);
}

TEST(ComposeName, JoinsWithOrWithoutSpace) {
  EXPECT_EQ(composeName("a", "b", 1), "ab");
  EXPECT_EQ(composeName("a", "b", 2), "a b");
  EXPECT_EQ(composeName("", "b", 2), " b");  // nothing is trimmed
  EXPECT_EQ(composeName("", "", 2), " ");
  EXPECT_EQ(composeName("a", "b", 3), "");
}

}  // namespace
}  // namespace borvanta
