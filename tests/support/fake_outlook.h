#pragma once
// The test object model: a contacts server of Outlook's shape in memory. Any
// call can be made to fail with a chosen result code, with or without a
// description; items can be contacts or not; every object is counted, so
// tests can prove that references are given back and in which order.
//
// Call names, as recorded and as faults address them:
//   CoCreateInstance, OleRun, Application.QueryInterface,
//   Application.GetNamespace, NameSpace.GetDefaultFolder, NameSpace.PickFolder,
//   MAPIFolder.Items, Items.GetFirst, Items.GetNext, Items.Count,
//   Item.QueryInterface, ContactItem.Get(<Property>), ContactItem.Put(<Property>),
//   ContactItem.Save
// A fault named "ContactItem.Get" matches the call for every property.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outlook/object_model.h"

namespace borvanta::testing_support {

// One item of the folder.
struct FakeEntry {
  bool isContact = true;
  std::map<om::ContactProperty, om::Bstr> saved;          // what the store holds
  std::map<om::ContactProperty, std::u16string> pending;  // put since the last save
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

  // Fails the `occurrence`-th call (1-based) that matches `call`.
  void failCall(std::string call, HRESULT hr, std::optional<std::u16string> description = {},
                int occurrence = 1);
  // Fails the k-th call of the whole model (1-based), whatever it is.
  void failCallNumber(int k, HRESULT hr, std::optional<std::u16string> description = {});

  [[nodiscard]] const std::vector<std::string>& calls() const;
  [[nodiscard]] int callCount(const std::string& call) const;  // matched like faults
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
