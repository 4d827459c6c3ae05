// The object-model contract as the contact store meets it: a run's load and
// writes over the backend, with the text conversion to and from code page 949
// in between. See object_model_contract.h.

#include <gtest/gtest.h>

#include "core/cp949.h"
#include "outlook/contact_store.h"
#include "page/contact_sort_document.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/object_model_contract.h"
#include "tests/support/object_model_contract_steps.h"
#include "tests/support/recording_owner.h"

namespace borvanta::testing_support {
namespace {

using contract::Values;
using om::ContactProperty;

// What the store works with in a run: a page, the connection, the list.
struct StoreRig {
  explicit StoreRig(om::ComRuntime& runtime) : store(runtime, connection, page) {
    loop.ticksPerRead = 2;
    page.setDocument(makeContactSortDocument({}));
    page.attach();
  }

  FakeMessageLoop loop;
  PageBridge page{loop};
  OutlookConnection connection;
  ContactStore store;
  ContactList list;
  RecordingOwner owner;
};

ContractItem beyondCodePage949() {
  return ContractItem::contact({
      {ContactProperty::LastName, u"똠"},
      {ContactProperty::FirstName, u"방각하"},
      {ContactProperty::JobTitle, u"팀장 \U0001F600"},
  });
}

TEST_P(ObjectModelContract, TheStoreReadsEveryContactIntoCodePage949Records) {
  backend().createFolder(
      {beyondCodePage949(), ContractItem::nonContact(u"팀 목록"), contract::sampleContact(2)});
  StoreRig rig(backend().runtime());
  ASSERT_TRUE(rig.store.open(rig.owner, /*useDefaultContacts=*/true));
  ASSERT_TRUE(rig.store.readAll(rig.owner, rig.list));
  EXPECT_TRUE(rig.owner.boxes.empty());
  ASSERT_EQ(rig.list.count(), 2);
  const ContactRecord& first = rig.list.head()->record;
  EXPECT_EQ(first.lastName, cp949("똠"));
  EXPECT_EQ(first.firstName, cp949("방각하"));
  EXPECT_EQ(first.jobTitle, cp949("팀장 ?"));
  EXPECT_EQ(first.damaged.count(), 1U);
  EXPECT_TRUE(first.isDamaged(ContactField::JobTitle));
  const ContactRecord& second = rig.list.tail()->record;
  EXPECT_EQ(second.companyName, cp949("한빛상사 2"));
  EXPECT_EQ(second.department, cp949("영업2부"));
  EXPECT_TRUE(second.damaged.none());
}

TEST_P(ObjectModelContract, TheStoreWritesAndSavesThroughTheBackend) {
  backend().createFolder({beyondCodePage949()});
  {
    StoreRig rig(backend().runtime());
    ASSERT_TRUE(rig.store.open(rig.owner, true));
    ASSERT_TRUE(rig.store.readAll(rig.owner, rig.list));
    ASSERT_EQ(rig.list.count(), 1);
    const ContactRecord& record = rig.list.head()->record;
    rig.store.put(record, ContactProperty::LastName, cp949("쀍"));
    rig.store.put(record, ContactProperty::FirstName, cp949("햏뷁"));
    rig.store.put(record, ContactProperty::FullName, cp949("쀍 햏뷁"));
    rig.store.put(record, ContactProperty::FileAs, "");
    rig.store.save(record);
  }
  Values expected = contract::expectedValues(beyondCodePage949());
  expected[ContactProperty::LastName] = u"쀍";
  expected[ContactProperty::FirstName] = u"햏뷁";
  expected[ContactProperty::FullName] = u"쀍 햏뷁";
  EXPECT_EQ(contract::contactsInStore(backend()), std::vector<Values>{expected});
}

TEST_P(ObjectModelContract, TheStoreOpensThePickedFolderAndReportsAClosedPicker) {
  backend().createFolder({contract::sampleContact(1)});
  {
    StoreRig rig(backend().runtime());
    EXPECT_TRUE(rig.store.open(rig.owner, /*useDefaultContacts=*/false));
    EXPECT_TRUE(rig.owner.boxes.empty());
  }
  backend().setPickerCancels(true);
  StoreRig rig(backend().runtime());
  EXPECT_FALSE(rig.store.open(rig.owner, false));
  EXPECT_EQ(rig.owner.boxes, (std::vector<ShownBox>{{"폴더를 선택하지 않았습니다.", "에러"}}));
}

}  // namespace
}  // namespace borvanta::testing_support
