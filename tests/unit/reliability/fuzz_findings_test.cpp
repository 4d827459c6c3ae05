// Inputs the fuzz targets found that broke a property, kept here so that the
// fix stays: each row is a value that once came out wrong.

#include <gtest/gtest.h>

#include "core/cp949.h"
#include "job/name_separation.h"
#include "job/phone_number.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

struct PhoneRow {
  const char* name;
  const char* value;
  const char* expected;
};

class PhoneFinding : public testing::TestWithParam<PhoneRow> {};

// A value whose last four characters begin with white space once came out
// with a last part of three ("016-123 403-419"), which a second
// normalisation then split elsewhere ("016-123 40-3419").
TEST_P(PhoneFinding, StaysAsWrittenAndNormalisesToItselfAgain) {
  const std::string result = normalizePhoneNumber(GetParam().value);
  EXPECT_EQ(result, GetParam().expected);
  EXPECT_EQ(normalizePhoneNumber(result), result);
}

INSTANTIATE_TEST_SUITE_P(
    Fuzzed, PhoneFinding,
    testing::Values(PhoneRow{"LastFourBeginWithSpace", "016 123 403 419", "016 123 403 419"},
                    PhoneRow{"SeoulLastGroupOfThree", "02 1234 567", "02 1234 567"},
                    PhoneRow{"HyphenThenSpace", "(02)1234- 567", "(02)1234- 567"},
                    PhoneRow{"LastGroupOfFourStillSplits", "016 123 403 4419", "016-123 403-4419"}),
    testing_support::RowName());

struct NameRow {
  const char* name;
  std::string fullName;  // code page 949
  std::string givenName;
};

class NameFinding : public testing::TestWithParam<NameRow> {};

// The given name is at most 100 bytes; it was once cut at byte 100 even in
// the middle of a Hangul syllable, leaving half a character at its end.
TEST_P(NameFinding, GivenNameIsCutOnlyBetweenCharacters) {
  const SplitName split = splitFullName(GetParam().fullName);
  EXPECT_EQ(split.surname, cp949("김"));
  EXPECT_EQ(split.givenName, GetParam().givenName);
}

std::string repeated(const char* utf8, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += cp949(utf8);
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Fuzzed, NameFinding,
    testing::Values(
        NameRow{"OddByteBeforeSyllables", cp949("김") + "a" + repeated("가", 60),
                "a" + repeated("가", 49)},
        NameRow{"SyllablesFillExactly", cp949("김") + repeated("가", 50), repeated("가", 50)},
        NameRow{"SyllablesBeyondTheLimit", cp949("김") + repeated("가", 51), repeated("가", 50)},
        NameRow{"LatinBeyondTheLimit", cp949("김") + std::string(120, 'x'), std::string(100, 'x')}),
    testing_support::RowName());

}  // namespace
}  // namespace borvanta
