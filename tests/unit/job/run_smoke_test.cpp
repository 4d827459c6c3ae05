#include <gtest/gtest.h>

#include "tests/support/job_harness.h"

namespace borvanta {
namespace {

using om::ContactProperty;
using testing_support::JobHarness;

TEST(RunSmoke, AllPassesOverOneContact) {
  PageSettings settings;
  settings.separateName = settings.resetNumber = settings.resetNationalNumber = true;
  settings.resetFullName = settings.resetDisplayName = true;
  JobHarness h(settings);
  h.outlook.addContact({{ContactProperty::FirstName, u"김철수"},
                        {ContactProperty::MobileTelephoneNumber, u"+821012345678"},
                        {ContactProperty::CompanyName, u"삼성"}});
  EXPECT_EQ(h.run(), RunOutcome::Completed);
  const auto& e = h.outlook.entry(0);
  EXPECT_EQ(e.value(ContactProperty::LastName), u"김");
  EXPECT_EQ(e.value(ContactProperty::FirstName), u"철수");
  EXPECT_EQ(e.value(ContactProperty::MobileTelephoneNumber), u"01012345678");
  EXPECT_EQ(e.value(ContactProperty::FullName), u"김철수");
  EXPECT_EQ(e.value(ContactProperty::FileAs), u"김철수(삼성");
}

}  // namespace
}  // namespace borvanta
