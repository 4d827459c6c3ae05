// The test object model keeps the promises every backend keeps: the tests of
// the store stand on it.

#include <gtest/gtest.h>

#include "tests/support/fake_outlook.h"
#include "tests/support/named_rows.h"
#include "tests/support/object_model_contract.h"

namespace borvanta {
namespace {

using testing_support::ContractBackend;
using testing_support::ContractBackendRow;
using testing_support::ContractItem;
using testing_support::FakeOutlook;
using testing_support::ObjectModelContract;

class FakeContractBackend : public ContractBackend {
 public:
  void createFolder(const std::vector<ContractItem>& items) override {
    for (const ContractItem& item : items) {
      if (!item.isContact) {
        outlook_.addNonContact();
        continue;
      }
      std::map<om::ContactProperty, om::Bstr> values(item.values.begin(), item.values.end());
      outlook_.addContact(std::move(values));
    }
  }
  om::ComRuntime& runtime() override { return outlook_.runtime(); }
  void restartRuntime() override {
    EXPECT_EQ(outlook_.liveObjects(), 0) << "objects of the runtime are still held";
    outlook_.clearFaults();
    outlook_.restartRuntime();
  }
  void setPickerCancels(bool cancels) override { outlook_.setPickerCancels(cancels); }
  bool breakStorage() override {
    outlook_.failEveryCall("ContactItem.Save", E_ACCESSDENIED, u"연락처 폴더에 쓸 수 없습니다");
    return true;
  }
  bool describesErrors() const override { return true; }

  ~FakeContractBackend() override {
    EXPECT_EQ(outlook_.liveObjects(), 0) << "objects outlived the test";
  }

 private:
  FakeOutlook outlook_;
};

INSTANTIATE_TEST_SUITE_P(FakeOutlook, ObjectModelContract,
                         ::testing::Values(ContractBackendRow{
                             "FakeOutlook",
                             [] { return std::make_unique<FakeContractBackend>(); }}),
                         testing_support::RowName());

}  // namespace
}  // namespace borvanta
