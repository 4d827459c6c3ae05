#include "job/phone_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

struct PhoneCase {
  const char* name;
  const char* value;
  const char* expected;
};

class NormalizePhoneNumber : public testing::TestWithParam<PhoneCase> {};

// The "if changed" form gives the same text, or nothing exactly when the
// text is the value: the telephone pass then keeps the value as it is.
void expectSameRuleIfChanged(const std::optional<std::string>& changed, const PhoneCase& c) {
  if (std::string_view(c.value) == c.expected) {
    EXPECT_EQ(changed, std::nullopt);
  } else {
    EXPECT_EQ(changed, std::optional<std::string>(c.expected));
  }
}

TEST_P(NormalizePhoneNumber, WritesTheHyphenatedKoreanForm) {
  EXPECT_EQ(normalizePhoneNumber(GetParam().value), GetParam().expected);
  expectSameRuleIfChanged(normalizedPhoneNumberIfChanged(GetParam().value), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Table, NormalizePhoneNumber,
    testing::Values(
        PhoneCase{"Mobile", "01012345678", "010-1234-5678"},
        PhoneCase{"AlreadyNormalised", "010-1234-5678", "010-1234-5678"},
        PhoneCase{"Brackets", "(02)123-4567", "02-123-4567"},
        PhoneCase{"SpaceAfterBracket", "(02) 123-4567", "02-123-4567"},
        PhoneCase{"Spaces", "02 1234 5678", "02-1234-5678"},
        PhoneCase{"Seoul", "0212345678", "02-1234-5678"},
        PhoneCase{"NationwideNumber", "15881234", "1588-1234"},
        PhoneCase{"ServicePrefix", "0801234567", "080-123-4567"},
        PhoneCase{"FourCharacterPrefix", "05051234567", "0505-123-4567"},
        PhoneCase{"AreaCode", "031-123-4567", "031-123-4567"},
        PhoneCase{"InnerSpaceKept", "02-12 34-5678", "02-12 34-5678"},
        PhoneCase{"NoPrefixOnlyHyphensGo", "123-4567", "1234567"},
        PhoneCase{"InternationalNotRecognised", "+82 10-1234-5678", "+82 1012345678"},
        PhoneCase{"CountryCodeWithoutPlus", "82-10-1234-5678", "821012345678"},
        PhoneCase{"UnknownMobilePrefix", "013-1234-5678", "01312345678"},
        PhoneCase{"UnknownAreaCode", "044-123-4567", "0441234567"}, PhoneCase{"Empty", "", ""},
        // White space at both ends no longer blocks or shifts the split.
        PhoneCase{"LeadingSpace", " 010-1234-5678", "010-1234-5678"},
        PhoneCase{"TrailingSpace", "02-1234-5678 ", "02-1234-5678"},
        // Too short for a last part of four after the prefix: kept as written.
        PhoneCase{"ShortNationwide", "1588123", "1588123"}, PhoneCase{"PrefixAlone", "02", "02"},
        PhoneCase{"PrefixAndTwoDigits", "(02)12", "(02)12"},
        // Parts holding anything but digits and inner spaces: kept as written.
        PhoneCase{"Dots", "010.1234.5678", "010.1234.5678"},
        PhoneCase{"Extension", "02-123-4567 ext", "02-123-4567 ext"},
        PhoneCase{"Letters", "010-CALL-NOW1", "010-CALL-NOW1"},
        // Longer than any number: the inner white space is trimmed all the same.
        PhoneCase{"LongInnerWhiteSpace",
                  "(02)                                                    123-4567",
                  "02-123-4567"},
        // Longer than the room a call keeps on the stack.
        PhoneCase{
            "LongerThanTheStackRoom",
            "0101111111111111111111111111111111111111111111111111111111111111111111111115678",
            "010-111111111111111111111111111111111111111111111111111111111111111111111111-5678"}),
    testing_support::RowName());

class RemoveCountryCode : public testing::TestWithParam<PhoneCase> {};

TEST_P(RemoveCountryCode, ReplacesInternationalPrefixesWithTrunkPrefix) {
  EXPECT_EQ(removeCountryCode(GetParam().value), GetParam().expected);
  expectSameRuleIfChanged(withoutCountryCodeIfChanged(GetParam().value), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Table, RemoveCountryCode,
    testing::Values(PhoneCase{"Plain", "+821012345678", "01012345678"},
                    PhoneCase{"SpaceStays", "+82 10-1234-5678", "0 10-1234-5678"},
                    PhoneCase{"HyphenStays", "+82-10-1234-5678", "0-10-1234-5678"},
                    PhoneCase{"Seoul", "+82 2 123 4567", "0 2 123 4567"},
                    PhoneCase{"UnitedKingdom", "+44 20 7946 0000", "0 20 7946 0000"},
                    PhoneCase{"National", "010-1234-5678", "010-1234-5678"},
                    PhoneCase{"NoPlus", "82-10-1234-5678", "82-10-1234-5678"},
                    PhoneCase{"AnywhereInTheValue", "02-123-4567 (+82 10-1234-5678)",
                              "02-123-4567 (0 10-1234-5678)"},
                    PhoneCase{"Both", "+82+44", "00"},
                    PhoneCase{"OtherCountryStays", "+1 212-555-0100", "+1 212-555-0100"},
                    PhoneCase{"Empty", "", ""}),
    testing_support::RowName());

}  // namespace
}  // namespace borvanta
