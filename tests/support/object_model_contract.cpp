// The object-model contract: folder, walk, reading, writing, saving, text and
// errors. See object_model_contract.h for how a backend runs it.

#include "tests/support/object_model_contract.h"

#include <gtest/gtest.h>

#include "tests/support/object_model_contract_steps.h"

namespace borvanta::testing_support {
namespace {

using contract::Session;
using contract::Values;
using om::ContactProperty;

// --- the folder ---------------------------------------------------------

TEST_P(ObjectModelContract, TheDefaultContactsFolderHoldsTheLaidOutItems) {
  backend().createFolder({contract::sampleContact(1), contract::sampleContact(2)});
  const Session session = contract::openFolder(backend().runtime());
  EXPECT_EQ(contract::value(session.items->count(), "Items.Count"), 2);
  EXPECT_EQ(contract::contactsOf(*session.items).size(), 2U);
}

TEST_P(ObjectModelContract, ThePickerChoosesTheSameFolder) {
  backend().createFolder({contract::sampleContact(1), contract::sampleContact(2)});
  backend().setPickerCancels(false);
  const Session session = contract::openFolder(backend().runtime(), /*pick=*/true);
  const auto contacts = contract::contactsOf(*session.items);
  ASSERT_EQ(contacts.size(), 2U);
  EXPECT_EQ(contract::read(*contacts[0], ContactProperty::FirstName), u"길동1");
  EXPECT_EQ(contract::read(*contacts[1], ContactProperty::FirstName), u"길동2");
}

TEST_P(ObjectModelContract, ClosingThePickerIsAnEmptyAnswerNotAFailure) {
  backend().createFolder({contract::sampleContact(1)});
  backend().setPickerCancels(true);
  Ref<om::Application> application = contract::startApplication(backend().runtime());
  Ref<om::NameSpace> mapi =
      contract::object(application->getNamespace(u"MAPI"), "Application.GetNamespace(MAPI)");
  const Result<Ref<om::MAPIFolder>> picked = mapi->pickFolder();
  EXPECT_TRUE(succeeded(picked.hr)) << hresultText(picked.hr);
  EXPECT_FALSE(picked.value);
}

TEST_P(ObjectModelContract, OnlyTheMapiNamespaceExistsAndItsRefusalIsDescribed) {
  backend().createFolder({});
  Ref<om::Application> application = contract::startApplication(backend().runtime());
  const Result<Ref<om::NameSpace>> other = application->getNamespace(u"NOTMAPI");
  EXPECT_TRUE(failed(other.hr));
  EXPECT_FALSE(other.value);
  const std::optional<std::u16string> description =
      application->errorDescription(om::IID_Application);
  if (backend().describesErrors()) {
    ASSERT_TRUE(description.has_value());
    EXPECT_FALSE(description->empty());
  } else if (description) {
    EXPECT_FALSE(description->empty()) << "an empty description stands for none";
  }
}

// --- the walk -----------------------------------------------------------

TEST_P(ObjectModelContract, AnEmptyFolderCountsNoItemAndEndsAtOnce) {
  backend().createFolder({});
  const Session session = contract::openFolder(backend().runtime());
  EXPECT_EQ(contract::value(session.items->count(), "Items.Count"), 0);
  const Result<Ref<ComObject>> first = session.items->getFirst();
  EXPECT_TRUE(succeeded(first.hr)) << hresultText(first.hr);
  EXPECT_FALSE(first.value);
}

TEST_P(ObjectModelContract, CountCountsItemsOfEveryKindAndTheWalkKeepsTheirOrder) {
  backend().createFolder({ContractItem::nonContact(u"팀 목록"), contract::sampleContact(1),
                          contract::sampleContact(2), ContractItem::nonContact(u"가족"),
                          contract::sampleContact(3)});
  const Session session = contract::openFolder(backend().runtime());
  EXPECT_EQ(contract::value(session.items->count(), "Items.Count"), 5);
  std::vector<HRESULT> answers;
  std::vector<std::u16string> names;
  for (const Ref<ComObject>& item : contract::walk(*session.items)) {
    Result<Ref<om::ContactItem>> contact = queryAs<om::ContactItem>(*item);
    answers.push_back(contact.hr);
    if (contact.value) names.push_back(contract::read(*contact.value, ContactProperty::FirstName));
  }
  EXPECT_EQ(answers, (std::vector<HRESULT>{E_NOINTERFACE, S_OK, S_OK, E_NOINTERFACE, S_OK}));
  EXPECT_EQ(names, (std::vector<std::u16string>{u"길동1", u"길동2", u"길동3"}));
}

// --- reading ------------------------------------------------------------

TEST_P(ObjectModelContract, ReadsEveryPropertyOfEveryContact) {
  const std::vector<ContractItem> items = {contract::sampleContact(1), contract::sampleContact(2),
                                           contract::sampleContact(3)};
  backend().createFolder(items);
  const Session session = contract::openFolder(backend().runtime());
  const auto contacts = contract::contactsOf(*session.items);
  ASSERT_EQ(contacts.size(), items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(contract::readValues(*contacts[i]), contract::expectedValues(items[i])) << "#" << i;
  }
}

TEST_P(ObjectModelContract, APropertyNeverSetReadsAsEmpty) {
  backend().createFolder({ContractItem::contact({{ContactProperty::FirstName, u"민수"}})});
  const Session session = contract::openFolder(backend().runtime());
  const auto contacts = contract::contactsOf(*session.items);
  ASSERT_EQ(contacts.size(), 1U);
  // Null or empty, both are empty to the store; the read itself succeeds.
  Values expected = contract::expectedValues(ContractItem::contact({}));
  expected[ContactProperty::FirstName] = u"민수";
  EXPECT_EQ(contract::readValues(*contacts[0]), expected);
}

}  // namespace
}  // namespace borvanta::testing_support
