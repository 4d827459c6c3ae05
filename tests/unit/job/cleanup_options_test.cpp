#include "job/cleanup_options.h"

#include <gtest/gtest.h>

#include "tests/support/named_rows.h"

#include <functional>

#include "job/pass_frame.h"

namespace borvanta {
namespace {

CleanupOptions workable() {
  CleanupOptions o;
  o.separateName = o.resetNumber = o.resetNationalNumber = o.resetFullName = 1;
  o.resetDisplayName = 1;
  o.nameType = 1;
  o.separateType1 = 1;
  o.displayNameType1 = 1;
  o.displayType = "x";
  return o;
}

struct RefusalCase {
  const char* name;
  std::function<void(CleanupOptions&)> change;
  bool refused;
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, OptionsThatCannotBeCarriedOutAreRefused) {
  CleanupOptions options = workable();
  GetParam().change(options);
  const std::optional<std::string> reason = refusalReason(options);
  EXPECT_EQ(reason.has_value(), GetParam().refused);
  if (reason) {
    EXPECT_FALSE(reason->empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Refusal,
    testing::Values(
        RefusalCase{"Workable", [](CleanupOptions&) {}, false},
        RefusalCase{"NameTypeThree", [](CleanupOptions& o) { o.nameType = 3; }, true},
        RefusalCase{"NameTypeUnusedByTelephonePasses",
                    [](CleanupOptions& o) {
                      o.nameType = 0;
                      o.separateName = o.resetFullName = o.resetDisplayName = 0;
                    },
                    false},
        RefusalCase{"NameTypeUnusedBySplittingIntoTwoFields",
                    [](CleanupOptions& o) {
                      o.nameType = 7;
                      o.resetFullName = o.resetDisplayName = 0;
                    },
                    false},
        RefusalCase{"NameTypeUsedByMovingWholeName",
                    [](CleanupOptions& o) {
                      o.nameType = 7;
                      o.resetFullName = o.resetDisplayName = 0;
                      o.separateType1 = 0;
                      o.separateType2 = 1;
                    },
                    true},
        RefusalCase{"NoSeparationType", [](CleanupOptions& o) { o.separateType1 = 0; }, true},
        RefusalCase{"NoSeparationTypeButPassOff",
                    [](CleanupOptions& o) { o.separateType1 = o.separateName = 0; }, false},
        RefusalCase{"NoDisplayNameType", [](CleanupOptions& o) { o.displayNameType1 = 0; }, true},
        RefusalCase{"EmptyOfferedTemplate", [](CleanupOptions& o) { o.displayType = " \t"; }, true},
        RefusalCase{"EmptyTypedTemplate",
                    [](CleanupOptions& o) {
                      o.displayNameType2 = 1;
                      o.displayNameTemplate = "";
                    },
                    true},
        RefusalCase{"TypedTemplateLostCharacters",
                    [](CleanupOptions& o) {
                      o.displayNameType1 = 0;
                      o.displayNameType2 = 1;
                      o.displayNameTemplate = "?";
                      o.displayNameTemplateLossy = true;
                    },
                    true},
        RefusalCase{"UnchosenTemplateMayBeAnything",
                    [](CleanupOptions& o) {
                      o.displayNameTemplate = "?";
                      o.displayNameTemplateLossy = true;
                    },
                    false}),
    testing_support::RowName());

TEST(ChosenDisplayTemplate, TypedTemplateWinsWhenBothButtonsAreSet) {
  CleanupOptions o = workable();
  o.displayNameTemplate = "typed";
  EXPECT_EQ(chosenDisplayTemplate(o), "x");
  o.displayNameType2 = 1;
  EXPECT_EQ(chosenDisplayTemplate(o), "typed");
  o.displayNameType1 = o.displayNameType2 = 0;
  EXPECT_EQ(chosenDisplayTemplate(o), "");
}

TEST(ProgressPercent, DoublePrecisionTruncatedTowardZero) {
  EXPECT_EQ(progressPercent(10, 25), 40);
  EXPECT_EQ(progressPercent(20, 25), 80);
  EXPECT_EQ(progressPercent(290, 1000), 28);  // 0.29 * 100.0 is just below 29
  EXPECT_EQ(progressPercent(1000, 1000), 100);
}

}  // namespace
}  // namespace borvanta
