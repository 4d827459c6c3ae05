// The contact values a book keeps for every card, so that neither reading a
// contact nor a save that changes nothing parses the card: after every save
// of every kind the passes make, and after folding, they are exactly what
// reading the card's text again gives.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "backends/vcard/book_content.h"
#include "tests/support/named_rows.h"
#include "tests/unit/vcard/vcard_test_files.h"
#include "tools/generator/address_book.h"

namespace borvanta::vcard {
namespace {

using om::ContactProperty;
using testing_support::RowName;

struct BookRow {
  const char* name;
  std::function<std::string()> text;
};

std::string generated(generator::FileVersion version, std::uint64_t seed) {
  generator::GeneratorOptions options;
  options.contacts = 300;
  options.seed = seed;
  options.version = version;
  return generator::generateAddressBook(options);
}

std::function<std::string()> golden(const char* file) {
  return [file] { return vcardtest::readFile(vcardtest::fixture(std::string(file) + ".vcf")); };
}

const BookRow bookRows[] = {
    {"Generated21", [] { return generated(generator::FileVersion::V21, 5); }},
    {"Generated30", [] { return generated(generator::FileVersion::V30, 6); }},
    {"GeneratedMixed", [] { return generated(generator::FileVersion::Mixed, 7); }},
    {"Outlook21Korean", golden("outlook21_korean")},
    {"Android21QuotedPrintableUtf8", golden("android21_qp_utf8")},
    {"Google30Groups", golden("google30_groups")},
    {"Iphone30", golden("iphone30")},
    {"Thunderbird30", golden("thunderbird30")},
    {"Evolution30", golden("evolution30")},
    {"Vcard40TelUri", golden("vcard40_tel_uri")},
};

std::string valueOf(const ContactValues& values, ContactProperty property) {
  return values[indexOf(property)];
}

// The first character of a UTF-8 text (all of it when it is shorter).
std::size_t firstCharacterSize(std::string_view text) {
  std::size_t size = 1;
  while (size < text.size() && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80)
    ++size;
  return std::min(size, text.size());
}

struct SaveRow {
  const char* name;
  std::function<std::vector<PropertyWrite>(const ContactValues&, std::size_t card)> writes;
};

constexpr ContactProperty kTelephones[] = {
    ContactProperty::MobileTelephoneNumber,
    ContactProperty::HomeTelephoneNumber,
    ContactProperty::BusinessFaxNumber,
    ContactProperty::BusinessTelephoneNumber,
};

// The saves of a run and a few beyond it, made one after the other on every
// card: lines rewritten, added, emptied and removed, a line taken over by
// UTF-8, a property written twice.
const SaveRow saveRows[] = {
    {"NameSplitAfterItsFirstCharacter",
     [](const ContactValues& v, std::size_t) -> std::vector<PropertyWrite> {
       const std::string joined =
           valueOf(v, ContactProperty::LastName) + valueOf(v, ContactProperty::FirstName);
       const std::size_t cut = firstCharacterSize(joined);
       return {{ContactProperty::LastName, joined.substr(0, cut)},
               {ContactProperty::FirstName, joined.substr(cut)}};
     }},
    {"WholeNameMovedToTheFamilyName",
     [](const ContactValues& v, std::size_t) -> std::vector<PropertyWrite> {
       return {{ContactProperty::LastName,
                valueOf(v, ContactProperty::LastName) + valueOf(v, ContactProperty::FirstName)},
               {ContactProperty::FirstName, ""}};
     }},
    {"TelephonesRewrittenOrAdded",
     [](const ContactValues&, std::size_t card) {
       std::vector<PropertyWrite> writes;
       for (ContactProperty property : kTelephones)
         writes.push_back({property, "010-" + std::to_string(1000 + card % 9000) + "-5678"});
       return writes;
     }},
    {"TelephonesEmptied",
     [](const ContactValues&, std::size_t) {
       std::vector<PropertyWrite> writes;
       for (ContactProperty property : kTelephones)
         writes.push_back({property, ""});
       return writes;
     }},
    {"FullNameFromTheParts",
     [](const ContactValues& v, std::size_t) -> std::vector<PropertyWrite> {
       return {{ContactProperty::FullName, valueOf(v, ContactProperty::LastName) + " " +
                                               valueOf(v, ContactProperty::FirstName)}};
     }},
    {"FileAsSetOrAdded",
     [](const ContactValues& v, std::size_t) -> std::vector<PropertyWrite> {
       return {{ContactProperty::FileAs,
                "정리된 이름 (" + valueOf(v, ContactProperty::CompanyName) + ")"}};
     }},
    {"GivenNameCodePage949CannotHold",
     [](const ContactValues& v, std::size_t) -> std::vector<PropertyWrite> {
       return {{ContactProperty::FirstName, valueOf(v, ContactProperty::FirstName) + "😀"}};
     }},
    {"FileAsWrittenTwice",
     [](const ContactValues&, std::size_t) -> std::vector<PropertyWrite> {
       return {{ContactProperty::FileAs, "첫 번째"}, {ContactProperty::FileAs, "두 번째"}};
     }},
    {"FileAsEmptied",
     [](const ContactValues&, std::size_t) -> std::vector<PropertyWrite> {
       return {{ContactProperty::FileAs, ""}};
     }},
};

class BookValues : public ::testing::TestWithParam<BookRow> {};

TEST_P(BookValues, AreWhatTheCardSaysAfterEverySaveAndAfterFolding) {
  BookContent book(GetParam().text());
  ASSERT_GT(book.cardCount(), 0u);
  CharsetCodec codec;
  const auto reread = [&](std::size_t card) {
    return checkCard(book.cardText(card), book.lineNumber(card), codec).values;
  };
  for (std::size_t card = 0; card < book.cardCount(); ++card)
    ASSERT_EQ(book.values(card), reread(card)) << "card " << card << " as read";

  std::size_t edits = 0;
  for (const SaveRow& save : saveRows) {
    for (std::size_t card = 0; card < book.cardCount(); ++card) {
      if (!book.isContact(card)) continue;
      std::optional<EditedCard> edit = book.edited(card, save.writes(book.values(card), card));
      if (!edit) continue;
      book.replaceCard(card, std::move(*edit));
      ++edits;
      ASSERT_EQ(book.values(card), reread(card)) << save.name << ", card " << card;
    }
  }
  EXPECT_GT(edits, book.cardCount());

  const std::vector<ContactValues> beforeFolding = [&] {
    std::vector<ContactValues> all;
    for (std::size_t card = 0; card < book.cardCount(); ++card)
      all.push_back(book.values(card));
    return all;
  }();
  book.rebase(book.composed());
  const BookContent fresh(std::string(book.source()));
  for (std::size_t card = 0; card < book.cardCount(); ++card) {
    EXPECT_EQ(book.values(card), beforeFolding[card]) << "card " << card << " after folding";
    EXPECT_EQ(fresh.values(card), beforeFolding[card]) << "card " << card << " read afresh";
  }
}

INSTANTIATE_TEST_SUITE_P(Books, BookValues, ::testing::ValuesIn(bookRows), RowName());

TEST(BookValues, AnEmptiedFileAsStaysEmptyWhenASecondFileAsLineFollows) {
  BookContent book(
      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Kim\r\nX-EVOLUTION-FILE-AS:First\r\n"
      "X-EVOLUTION-FILE-AS:Second\r\nEND:VCARD\r\n");
  std::optional<EditedCard> edit = book.edited(0, {{ContactProperty::FileAs, ""}});
  ASSERT_TRUE(edit);
  book.replaceCard(0, std::move(*edit));
  EXPECT_EQ(book.value(0, ContactProperty::FileAs), "");
  // The kept value is the one the card's text reads as.
  EXPECT_EQ(BookContent(std::string(book.cardText(0))).value(0, ContactProperty::FileAs), "");
}

TEST(BookValues, AWrittenCarriageReturnIsKeptAsTheLineBreakItReadsBackAs) {
  BookContent book("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Kim\r\nEND:VCARD\r\n");
  std::optional<EditedCard> edit = book.edited(0, {{ContactProperty::FileAs, "Kim\rLee"}});
  ASSERT_TRUE(edit);
  book.replaceCard(0, std::move(*edit));
  EXPECT_EQ(book.value(0, ContactProperty::FileAs), "Kim\nLee");
  EXPECT_EQ(BookContent(std::string(book.cardText(0))).value(0, ContactProperty::FileAs),
            "Kim\nLee");
}

TEST(BookValues, ASaveThatChangesNothingLeavesTheCardAsItWas) {
  const std::string text =
      "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:"
      "=B1=E8;=C3=B6=BC=F6\r\nTEL;CELL:010-1234-5678\r\nEND:VCARD\r\n";
  BookContent book(text);
  EXPECT_FALSE(book.edited(0, {{ContactProperty::LastName, "김"},
                               {ContactProperty::FirstName, "철수"},
                               {ContactProperty::MobileTelephoneNumber, "010-1234-5678"},
                               {ContactProperty::HomeTelephoneNumber, ""}}));
  EXPECT_FALSE(book.hasEdits());
  EXPECT_EQ(book.cardText(0), text);
}

}  // namespace
}  // namespace borvanta::vcard
