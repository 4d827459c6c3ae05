#pragma once
// The test object model: a contacts server of Outlook's shape in memory. Any
// call can be made to fail with a chosen result code, with or without a
// description, or to succeed with an empty reference; items can be contacts or
// not; every object is counted, so tests can prove that references are given
// back and in which order.
//
// Call names, as recorded and as faults address them:
//   CoCreateInstance, OleRun, Application.QueryInterface,
//   Application.GetNamespace, NameSpace.GetDefaultFolder, NameSpace.PickFolder,
//   MAPIFolder.Items, Items.GetFirst, Items.GetNext, Items.Count,
//   Item.QueryInterface, ContactItem.Get(<Property>), ContactItem.Put(<Property>),
//   ContactItem.Save
// A fault named "ContactItem.Get" matches the call for every property.
//
// Like Outlook's, a contact item object holds the values put on it until it
// is saved: its own reads see them, the store (and every other object) only
// after Save, and an item released unsaved takes them with it.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outlook/object_model.h"

namespace borvanta::testing_support {

// One item of the folder as the store holds it.
struct FakeEntry {
  bool isContact = true;
  std::map<om::ContactProperty, om::Bstr> saved;  // absent: a null string
  int saves = 0;

  // The saved value, "" for a null or absent property.
  [[nodiscard]] std::u16string value(om::ContactProperty property) const;
};

class FakeOutlook {
 public:
  FakeOutlook();
  ~FakeOutlook();
  FakeOutlook(const FakeOutlook&) = delete;
  FakeOutlook& operator=(const FakeOutlook&) = delete;

  // The folder's items, in collection order. References stay valid.
  FakeEntry& addContact(std::map<om::ContactProperty, om::Bstr> values = {});
  FakeEntry& addNonContact();
  [[nodiscard]] FakeEntry& entry(std::size_t index);
  [[nodiscard]] std::size_t entryCount() const;

  // How the folder is found.
  void setHasDefaultFolder(bool has);
  void setPickerCancels(bool cancels);
  void setFolderHasItems(bool has);
  // Items.Count answers `count` instead of the number of items (nullopt: the
  // number of items).
  void setReportedCount(std::optional<std::int32_t> count);

  // Fails the `occurrence`-th call (1-based) that matches `call`.
  void failCall(std::string call, HRESULT hr, std::optional<std::u16string> description = {},
                int occurrence = 1);
  // Fails every call that matches `call`.
  void failEveryCall(std::string call, HRESULT hr, std::optional<std::u16string> description = {});
  // Fails the k-th call of the whole model (1-based), whatever it is.
  void failCallNumber(int k, HRESULT hr, std::optional<std::u16string> description = {});
  // The `occurrence`-th call that matches `call` succeeds with an empty
  // reference (for a call that answers an object).
  void answerEmpty(std::string call, int occurrence = 1);
  // Forgets every fault and empty answer not yet used.
  void clearFaults();

  // A new runtime over the same store, as a later start of the program would
  // get; the previous one is gone. Objects of the model stay valid.
  void restartRuntime();

  [[nodiscard]] const std::vector<std::string>& calls() const;
  // The folder entry (its index in collection order) each recorded call was
  // made on, parallel to calls(); -1 for a call not made on a contact item.
  [[nodiscard]] const std::vector<int>& callTargets() const;
  [[nodiscard]] int callCount(const std::string& call) const;  // matched like faults
  // Calls and destructions in the order they happened; a destruction appears
  // as "~" and the object's kind ("~NameSpace").
  [[nodiscard]] const std::vector<std::string>& timeline() const;
  // Objects of the model still alive.
  [[nodiscard]] int liveObjects() const;
  // Kinds of the objects destroyed, in order ("Application", "NameSpace",
  // "MAPIFolder", "Items", "ContactItem", "OtherItem").
  [[nodiscard]] const std::vector<std::string>& destroyed() const;

  [[nodiscard]] om::ComRuntime& runtime();

  struct State;

 private:
  std::shared_ptr<State> state_;
  std::unique_ptr<om::ComRuntime> runtime_;
};

}  // namespace borvanta::testing_support
