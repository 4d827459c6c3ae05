// Writing back: put converts and writes one property, save stores the item;
// both raise what fails, and a value that may hold a lost character is
// never written.

#include <gtest/gtest.h>

#include "core/com_error.h"
#include "tests/support/named_rows.h"
#include "tests/support/object_model_contract_steps.h"
#include "tests/unit/outlook/store_fixture.h"

namespace borvanta::testing_support {
namespace {

using om::ContactProperty;

// The error `action` raises; fails the test when it raises none.
template <class Action>
_com_error raised(Action action) {
  try {
    action();
  } catch (const _com_error& error) {
    return error;
  }
  ADD_FAILURE() << "no error was raised";
  return _com_error(S_OK);
}

// --- a record without an item ---------------------------------------------------

TEST_F(StoreTest, PutAndSaveOfARecordWithoutAnItemRaiseEPointerBeforeAnyCall) {
  const ContactRecord record;
  const _com_error putError =
      raised([&] { store.put(record, ContactProperty::FirstName, cp949("철수")); });
  EXPECT_EQ(putError.Error(), E_POINTER);
  EXPECT_FALSE(putError.Description());
  const _com_error saveError = raised([&] { store.save(record); });
  EXPECT_EQ(saveError.Error(), E_POINTER);
  EXPECT_FALSE(saveError.Description());
  EXPECT_TRUE(outlook.calls().empty());
}

// --- writing ----------------------------------------------------------------------

class StoreWriteTest : public StoreTest {
 protected:
  // Loads one contact with `values` and gives its record.
  const ContactRecord& loadOne(std::map<ContactProperty, om::Bstr> values) {
    outlook.addContact(std::move(values));
    EXPECT_TRUE(load());
    EXPECT_EQ(list.count(), 1);
    return list.head()->record;
  }
};

TEST_F(StoreWriteTest, EachPropertyIsWrittenInUtf16AndStoredOnlyAtSave) {
  const ContactRecord& record = loadOne({{ContactProperty::FileAs, u"옛 이름"}});
  const std::vector<ContactProperty>& written = contract::writtenProperties();
  for (ContactProperty property : written)
    store.put(record, property, cp949("똠 ") + std::string(om::propertyName(property)));
  EXPECT_EQ(outlook.entry(0).value(ContactProperty::FileAs), u"옛 이름");
  EXPECT_EQ(outlook.entry(0).saves, 0);
  store.save(record);
  EXPECT_EQ(outlook.entry(0).saves, 1);
  for (ContactProperty property : written) {
    EXPECT_EQ(outlook.entry(0).value(property),
              u"똠 " + utf8ToUtf16(std::string(om::propertyName(property))));
  }
  // The record's fields are the pass's to change, not the store's.
  EXPECT_EQ(record.fileAs, cp949("옛 이름"));
}

TEST_F(StoreWriteTest, AnEmptyTextIsWrittenAsAnEmptyStringNotANullOne) {
  const ContactRecord& record = loadOne({{ContactProperty::FileAs, u"옛 이름"}});
  store.put(record, ContactProperty::FileAs, "");
  store.save(record);
  const om::Bstr& stored = outlook.entry(0).saved.at(ContactProperty::FileAs);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(*stored, u"");
}

TEST_F(StoreWriteTest, TextIsWrittenUpToItsFirstNul) {
  const ContactRecord& record = loadOne({});
  store.put(record, ContactProperty::FirstName, cp949("김") + std::string(1, '\0') + "x?");
  store.save(record);
  EXPECT_EQ(outlook.entry(0).value(ContactProperty::FirstName), u"김");
}

// --- failures ---------------------------------------------------------------------

struct WriteFailureRow {
  const char* name;
  const char* call;
  std::optional<std::u16string> description;
  const char* boxText;  // what the run's box would say
};

class WriteFailure : public StoreTableTest<WriteFailureRow> {};

TEST_P(WriteFailure, RaisesTheCodeTheDescriptionAndTheContactInterface) {
  const WriteFailureRow& row = GetParam();
  outlook.addContact({});
  ASSERT_TRUE(load());
  const ContactRecord& record = list.head()->record;
  outlook.failCall(row.call, E_ACCESSDENIED, row.description);
  const _com_error error = raised([&] {
    store.put(record, ContactProperty::FileAs, cp949("새 이름"));
    store.save(record);
  });
  EXPECT_EQ(error.Error(), E_ACCESSDENIED);
  EXPECT_EQ(error.Description(), row.description);
  EXPECT_EQ(error.interfaceId(), om::IID_ContactItem);
  EXPECT_EQ(cp949ToUtf8(errorMessageText(error)), row.boxText);
  EXPECT_EQ(outlook.entry(0).saves, 0);
  EXPECT_EQ(outlook.entry(0).value(ContactProperty::FileAs), u"");
}

INSTANTIATE_TEST_SUITE_P(
    Store, WriteFailure,
    ::testing::Values(
        WriteFailureRow{"PutDescribed", "ContactItem.Put(FileAs)", u"읽기 전용입니다",
                        "읽기 전용입니다"},
        WriteFailureRow{"PutUndescribed", "ContactItem.Put", std::nullopt, "오류 0x80070005"},
        WriteFailureRow{"SaveDescribed", "ContactItem.Save", u"저장할 수 없습니다",
                        "저장할 수 없습니다"},
        WriteFailureRow{"SaveUndescribed", "ContactItem.Save", std::nullopt, "오류 0x80070005"},
        WriteFailureRow{"SaveWithEmptyDescription", "ContactItem.Save", u"", "오류 0x80070005"}),
    RowName());

// --- characters lost at reading ---------------------------------------------------

struct LostCharacterWriteRow {
  const char* name;
  std::map<ContactProperty, om::Bstr> contact;
  ContactProperty property;
  const char* text;  // UTF-8
  bool refused;
};

class LostCharacterWrite : public StoreTableTest<LostCharacterWriteRow> {};

TEST_P(LostCharacterWrite, AValueThatMayHoldALostCharacterIsNeverWritten) {
  const LostCharacterWriteRow& row = GetParam();
  outlook.addContact(row.contact);
  ASSERT_TRUE(load());
  const ContactRecord& record = list.head()->record;
  const std::string text = utf8ToCp949(row.text).text;
  if (row.refused) {
    const _com_error error = raised([&] { store.put(record, row.property, text); });
    EXPECT_EQ(error.Error(), E_INVALIDARG);
    ASSERT_TRUE(error.Description());
    EXPECT_FALSE(error.Description()->empty());
    EXPECT_EQ(outlook.callCount("ContactItem.Put"), 0);
  } else {
    store.put(record, row.property, text);
    store.save(record);
    EXPECT_EQ(outlook.entry(0).value(row.property), utf8ToUtf16(row.text));
  }
}

const std::u16string kEmoji = u"\U0001F600";

INSTANTIATE_TEST_SUITE_P(Store, LostCharacterWrite,
                         ::testing::Values(
                             // The field itself, read back with "?" in place of what was lost.
                             LostCharacterWriteRow{"SameFieldWrittenBack",
                                                   {{ContactProperty::LastName, u"김" + kEmoji}},
                                                   ContactProperty::LastName,
                                                   "김?",
                                                   true},
                             // A value composed from it, written to another property.
                             LostCharacterWriteRow{
                                 "ComposedIntoAnotherProperty",
                                 {{ContactProperty::CompanyName, u"한빛" + kEmoji}},
                                 ContactProperty::FileAs,
                                 "홍길동(한빛?)",
                                 true},
                             // A new value that holds nothing of what was lost may replace it.
                             LostCharacterWriteRow{"CleanValueOverADamagedField",
                                                   {{ContactProperty::FileAs, u"별명" + kEmoji}},
                                                   ContactProperty::FileAs,
                                                   "홍길동(한빛)",
                                                   false},
                             // A record that lost nothing may write a "?" of its own.
                             LostCharacterWriteRow{"QuestionMarkOfAnIntactRecord",
                                                   {{ContactProperty::CompanyName, u"뭐?"}},
                                                   ContactProperty::FileAs,
                                                   "홍길동(뭐?)",
                                                   false}),
                         RowName());

}  // namespace
}  // namespace borvanta::testing_support
