#include "job/name_separation.h"

#include <gtest/gtest.h>

#include "tests/support/named_rows.h"

#include <set>

#include "core/cp949.h"
#include "job/surname_table.h"

namespace borvanta {
namespace {

TEST(SurnameTable, HoldsDistinctEntriesOfOneOrTwoSyllables) {
  int oneSyllable = 0;
  for (std::string_view surname : surnameTable) {
    const std::string bytes = cp949(surname);
    ASSERT_TRUE(bytes.size() == 2 || bytes.size() == 4) << surname;
    oneSyllable += bytes.size() == 2 ? 1 : 0;
    EXPECT_EQ(surnameLength(bytes), static_cast<int>(bytes.size())) << surname;
  }
  EXPECT_EQ(oneSyllable, 166);
  std::set<std::string_view> distinct(surnameTable.begin(), surnameTable.end());
  EXPECT_EQ(distinct.size(), surnameTable.size());
}

TEST(SurnameLength, OnlyWholeEntriesMatch) {
  EXPECT_EQ(surnameLength(cp949("황보")), 4);
  EXPECT_EQ(surnameLength(cp949("김")), 2);
  EXPECT_EQ(surnameLength(cp949("김철")), 0);
  EXPECT_EQ(surnameLength(cp949("철")), 0);
  EXPECT_EQ(surnameLength(""), 0);
  EXPECT_EQ(surnameLength("\xB1\xE8\xC3"), 0);
  EXPECT_EQ(surnameLength("Ki"), 0);
}

struct SplitCase {
  const char* name;
  std::string input;  // UTF-8; converted to code page 949
  const char* surname;
  const char* givenName;
};

class SplitFullName : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitFullName, SplitsByTheSurnameTable) {
  const SplitCase& c = GetParam();
  const SplitName split = splitFullName(cp949(c.input));
  EXPECT_EQ(split.surname, cp949(c.surname));
  EXPECT_EQ(split.givenName, cp949(c.givenName));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitFullName,
    testing::Values(SplitCase{"OneSyllableSurname", "김철수", "김", "철수"},
                    SplitCase{"TwoSyllableSurname", "남궁민수", "남궁", "민수"},
                    SplitCase{"TwoSyllablesWinOverOne", "황보석", "황보", "석"},
                    SplitCase{"TwoSyllablesWinOverOneAgain", "서문희", "서문", "희"},
                    SplitCase{"SpaceAfterSurname", "김 철수", "김", "철수"},
                    SplitCase{"SpaceAfterTwoSyllableSurname", "남궁 민수", "남궁", "민수"},
                    SplitCase{"LongGivenName", "김수한무", "김", "수한무"},
                    SplitCase{"SurnameAlone", "김", "김", ""},
                    SplitCase{"TwoSyllableSurnameAlone", "황보", "황보", ""},
                    SplitCase{"AsciiGivenName", "김AB", "김", "AB"},
                    SplitCase{"AddressTermNeverSplit", "엄마", "", "엄마"},
                    SplitCase{"LongAddressTerm", "자기님", "", "자기님"},
                    SplitCase{"AddressTermThatStartsWithASurname", "아버지", "", "아버지"},
                    SplitCase{"LatinName", "SmithJohn", "", ""}, SplitCase{"Empty", "", "", ""},
                    SplitCase{"NoSurname", "철수", "", ""},
                    SplitCase{"LeadingSpace", " 김철수", "", ""},
                    // Trimming the candidate " 김 " would match 김 and cut the name in the
                    // middle of its first syllable; the name does not begin with 김.
                    SplitCase{"LeadingSpaceNeverCutsASyllable", " 김 가", "", ""},
                    SplitCase{"TrailingSpaceOfGivenNameTrimmed", "김철수 ", "김", "철수"}),
    testing_support::RowName());

TEST(SplitFullName, GivenNameKeepsAtMostOneHundredBytes) {
  const SplitName split = splitFullName(cp949("김") + std::string(150, 'a'));
  EXPECT_EQ(split.givenName, std::string(100, 'a'));
}

TEST(AddressTerms, AllThirteenAreRecognised) {
  for (std::string_view term : addressTerms)
    EXPECT_TRUE(isAddressTerm(cp949(term))) << term;
  EXPECT_FALSE(isAddressTerm(cp949("엄마님")));
}

}  // namespace
}  // namespace borvanta
