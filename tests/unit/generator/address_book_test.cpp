#include "tools/generator/address_book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "tests/support/named_rows.h"
#include "tests/unit/generator/vcard_scan.h"
#include "tools/generator/fields.h"
#include "tools/generator/photo.h"

namespace borvanta::generator {
namespace {

using testing_support::ScannedCard;
using testing_support::ScannedProperty;
using testing_support::scanVcards;

std::size_t contactCards(const testing_support::Scan& scan) {
  return static_cast<std::size_t>(std::count_if(scan.cards.begin(), scan.cards.end(),
                                                [](const ScannedCard& c) { return !c.isList(); }));
}

TEST(AddressBook, SameOptionsGiveTheSameBytes) {
  const GeneratorOptions options{
      .contacts = 300, .seed = 11, .version = FileVersion::Mixed, .lists = {}};
  EXPECT_EQ(generateAddressBook(options), generateAddressBook(options));
}

TEST(AddressBook, AnotherSeedOrVersionGivesAnotherBook) {
  const GeneratorOptions options{
      .contacts = 300, .seed = 11, .version = FileVersion::Mixed, .lists = {}};
  GeneratorOptions otherSeed = options;
  otherSeed.seed = 12;
  GeneratorOptions otherVersion = options;
  otherVersion.version = FileVersion::V30;
  const std::string book = generateAddressBook(options);
  EXPECT_NE(book, generateAddressBook(otherSeed));
  EXPECT_NE(book, generateAddressBook(otherVersion));
}

TEST(AddressBook, ASmallerBookIsTheStartOfALargerOne) {
  // Lists follow the contacts, so compare the contact cards only.
  const auto contactsOnly = [](std::size_t n) {
    return generateAddressBook(
        {.contacts = n, .seed = 5, .version = FileVersion::Mixed, .lists = 0});
  };
  const std::string small = contactsOnly(100);
  const std::string large = contactsOnly(1000);
  ASSERT_LT(small.size(), large.size());
  EXPECT_EQ(large.substr(0, small.size()), small);
}

struct CountCase {
  const char* name;
  std::size_t contacts;
  std::optional<std::size_t> lists;
  std::size_t expectedLists;
};

class Counts : public testing::TestWithParam<CountCase> {};

TEST_P(Counts, HoldsTheRequestedContactsThenTheLists) {
  const CountCase& c = GetParam();
  const auto scan = scanVcards(generateAddressBook(
      {.contacts = c.contacts, .seed = 3, .version = FileVersion::Mixed, .lists = c.lists}));
  ASSERT_EQ(scan.problems, std::vector<std::string>{});
  ASSERT_EQ(scan.cards.size(), c.contacts + c.expectedLists);
  EXPECT_EQ(contactCards(scan), c.contacts);
  for (std::size_t i = 0; i < scan.cards.size(); ++i) {
    EXPECT_EQ(scan.cards[i].isList(), i >= c.contacts) << "card " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Counts,
                         testing::Values(CountCase{"Empty", 0, std::nullopt, 0},
                                         CountCase{"One", 1, std::nullopt, 3},
                                         CountCase{"Thousand", 1000, std::nullopt, 3},
                                         CountCase{"TenThousandShare", 4000, std::nullopt, 5},
                                         CountCase{"ListsAsked", 10, 7, 7},
                                         CountCase{"NoLists", 10, 0, 0}),
                         testing_support::RowName());

TEST(AddressBook, ListCountGrowsSlowlyAndStopsAtFifty) {
  EXPECT_EQ(defaultListCount(0), 0U);
  EXPECT_EQ(defaultListCount(1999), 3U);
  EXPECT_EQ(defaultListCount(10000), 8U);
  EXPECT_EQ(defaultListCount(100000), 50U);
}

struct VersionCase {
  const char* name;
  FileVersion version;
  std::set<std::string> cardVersions;
};

class EveryCard : public testing::TestWithParam<VersionCase> {
 protected:
  static constexpr std::uint64_t kSeed = 2024;
  static constexpr std::size_t kContacts = 1000;

  void SetUp() override {
    scan_ = scanVcards(generateAddressBook(
        {.contacts = kContacts, .seed = kSeed, .version = GetParam().version, .lists = {}}));
  }

  testing_support::Scan scan_;
};

TEST_P(EveryCard, IsWellFormed) {
  // BEGIN/END balance, CRLF, 75 octets per folded line, 76 columns per 2.1
  // line, quoted-printable that decodes to valid code page 949, UTF-8 in 3.0
  // and 4.0: the scanner lists every breach.
  EXPECT_EQ(scan_.problems, std::vector<std::string>{});
  ASSERT_EQ(scan_.cards.size(), kContacts + defaultListCount(kContacts));
  std::set<std::string> versions;
  for (const ScannedCard& card : scan_.cards)
    versions.insert(card.version);
  EXPECT_EQ(versions, GetParam().cardVersions);
}

// The telephone types of a TEL property, upper case: bare 2.1 parameters and
// the members of TYPE= lists.
std::set<std::string> typesOf(const ScannedProperty& tel) {
  std::set<std::string> types;
  for (const std::string& parameter : tel.parameters) {
    std::string p = parameter;
    for (char& c : p)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (p.starts_with("TYPE=")) p = p.substr(5);
    std::size_t start = 0;
    for (;;) {
      const std::size_t comma = p.find(',', start);
      types.insert(p.substr(start, comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  return types;
}

// What a contacts folder reads from the card: the first number of each role.
std::string firstTel(const ScannedCard& card, std::string_view type, std::string_view with,
                     bool fax) {
  for (const ScannedProperty* tel : card.all("TEL")) {
    const std::set<std::string> types = typesOf(*tel);
    if (types.contains(std::string(type)) && (with.empty() || types.contains(std::string(with))) &&
        types.contains("FAX") == fax) {
      return tel->value();
    }
  }
  return {};
}

std::string componentsOr(const ScannedCard& card, std::string_view name, std::size_t i) {
  const ScannedProperty* p = card.first(name);
  return p != nullptr && i < p->components.size() ? p->components[i] : std::string();
}

TEST_P(EveryCard, CarriesExactlyTheValuesOfItsContact) {
  for (std::size_t i = 0; i < kContacts; ++i) {
    SCOPED_TRACE("contact " + std::to_string(i));
    const Contact contact = makeContact(kSeed, i, GetParam().version);
    const ScannedCard& card = scan_.cards[i];
    const ContactFields expected = fieldsOf(contact);
    ASSERT_NE(card.first("N"), nullptr);
    EXPECT_EQ(componentsOr(card, "N", 0), expected.lastName);
    EXPECT_EQ(componentsOr(card, "N", 1), expected.firstName);
    EXPECT_EQ(componentsOr(card, "FN", 0), contact.formatted);
    EXPECT_EQ(componentsOr(card, "ORG", 0), expected.companyName);
    EXPECT_EQ(componentsOr(card, "ORG", 1), expected.department);
    EXPECT_EQ(componentsOr(card, "TITLE", 0), expected.jobTitle);
    EXPECT_EQ(componentsOr(card, "X-EVOLUTION-FILE-AS", 0), expected.fileAs);
    EXPECT_EQ(componentsOr(card, "NOTE", 0), contact.note);
    EXPECT_EQ(componentsOr(card, "ADR", 2), contact.street);
    EXPECT_EQ(componentsOr(card, "EMAIL", 0), contact.email);
    EXPECT_EQ(firstTel(card, "CELL", "", false), expected.mobilePhone);
    EXPECT_EQ(firstTel(card, "HOME", "", false), expected.homePhone);
    EXPECT_EQ(firstTel(card, "WORK", "", false), expected.businessPhone);
    EXPECT_EQ(firstTel(card, "WORK", "FAX", true), expected.businessFax);
    std::vector<std::string> numbers;
    for (const ScannedProperty* tel : card.all("TEL"))
      numbers.push_back(tel->value());
    std::vector<std::string> expectedNumbers;
    for (const Phone& phone : contact.phones)
      expectedNumbers.push_back(phone.value);
    EXPECT_EQ(numbers, expectedNumbers);
    const ScannedProperty* photo = card.first("PHOTO");
    EXPECT_EQ(photo != nullptr ? photo->value() : "", base64(contact.photo));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, EveryCard,
                         testing::Values(VersionCase{"Version21", FileVersion::V21, {"2.1"}},
                                         VersionCase{"Version30", FileVersion::V30, {"3.0"}},
                                         VersionCase{
                                             "Mixed", FileVersion::Mixed, {"2.1", "3.0", "4.0"}}),
                         testing_support::RowName());

TEST(AddressBook, BooksOfManySeedsAreWellFormed) {
  for (std::uint64_t seed = 100; seed < 120; ++seed) {
    const auto scan = scanVcards(generateAddressBook(
        {.contacts = 200, .seed = seed, .version = FileVersion::Mixed, .lists = {}}));
    EXPECT_EQ(scan.problems, std::vector<std::string>{}) << "seed " << seed;
    EXPECT_EQ(contactCards(scan), 200U) << "seed " << seed;
  }
}

TEST(FileVersionNames, AreTheCommandLineWords) {
  EXPECT_EQ(parseFileVersion("2.1"), FileVersion::V21);
  EXPECT_EQ(parseFileVersion("3.0"), FileVersion::V30);
  EXPECT_EQ(parseFileVersion("mixed"), FileVersion::Mixed);
  EXPECT_EQ(parseFileVersion("4.0"), std::nullopt);
  EXPECT_EQ(parseFileVersion(""), std::nullopt);
}

}  // namespace
}  // namespace borvanta::generator
