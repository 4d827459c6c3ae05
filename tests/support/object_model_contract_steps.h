#pragma once
// The steps of the object-model contract: the calls a run makes, each checked.
// A step whose call does not give what every backend must give throws
// ContractStepFailed, which ends the test with the step's name and result code.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/com_error.h"
#include "outlook/object_model.h"
#include "tests/support/object_model_contract.h"

namespace borvanta::testing_support::contract {

class ContractStepFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The value of a call that must succeed.
template <class T>
T value(Result<T> result, const std::string& step) {
  if (failed(result.hr)) throw ContractStepFailed(step + " failed with " + hresultText(result.hr));
  return std::move(result.value);
}

// The object a call must give: success and a reference that is not empty.
template <class T>
Ref<T> object(Result<Ref<T>> result, const std::string& step) {
  Ref<T> answer = value(std::move(result), step);
  if (!answer) throw ContractStepFailed(step + " gave an empty reference");
  return answer;
}

void check(HRESULT hr, const std::string& step);

// What a run holds once the folder is open.
struct Session {
  Ref<om::Application> application;
  Ref<om::MAPIFolder> folder;
  Ref<om::Items> items;
};

// CoCreateInstance and OleRun of the application class, then its
// Application interface; the created base reference is released.
[[nodiscard]] Ref<om::Application> startApplication(om::ComRuntime& runtime);

// The application as startApplication gives it, the MAPI namespace, then the default contacts
// folder (or the picker's choice when `pick`) and its items. The namespace is released.
[[nodiscard]] Session openFolder(om::ComRuntime& runtime, bool pick = false);

// Every item of the collection, from GetFirst through GetNext to the empty
// reference that ends it.
[[nodiscard]] std::vector<Ref<ComObject>> walk(om::Items& items);

// The contact items of the collection, in order; items that answer
// E_NOINTERFACE are left out, any other failure of the query is a violation.
[[nodiscard]] std::vector<Ref<om::ContactItem>> contactsOf(om::Items& items);

using Values = std::map<om::ContactProperty, std::u16string>;

// The eleven properties, the ten the store reads, the eight it writes.
[[nodiscard]] const std::vector<om::ContactProperty>& allProperties();
[[nodiscard]] const std::vector<om::ContactProperty>& readProperties();
[[nodiscard]] const std::vector<om::ContactProperty>& writtenProperties();

// A property as text: a null string reads as "".
[[nodiscard]] std::u16string read(om::ContactItem& item, om::ContactProperty property);
// All eleven properties of the item.
[[nodiscard]] Values readValues(om::ContactItem& item);
// What readValues must give for a contact laid out as `item`.
[[nodiscard]] Values expectedValues(const ContractItem& item);

// After a restart of the runtime: the values of every contact in the store,
// and whether each item of the folder is a contact, in folder order.
[[nodiscard]] std::vector<Values> contactsInStore(ContractBackend& backend);
[[nodiscard]] std::vector<bool> kindsInStore(ContractBackend& backend);

// A contact with a distinct value in every one of the eleven properties.
[[nodiscard]] ContractItem sampleContact(int n);

}  // namespace borvanta::testing_support::contract
