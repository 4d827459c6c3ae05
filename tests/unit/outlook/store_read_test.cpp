// Reading the folder into records: the log lines, the progress bar, items
// that are not contacts, and the text of every field.

#include <gtest/gtest.h>

#include "tests/support/named_rows.h"
#include "tests/unit/outlook/store_fixture.h"

namespace borvanta::testing_support {
namespace {

using om::ContactProperty;
using Strings = std::vector<std::string>;

// --- folders of every make-up --------------------------------------------------

struct FolderRow {
  const char* name;
  const char* layout;  // one letter per item: C a contact, L a distribution list
  Strings records;
  Strings log;
};

class ReadFolder : public StoreTableTest<FolderRow> {};

TEST_P(ReadFolder, ReadsEveryContactAndSaysHowManyItemsItSkipped) {
  const FolderRow& row = GetParam();
  int contacts = 0;
  for (const char* kind = row.layout; *kind != '\0'; ++kind) {
    if (*kind == 'L') {
      outlook.addNonContact();
    } else {
      outlook.addContact(
          {{ContactProperty::FirstName, utf8ToUtf16("이름" + std::to_string(++contacts))}});
    }
  }
  EXPECT_TRUE(load());
  EXPECT_EQ(recordNames(), row.records);
  EXPECT_EQ(log(), row.log);
  EXPECT_EQ(progress(), std::vector<std::int32_t>{100});
  EXPECT_EQ(loop.dispatches, 0);
  EXPECT_FALSE(connection.currentItem);
  EXPECT_TRUE(owner.boxes.empty());
  // Items that are not contacts are never asked for a property.
  EXPECT_EQ(outlook.callCount("ContactItem.Get"), 10 * contacts);
}

INSTANTIATE_TEST_SUITE_P(
    Store, ReadFolder,
    ::testing::Values(
        FolderRow{"EmptyFolder",
                  "",
                  {},
                  {"0 개의 연락처를 읽기 시작합니다", "<B>0 개의 연락처를 읽었습니다</B>"}},
        FolderRow{"OnlyContacts",
                  "CC",
                  {"이름1", "이름2"},
                  {"2 개의 연락처를 읽기 시작합니다", "<B>2 개의 연락처를 읽었습니다</B>"}},
        FolderRow{"ListBetweenContacts",
                  "CCLC",
                  {"이름1", "이름2", "이름3"},
                  {"4 개의 연락처를 읽기 시작합니다", "연락처가 아닌 항목 1 개는 건너뛰었습니다",
                   "<B>3 개의 연락처를 읽었습니다</B>"}},
        FolderRow{"FirstItemAList",
                  "LCLLC",
                  {"이름1", "이름2"},
                  {"5 개의 연락처를 읽기 시작합니다", "연락처가 아닌 항목 3 개는 건너뛰었습니다",
                   "<B>2 개의 연락처를 읽었습니다</B>"}},
        FolderRow{"NoContactAtAll",
                  "LL",
                  {},
                  {"2 개의 연락처를 읽기 시작합니다", "연락처가 아닌 항목 2 개는 건너뛰었습니다",
                   "<B>0 개의 연락처를 읽었습니다</B>"}}),
    RowName());

// --- progress ----------------------------------------------------------------

TEST_F(StoreTest, TwentyFiveContactsMoveTheBarAtTenAndTwentyAndPumpThere) {
  addContacts(25);
  EXPECT_TRUE(load());
  EXPECT_EQ(progress(), (std::vector<std::int32_t>{40, 80, 100}));
  EXPECT_EQ(loop.dispatches, 2);
  EXPECT_EQ(log(),
            (Strings{"25 개의 연락처를 읽기 시작합니다", "<B>25 개의 연락처를 읽었습니다</B>"}));
}

TEST_F(StoreTest, NineContactsNeverPump) {
  addContacts(9);
  EXPECT_TRUE(load());
  EXPECT_EQ(progress(), std::vector<std::int32_t>{100});
  EXPECT_EQ(loop.dispatches, 0);
}

// The percentage is computed in double precision and truncated: 290 of 1000
// is 28.999999999999996, so 28.
TEST_F(StoreTest, ProgressIsTruncatedTowardZero) {
  addContacts(290);
  outlook.setReportedCount(1000);
  EXPECT_TRUE(load());
  const std::vector<std::int32_t> widths = progress();
  ASSERT_EQ(widths.size(), 30U);
  EXPECT_EQ(widths[27], 28);  // after 280
  EXPECT_EQ(widths[28], 28);  // after 290
  EXPECT_EQ(widths[29], 100);
  EXPECT_EQ(log(),
            (Strings{"1000 개의 연락처를 읽기 시작합니다", "<B>290 개의 연락처를 읽었습니다</B>"}));
}

struct CountRow {
  const char* name;
  std::int32_t reported;
};

class CountBelowContacts : public StoreTableTest<CountRow> {};

// A count below what is read (taken once, it may be stale) never pushes the
// bar past full, and a count of zero divides nothing.
TEST_P(CountBelowContacts, KeepsTheBarAtFull) {
  addContacts(20);
  outlook.setReportedCount(GetParam().reported);
  EXPECT_TRUE(load());
  EXPECT_EQ(progress(), (std::vector<std::int32_t>{100, 100, 100}));
  EXPECT_EQ(loop.dispatches, 2);
  EXPECT_EQ(list.count(), 20);
}

INSTANTIATE_TEST_SUITE_P(Store, CountBelowContacts,
                         ::testing::Values(CountRow{"Stale", 5}, CountRow{"Zero", 0},
                                           CountRow{"Negative", -1},
                                           CountRow{"ReachedAtTheTenth", 10}),
                         RowName());

// --- the fields ----------------------------------------------------------------

TEST_F(StoreTest, ReadsTheTenPropertiesInOrderIntoTheirFields) {
  outlook.addContact({
      {ContactProperty::FirstName, u"길동"},
      {ContactProperty::LastName, u"홍"},
      {ContactProperty::CompanyName, u"한빛"},
      {ContactProperty::FileAs, u"홍길동(한빛)"},
      {ContactProperty::BusinessFaxNumber, u"025550101"},
      {ContactProperty::BusinessTelephoneNumber, u"025550100"},
      {ContactProperty::MobileTelephoneNumber, u"01012345678"},
      {ContactProperty::HomeTelephoneNumber, u"0311234567"},
      {ContactProperty::JobTitle, u"과장"},
      {ContactProperty::Department, u"영업부"},
      {ContactProperty::FullName, u"전체 이름"},
  });
  EXPECT_TRUE(load());
  const Strings reads(outlook.calls().begin() + 9, outlook.calls().begin() + 19);
  EXPECT_EQ(
      reads,
      (Strings{"ContactItem.Get(FirstName)", "ContactItem.Get(LastName)",
               "ContactItem.Get(CompanyName)", "ContactItem.Get(FileAs)",
               "ContactItem.Get(BusinessFaxNumber)", "ContactItem.Get(BusinessTelephoneNumber)",
               "ContactItem.Get(MobileTelephoneNumber)", "ContactItem.Get(HomeTelephoneNumber)",
               "ContactItem.Get(JobTitle)", "ContactItem.Get(Department)"}));
  EXPECT_EQ(outlook.callCount("ContactItem.Get(FullName)"), 0);
  ASSERT_EQ(list.count(), 1);
  const ContactRecord& r = list.head()->record;
  const Strings fields = {r.firstName,     r.lastName,    r.companyName, r.fileAs,   r.businessFax,
                          r.businessPhone, r.mobilePhone, r.homePhone,   r.jobTitle, r.department};
  EXPECT_EQ(fields,
            (Strings{cp949("길동"), cp949("홍"), cp949("한빛"), cp949("홍길동(한빛)"), "025550101",
                     "025550100", "01012345678", "0311234567", cp949("과장"), cp949("영업부")}));
  EXPECT_TRUE(r.damaged.none());
  EXPECT_TRUE(r.item);
}

TEST_F(StoreTest, ANullStringAnEmptyStringAndAnAbsentPropertyGiveEmptyFields) {
  outlook.addContact({{ContactProperty::FirstName, std::nullopt},
                      {ContactProperty::LastName, u""},
                      {ContactProperty::FileAs, std::u16string(u"김\0철수", 4)}});
  EXPECT_TRUE(load());
  ASSERT_EQ(list.count(), 1);
  const ContactRecord& r = list.head()->record;
  EXPECT_EQ(r.firstName, "");
  EXPECT_EQ(r.lastName, "");
  EXPECT_EQ(r.companyName, "");
  EXPECT_EQ(r.fileAs, cp949("김"));  // converted up to the first NUL
  EXPECT_TRUE(r.damaged.none());
}

// --- characters code page 949 cannot hold ---------------------------------------

struct LostCharacterRow {
  const char* name;
  ContactProperty property;
  ContactField field;
};

class LostCharacter : public StoreTableTest<LostCharacterRow> {};

TEST_P(LostCharacter, IsFlaggedInItsOwnFieldOnly) {
  const LostCharacterRow& row = GetParam();
  std::map<ContactProperty, om::Bstr> values;
  for (ContactProperty property :
       {ContactProperty::FirstName, ContactProperty::LastName, ContactProperty::CompanyName,
        ContactProperty::FileAs, ContactProperty::BusinessFaxNumber,
        ContactProperty::BusinessTelephoneNumber, ContactProperty::MobileTelephoneNumber,
        ContactProperty::HomeTelephoneNumber, ContactProperty::JobTitle,
        ContactProperty::Department}) {
    values[property] = u"값";
  }
  values[row.property] = u"값 \U0001F600 끝";
  outlook.addContact(values);
  EXPECT_TRUE(load());
  ASSERT_EQ(list.count(), 1);
  const ContactRecord& r = list.head()->record;
  EXPECT_EQ(r.field(row.field), cp949("값 ? 끝"));
  EXPECT_EQ(r.damaged.count(), 1U);
  EXPECT_TRUE(r.isDamaged(row.field));
}

INSTANTIATE_TEST_SUITE_P(
    Store, LostCharacter,
    ::testing::Values(
        LostCharacterRow{"FirstName", ContactProperty::FirstName, ContactField::FirstName},
        LostCharacterRow{"LastName", ContactProperty::LastName, ContactField::LastName},
        LostCharacterRow{"CompanyName", ContactProperty::CompanyName, ContactField::CompanyName},
        LostCharacterRow{"FileAs", ContactProperty::FileAs, ContactField::FileAs},
        LostCharacterRow{"BusinessFax", ContactProperty::BusinessFaxNumber,
                         ContactField::BusinessFax},
        LostCharacterRow{"BusinessPhone", ContactProperty::BusinessTelephoneNumber,
                         ContactField::BusinessPhone},
        LostCharacterRow{"MobilePhone", ContactProperty::MobileTelephoneNumber,
                         ContactField::MobilePhone},
        LostCharacterRow{"HomePhone", ContactProperty::HomeTelephoneNumber,
                         ContactField::HomePhone},
        LostCharacterRow{"JobTitle", ContactProperty::JobTitle, ContactField::JobTitle},
        LostCharacterRow{"Department", ContactProperty::Department, ContactField::Department}),
    RowName());

// Syllables only code page 949's extension holds are not lost.
TEST_F(StoreTest, ExtensionSyllablesAreReadWithoutLoss) {
  outlook.addContact({{ContactProperty::LastName, u"똠"}, {ContactProperty::FirstName, u"햏뷁"}});
  EXPECT_TRUE(load());
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(cp949ToUtf8(list.head()->record.lastName), "똠");
  EXPECT_EQ(cp949ToUtf8(list.head()->record.firstName), "햏뷁");
  EXPECT_TRUE(list.head()->record.damaged.none());
}

}  // namespace
}  // namespace borvanta::testing_support
