// What a run costs the page as the address book grows: the options are read a
// fixed number of times, and the loop pumps and the bar moves once per ten
// counted records, besides filling the bar after each step.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/support/job_harness.h"

namespace borvanta {
namespace {

using om::ContactProperty;
using testing_support::JobHarness;

// Counts the page's element lookups by id; every read and write of the page
// bridge looks its element up.
class CountingDocument : public dom::Document {
 public:
  explicit CountingDocument(Ref<MemoryDocument> inner) : inner_(std::move(inner)) {}

  Ref<dom::Element> getElementById(std::string_view id) override {
    ++lookups[std::string(id)];
    return inner_->getElementById(id);
  }
  std::optional<dom::PointerEvent> currentEvent() override { return inner_->currentEvent(); }

  std::map<std::string, int> lookups;

 private:
  Ref<MemoryDocument> inner_;
};

struct Cost {
  std::map<std::string, int> optionLookups;  // every id but the log and the bar
  std::size_t progressWrites = 0;
  int pumps = 0;
};

Cost runOver(int contacts) {
  PageSettings s;
  s.separateName = s.resetNumber = s.resetNationalNumber = true;
  s.resetFullName = s.resetDisplayName = true;
  JobHarness h(s);
  for (int i = 0; i < contacts; ++i) {
    h.outlook.addContact({{ContactProperty::FullName, u"김철수"},
                          {ContactProperty::MobileTelephoneNumber, u"+82 1012345678"}});
  }
  Ref<CountingDocument> counting = makeRef<CountingDocument>(h.document);
  h.page.setDocument(counting);
  EXPECT_EQ(h.run(), RunOutcome::Completed);
  Cost cost;
  cost.optionLookups = counting->lookups;
  cost.optionLookups.erase("idLog");
  cost.optionLookups.erase("idProgress");
  cost.progressWrites = h.progress().size();
  cost.pumps = h.loop.dispatches;
  return cost;
}

TEST(RunCost, TheOptionsAreReadAsOftenWhateverTheNumberOfContacts) {
  const Cost small = runOver(30);
  const Cost large = runOver(300);
  EXPECT_FALSE(small.optionLookups.empty());
  EXPECT_EQ(small.optionLookups, large.optionLookups);
}

TEST(RunCost, TheLoopPumpsOncePerTenCountedRecordsAndTheBarMovesWithIt) {
  const Cost small = runOver(30);
  const Cost large = runOver(300);
  EXPECT_GE(small.pumps, 3);
  EXPECT_EQ(large.pumps, 10 * small.pumps);
  // Besides the move at each pump, the bar is filled at the end of loading
  // and of each of the five passes.
  EXPECT_EQ(small.progressWrites, static_cast<std::size_t>(small.pumps) + 6);
  EXPECT_EQ(large.progressWrites, static_cast<std::size_t>(large.pumps) + 6);
}

}  // namespace
}  // namespace borvanta
