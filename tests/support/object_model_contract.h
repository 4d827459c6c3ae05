#pragma once
// What every backend of the contacts object model must do, as one GoogleTest
// suite (ObjectModelContract) that each backend runs against its own store:
// reaching the contacts folder (default folder and picker), walking its items
// in order with Count counting items of every kind, telling contacts from
// other items, reading the ten properties the store reads (and FullName),
// writing the eight it writes, what is visible before and after Save, null and
// empty texts, Korean text (code page 949's extension included) and text
// code page 949 cannot hold, result codes and error descriptions.
//
// A backend takes part by implementing ContractBackend and instantiating the
// suite in one of its test sources:
//
//   class VcardContractBackend : public testing_support::ContractBackend {
//     // createFolder writes a .vcf file in a fresh temporary directory,
//     // runtime() opens it, restartRuntime() opens it again, ...
//   };
//   INSTANTIATE_TEST_SUITE_P(
//       Vcard, ObjectModelContract,
//       ::testing::Values(testing_support::ContractBackendRow{
//           "Vcard", [] { return std::make_unique<VcardContractBackend>(); }}),
//       testing_support::RowName());
//
// (outside namespace borvanta::testing_support, name the suite first with
// `using testing_support::ObjectModelContract;`), and by linking the test
// binary with borvanta_object_model_contract (an object library, so that the
// suite's tests are always linked in). Every test makes a fresh backend
// through the factory and destroys it at its end. A backend that needs more
// than the calls below to be set up (a temporary directory, a picker that
// answers without a person) does that inside its ContractBackend.

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "outlook/object_model.h"

namespace borvanta::testing_support {

// One item of a contacts folder as a contract test lays it out.
struct ContractItem {
  bool isContact = true;
  // A contact: the properties it holds, each one of the eleven of
  // om::ContactProperty; a property not named here was never set.
  std::map<om::ContactProperty, std::u16string> values;
  // An item that is not a contact (a distribution list): its name.
  std::u16string listName;

  [[nodiscard]] static ContractItem contact(std::map<om::ContactProperty, std::u16string> values);
  [[nodiscard]] static ContractItem nonContact(std::u16string name);
};

// One backend as the contract drives it. All calls come from the test's
// thread, in this order: createFolder once; then runtime() and the object
// model reached through it, any number of times; restartRuntime() only when
// every object obtained through the present runtime has been released.
class ContractBackend {
 public:
  virtual ~ContractBackend() = default;

  // Lays out the store: one contacts folder holding `items` in this order.
  // Both NameSpace.GetDefaultFolder(olFolderContacts) and a picker that
  // chooses (see setPickerCancels) lead to it.
  virtual void createFolder(const std::vector<ContractItem>& items) = 0;

  // The runtime that reaches the folder; the same runtime until
  // restartRuntime().
  [[nodiscard]] virtual om::ComRuntime& runtime() = 0;

  // Ends the present runtime and starts a fresh one over what is stored now,
  // as a later start of the program would: only what was saved is there.
  virtual void restartRuntime() = 0;

  // How NameSpace.PickFolder answers from now on: the user chooses the folder
  // (false, the default) or closes the picker without choosing (true).
  virtual void setPickerCancels(bool cancels) = 0;

  // Makes every ContactItem.Save fail from now until restartRuntime(), as a
  // store that cannot be written does; reading stays possible. False when the
  // backend has no such failure to offer (those tests are then skipped).
  [[nodiscard]] virtual bool breakStorage() = 0;

  // True when every failure the contract provokes leaves a description with
  // the object the call was made on.
  [[nodiscard]] virtual bool describesErrors() const = 0;
};

using ContractBackendFactory = std::function<std::unique_ptr<ContractBackend>()>;

// One instantiation's parameter: a name for the test names and the factory.
struct ContractBackendRow {
  const char* name;
  ContractBackendFactory make;

  friend void PrintTo(const ContractBackendRow& row, std::ostream* out) { *out << row.name; }
};

class ObjectModelContract : public ::testing::TestWithParam<ContractBackendRow> {
 protected:
  void SetUp() override { backend_ = GetParam().make(); }
  void TearDown() override { backend_.reset(); }

  [[nodiscard]] ContractBackend& backend() { return *backend_; }

 private:
  std::unique_ptr<ContractBackend> backend_;
};

}  // namespace borvanta::testing_support
