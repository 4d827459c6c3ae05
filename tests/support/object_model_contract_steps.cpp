#include "tests/support/object_model_contract_steps.h"

#include "core/utf.h"

namespace borvanta::testing_support {

ContractItem ContractItem::contact(std::map<om::ContactProperty, std::u16string> values) {
  ContractItem item;
  item.values = std::move(values);
  return item;
}

ContractItem ContractItem::nonContact(std::u16string name) {
  ContractItem item;
  item.isContact = false;
  item.listName = std::move(name);
  return item;
}

namespace contract {

using om::ContactProperty;

namespace {

// More items than any contract folder holds: a walk past it does not end.
constexpr std::size_t kLongestWalk = 1000;

}  // namespace

void check(HRESULT hr, const std::string& step) {
  if (failed(hr)) throw ContractStepFailed(step + " failed with " + hresultText(hr));
}

Ref<om::Application> startApplication(om::ComRuntime& runtime) {
  Ref<ComObject> unknown =
      object(runtime.createInstance(om::CLSID_Application), "CoCreateInstance");
  check(runtime.run(*unknown), "OleRun");
  return object(queryAs<om::Application>(*unknown), "QueryInterface(Application)");
}

Session openFolder(om::ComRuntime& runtime, bool pick) {
  Session session;
  session.application = startApplication(runtime);
  Ref<om::NameSpace> mapi =
      object(session.application->getNamespace(u"MAPI"), "Application.GetNamespace(MAPI)");
  session.folder = pick ? object(mapi->pickFolder(), "NameSpace.PickFolder")
                        : object(mapi->getDefaultFolder(om::olFolderContacts),
                                 "NameSpace.GetDefaultFolder(olFolderContacts)");
  session.items = object(session.folder->items(), "MAPIFolder.Items");
  return session;
}

std::vector<Ref<ComObject>> walk(om::Items& items) {
  std::vector<Ref<ComObject>> all;
  for (Ref<ComObject> item = value(items.getFirst(), "Items.GetFirst"); item;
       item = value(items.getNext(), "Items.GetNext")) {
    all.push_back(item);
    if (all.size() > kLongestWalk) throw ContractStepFailed("Items.GetNext never ends the walk");
  }
  return all;
}

std::vector<Ref<om::ContactItem>> contactsOf(om::Items& items) {
  std::vector<Ref<om::ContactItem>> contacts;
  for (const Ref<ComObject>& item : walk(items)) {
    Result<Ref<om::ContactItem>> contact = queryAs<om::ContactItem>(*item);
    if (contact.hr == E_NOINTERFACE) continue;
    contacts.push_back(object(std::move(contact), "QueryInterface(ContactItem)"));
  }
  return contacts;
}

const std::vector<ContactProperty>& allProperties() {
  static const std::vector<ContactProperty> properties = {
      ContactProperty::FirstName,
      ContactProperty::LastName,
      ContactProperty::CompanyName,
      ContactProperty::FileAs,
      ContactProperty::BusinessFaxNumber,
      ContactProperty::BusinessTelephoneNumber,
      ContactProperty::MobileTelephoneNumber,
      ContactProperty::HomeTelephoneNumber,
      ContactProperty::JobTitle,
      ContactProperty::Department,
      ContactProperty::FullName,
  };
  return properties;
}

const std::vector<ContactProperty>& readProperties() {
  static const std::vector<ContactProperty> properties(allProperties().begin(),
                                                       allProperties().end() - 1);
  return properties;
}

const std::vector<ContactProperty>& writtenProperties() {
  static const std::vector<ContactProperty> properties = {
      ContactProperty::LastName,
      ContactProperty::FirstName,
      ContactProperty::MobileTelephoneNumber,
      ContactProperty::HomeTelephoneNumber,
      ContactProperty::BusinessFaxNumber,
      ContactProperty::BusinessTelephoneNumber,
      ContactProperty::FullName,
      ContactProperty::FileAs,
  };
  return properties;
}

std::u16string read(om::ContactItem& item, ContactProperty property) {
  const om::Bstr text =
      value(item.get(property), "ContactItem.Get(" + std::string(om::propertyName(property)) + ")");
  return text.value_or(u"");
}

Values readValues(om::ContactItem& item) {
  Values values;
  for (ContactProperty property : allProperties())
    values[property] = read(item, property);
  return values;
}

Values expectedValues(const ContractItem& item) {
  Values values;
  for (ContactProperty property : allProperties()) {
    const auto found = item.values.find(property);
    values[property] = found != item.values.end() ? found->second : u"";
  }
  return values;
}

std::vector<Values> contactsInStore(ContractBackend& backend) {
  backend.restartRuntime();
  const Session session = openFolder(backend.runtime());
  std::vector<Values> contacts;
  for (const Ref<om::ContactItem>& contact : contactsOf(*session.items))
    contacts.push_back(readValues(*contact));
  return contacts;
}

std::vector<bool> kindsInStore(ContractBackend& backend) {
  backend.restartRuntime();
  const Session session = openFolder(backend.runtime());
  std::vector<bool> kinds;
  for (const Ref<ComObject>& item : walk(*session.items))
    kinds.push_back(succeeded(queryAs<om::ContactItem>(*item).hr));
  return kinds;
}

ContractItem sampleContact(int n) {
  const std::u16string k = utf8ToUtf16(std::to_string(n));
  return ContractItem::contact({
      {ContactProperty::FirstName, u"길동" + k},
      {ContactProperty::LastName, u"홍" + k},
      {ContactProperty::CompanyName, u"한빛상사 " + k},
      {ContactProperty::FileAs, u"홍길동" + k + u" (한빛상사)"},
      {ContactProperty::BusinessFaxNumber, u"02-555-010" + k},
      {ContactProperty::BusinessTelephoneNumber, u"+82 2 555 020" + k},
      {ContactProperty::MobileTelephoneNumber, u"0101234567" + k},
      {ContactProperty::HomeTelephoneNumber, u"031-123-456" + k},
      {ContactProperty::JobTitle, u"과장 " + k},
      {ContactProperty::Department, u"영업" + k + u"부"},
      {ContactProperty::FullName, u"홍길동" + k},
  });
}

}  // namespace contract
}  // namespace borvanta::testing_support
