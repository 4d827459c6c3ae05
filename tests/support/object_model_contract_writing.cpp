// The object-model contract: writing and saving, text in and out, and a store
// that cannot be written. See object_model_contract.h.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/object_model_contract.h"
#include "tests/support/object_model_contract_steps.h"

namespace borvanta::testing_support {
namespace {

using contract::Session;
using contract::Values;
using om::ContactProperty;

void put(om::ContactItem& item, ContactProperty property, std::u16string_view text) {
  contract::check(item.put(property, text),
                  "ContactItem.Put(" + std::string(om::propertyName(property)) + ")");
}

// Puts `values` on the `index`-th contact of the folder and saves it.
void writeAndSave(ContractBackend& backend, std::size_t index, const Values& values) {
  const Session session = contract::openFolder(backend.runtime());
  const auto contacts = contract::contactsOf(*session.items);
  if (index >= contacts.size()) throw contract::ContractStepFailed("too few contacts to write");
  for (const auto& [property, text] : values)
    put(*contacts[index], property, text);
  contract::check(contacts[index]->save(), "ContactItem.Save");
}

// Text of many kinds, each in the property the store writes or reads it from:
// syllables only code page 949's extension holds (똠, 햏, 뷁, 쀍), hanja,
// full-width forms, jamo, the separators a file format may use, white space at
// both ends, and a value longer than any line of a text file format.
Values koreanTexts() {
  std::u16string longText;
  for (int i = 0; i < 12; ++i)
    longText += u"가나다라마바사아자똠";
  return {
      {ContactProperty::LastName, u"똠"},
      {ContactProperty::FirstName, u"햏뷁쀍"},
      {ContactProperty::MobileTelephoneNumber, u"+82 (10) 1234-5678 내선 12"},
      {ContactProperty::HomeTelephoneNumber, u"  031-123-4567  "},
      {ContactProperty::BusinessFaxNumber, u"02,555;0101\\:n"},
      {ContactProperty::BusinessTelephoneNumber, u"＃02－555－0100"},
      {ContactProperty::FullName, u"洪吉童 똠방각하"},
      {ContactProperty::FileAs, longText},
      {ContactProperty::CompanyName, u"（주）한빛 & <상사>"},
      {ContactProperty::JobTitle, u"ㄱㄴㄷ 자모"},
      {ContactProperty::Department, u"\"따옴표\" '작은' = 부서"},
  };
}

// --- writing and saving -------------------------------------------------

TEST_P(ObjectModelContract, EachWrittenPropertyIsStoredAtSaveAndNothingElseChanges) {
  backend().createFolder({contract::sampleContact(1), contract::sampleContact(2)});
  std::vector<Values> expected = {contract::expectedValues(contract::sampleContact(1)),
                                  contract::expectedValues(contract::sampleContact(2))};
  for (ContactProperty property : contract::writtenProperties()) {
    SCOPED_TRACE(std::string(om::propertyName(property)));
    const Values change = {{property, u"새 값 " + expected[1][property]}};
    writeAndSave(backend(), 1, change);
    expected[1][property] = change.at(property);
    ASSERT_EQ(contract::contactsInStore(backend()), expected);
  }
}

TEST_P(ObjectModelContract, AnItemShowsItsOwnPutsBeforeSave) {
  backend().createFolder({contract::sampleContact(1)});
  const Session session = contract::openFolder(backend().runtime());
  const auto contacts = contract::contactsOf(*session.items);
  ASSERT_EQ(contacts.size(), 1U);
  put(*contacts[0], ContactProperty::FirstName, u"철수");
  EXPECT_EQ(contract::read(*contacts[0], ContactProperty::FirstName), u"철수");
}

TEST_P(ObjectModelContract, UnsavedValuesNeverReachTheStore) {
  backend().createFolder({contract::sampleContact(1)});
  {
    const Session session = contract::openFolder(backend().runtime());
    const auto contacts = contract::contactsOf(*session.items);
    ASSERT_EQ(contacts.size(), 1U);
    for (ContactProperty property : contract::writtenProperties())
      put(*contacts[0], property, u"저장 안 함");
  }
  EXPECT_EQ(contract::contactsInStore(backend()),
            std::vector<Values>{contract::expectedValues(contract::sampleContact(1))});
}

TEST_P(ObjectModelContract, AnEmptyTextReplacesAValue) {
  backend().createFolder({contract::sampleContact(1)});
  Values empty;
  for (ContactProperty property : contract::writtenProperties())
    empty[property] = u"";
  writeAndSave(backend(), 0, empty);
  Values expected = contract::expectedValues(contract::sampleContact(1));
  for (const auto& [property, text] : empty)
    expected[property] = text;
  EXPECT_EQ(contract::contactsInStore(backend()), std::vector<Values>{expected});
}

TEST_P(ObjectModelContract, SavingOneContactLeavesTheRestOfTheFolderAsItWas) {
  ContractItem beyond = contract::sampleContact(2);
  beyond.values[ContactProperty::JobTitle] = u"팀장 \U0001F600";
  const std::vector<ContractItem> items = {contract::sampleContact(1),
                                           ContractItem::nonContact(u"팀 목록"), beyond,
                                           contract::sampleContact(3)};
  backend().createFolder(items);
  writeAndSave(backend(), 2, {{ContactProperty::FirstName, u"바뀐 이름"}});
  writeAndSave(backend(), 1, {});  // saved without a change
  std::vector<Values> expected = {contract::expectedValues(items[0]),
                                  contract::expectedValues(items[2]),
                                  contract::expectedValues(items[3])};
  expected[2][ContactProperty::FirstName] = u"바뀐 이름";
  EXPECT_EQ(contract::contactsInStore(backend()), expected);
  EXPECT_EQ(contract::kindsInStore(backend()), (std::vector<bool>{true, false, true, true}));
}

TEST_P(ObjectModelContract, ASecondApplicationOfTheSameRuntimeSeesWhatTheFirstSaved) {
  backend().createFolder({contract::sampleContact(1)});
  writeAndSave(backend(), 0, {{ContactProperty::LastName, u"남궁"}});
  const Session second = contract::openFolder(backend().runtime());
  const auto contacts = contract::contactsOf(*second.items);
  ASSERT_EQ(contacts.size(), 1U);
  EXPECT_EQ(contract::read(*contacts[0], ContactProperty::LastName), u"남궁");
}

TEST_P(ObjectModelContract, AContactItemOutlivesTheObjectsItCameFrom) {
  backend().createFolder({contract::sampleContact(1)});
  {
    Ref<om::ContactItem> item;
    {
      Session session = contract::openFolder(backend().runtime());
      item = contract::contactsOf(*session.items).at(0);
      // Released as a run's reset releases them: items, folder, application.
      session.items.reset();
      session.folder.reset();
      session.application.reset();
    }
    put(*item, ContactProperty::FileAs, u"홀로 남은 항목");
    contract::check(item->save(), "ContactItem.Save");
  }
  const std::vector<Values> stored = contract::contactsInStore(backend());
  ASSERT_EQ(stored.size(), 1U);
  EXPECT_EQ(stored[0].at(ContactProperty::FileAs), u"홀로 남은 항목");
}

// --- text ---------------------------------------------------------------

TEST_P(ObjectModelContract, KoreanTextIsReadExactly) {
  backend().createFolder({ContractItem::contact(koreanTexts())});
  const Session session = contract::openFolder(backend().runtime());
  const auto contacts = contract::contactsOf(*session.items);
  ASSERT_EQ(contacts.size(), 1U);
  EXPECT_EQ(contract::readValues(*contacts[0]), koreanTexts());
}

TEST_P(ObjectModelContract, KoreanTextIsWrittenExactly) {
  backend().createFolder({ContractItem::contact({})});
  Values written = koreanTexts();
  std::erase_if(written, [](const auto& entry) {
    const auto& properties = contract::writtenProperties();
    return std::find(properties.begin(), properties.end(), entry.first) == properties.end();
  });
  writeAndSave(backend(), 0, written);
  Values expected = contract::expectedValues(ContractItem::contact(written));
  EXPECT_EQ(contract::contactsInStore(backend()), std::vector<Values>{expected});
}

TEST_P(ObjectModelContract, TextCodePage949CannotHoldIsKeptExactly) {
  ContractItem contact = contract::sampleContact(1);
  contact.values[ContactProperty::JobTitle] = u"팀장 \U0001F600";
  contact.values[ContactProperty::CompanyName] = u"\U00020000 상사 é";
  backend().createFolder({contact});
  {
    const Session session = contract::openFolder(backend().runtime());
    const auto contacts = contract::contactsOf(*session.items);
    ASSERT_EQ(contacts.size(), 1U);
    EXPECT_EQ(contract::readValues(*contacts[0]), contract::expectedValues(contact));
  }
  writeAndSave(backend(), 0, {{ContactProperty::FirstName, u"다른 이름"}});
  contact.values[ContactProperty::FirstName] = u"다른 이름";
  EXPECT_EQ(contract::contactsInStore(backend()),
            std::vector<Values>{contract::expectedValues(contact)});
}

// --- a store that cannot be written -------------------------------------

TEST_P(ObjectModelContract, AFailedSaveIsReportedAndStoresNothing) {
  backend().createFolder({contract::sampleContact(1)});
  {
    const Session session = contract::openFolder(backend().runtime());
    const auto contacts = contract::contactsOf(*session.items);
    ASSERT_EQ(contacts.size(), 1U);
    put(*contacts[0], ContactProperty::LastName, u"못 씀");
    if (!backend().breakStorage()) GTEST_SKIP() << "the backend offers no storage failure";
    EXPECT_TRUE(failed(contacts[0]->save()));
    const std::optional<std::u16string> description =
        contacts[0]->errorDescription(om::IID_ContactItem);
    if (backend().describesErrors()) {
      ASSERT_TRUE(description.has_value());
      EXPECT_FALSE(description->empty());
    } else if (description) {
      EXPECT_FALSE(description->empty()) << "an empty description stands for none";
    }
  }
  EXPECT_EQ(contract::contactsInStore(backend()),
            std::vector<Values>{contract::expectedValues(contract::sampleContact(1))});
}

}  // namespace
}  // namespace borvanta::testing_support
