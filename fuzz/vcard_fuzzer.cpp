// The vCard reader and editor: any bytes are either refused as a whole or
// read; a file read and written back unchanged gives the same bytes; writing
// the properties of every contact back with the values it already holds
// changes nothing; and writing what the passes would write, then reading the
// file again, gives every contact exactly the values written (a carriage
// return in a 3.0 or 4.0 card comes back as the line feed those versions
// write for it) and leaves the rest of it as it was.

#include <array>
#include <string>
#include <vector>

#include "backends/vcard/book_content.h"
#include "backends/vcard/card_editor.h"
#include "backends/vcard/card_parser.h"
#include "backends/vcard/vcard_error.h"
#include "core/cp949.h"
#include "fuzz/fuzz_check.h"
#include "job/display_name.h"
#include "job/name_separation.h"
#include "job/phone_number.h"

namespace {

using borvanta::om::ContactProperty;
using borvanta::vcard::BookContent;
using borvanta::vcard::ContactValues;
using borvanta::vcard::indexOf;
using borvanta::vcard::PropertyWrite;

// The properties the program writes.
constexpr std::array<ContactProperty, 8> kWritten{ContactProperty::LastName,
                                                  ContactProperty::FirstName,
                                                  ContactProperty::MobileTelephoneNumber,
                                                  ContactProperty::HomeTelephoneNumber,
                                                  ContactProperty::BusinessFaxNumber,
                                                  ContactProperty::BusinessTelephoneNumber,
                                                  ContactProperty::FullName,
                                                  ContactProperty::FileAs};

// Display-name templates: those the page offers and some a user may type.
const char* const kTemplates[] = {
    "이름(회사명/부서)", "이름", "회사명 이름",      "직급 이름 (회사명-부서)",
    "이름 / 회사명",     "",     "이름-회사명-부서", "<b>이름</b> & '회사명'"};

// What a 3.0 or 4.0 text value reads back for a written `value`: a carriage
// return, alone or before a line feed, is written as the one line-break
// escape these versions have. 2.1 lines and tel: URIs hold every byte.
std::string readBackOf(const std::string& value, borvanta::vcard::Version version) {
  if (version == borvanta::vcard::Version::V21) return value;
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;
    out.push_back(value[i] == '\r' ? '\n' : value[i]);
  }
  return out;
}

std::vector<PropertyWrite> writesOf(const ContactValues& values) {
  std::vector<PropertyWrite> writes;
  for (ContactProperty property : kWritten)
    writes.push_back({property, values[indexOf(property)]});
  return writes;
}

bool startsWithTel(std::string_view value) {
  return value.size() >= 4 && (value[0] | 0x20) == 't' && (value[1] | 0x20) == 'e' &&
         (value[2] | 0x20) == 'l' && value[3] == ':';
}

// Choices taken from the input, one after another.
class Choices {
 public:
  explicit Choices(std::string_view input) : input_(input) {}
  std::size_t next(std::size_t count) {
    state_ = state_ * 131 +
             (input_.empty() ? 7 : static_cast<unsigned char>(input_[at_++ % input_.size()]));
    return state_ % count;
  }

 private:
  std::string_view input_;
  std::size_t at_ = 0;
  std::size_t state_ = 17;
};

// The writes the five passes may make to a contact holding `values`, made
// as the program makes them: from the contact's own values in code page 949,
// never from a value that lost characters there. Each pass is taken or not.
std::vector<PropertyWrite> passWrites(const ContactValues& values, Choices& choose) {
  borvanta::ContactRecord record;
  const std::pair<ContactProperty, borvanta::ContactField> fields[] = {
      {ContactProperty::LastName, borvanta::ContactField::LastName},
      {ContactProperty::FirstName, borvanta::ContactField::FirstName},
      {ContactProperty::CompanyName, borvanta::ContactField::CompanyName},
      {ContactProperty::Department, borvanta::ContactField::Department},
      {ContactProperty::JobTitle, borvanta::ContactField::JobTitle},
      {ContactProperty::MobileTelephoneNumber, borvanta::ContactField::MobilePhone},
      {ContactProperty::HomeTelephoneNumber, borvanta::ContactField::HomePhone},
      {ContactProperty::BusinessFaxNumber, borvanta::ContactField::BusinessFax},
      {ContactProperty::BusinessTelephoneNumber, borvanta::ContactField::BusinessPhone}};
  for (const auto& [property, field] : fields) {
    borvanta::Cp949Text text = borvanta::utf8ToCp949(values[indexOf(property)]);
    record.field(field) = std::move(text.text);
    record.setDamaged(field, text.lossy);
  }
  const int nameType = static_cast<int>(choose.next(2)) + 1;
  std::vector<std::pair<ContactProperty, std::string>> writes;  // code page 949
  const bool namesDamaged = record.isDamaged(borvanta::ContactField::LastName) ||
                            record.isDamaged(borvanta::ContactField::FirstName);
  if (!namesDamaged && choose.next(2) == 0) {  // name separation, one of its outcomes
    const std::string joined = record.lastName + record.firstName;
    const borvanta::SplitName split = borvanta::splitFullName(joined);
    const std::string whole = borvanta::composeName(split.surname, split.givenName, nameType);
    switch (choose.next(5)) {
      case 0:
        record.lastName = split.surname, record.firstName = split.givenName;
        break;
      case 1:
        record.lastName = whole, record.firstName.clear();
        break;
      case 2:
        record.firstName = whole, record.lastName.clear();
        break;
      case 3:
        record.lastName = joined, record.firstName.clear();
        break;
      default:
        record.firstName = joined, record.lastName.clear();
    }
    writes.push_back({ContactProperty::LastName, record.lastName});
    writes.push_back({ContactProperty::FirstName, record.firstName});
  }
  const std::pair<ContactProperty, borvanta::ContactField> telephones[] = {fields[5], fields[6],
                                                                           fields[7], fields[8]};
  for (int pass = 0; pass < 2; ++pass) {  // hyphens, then country codes, each on what is there
    if (choose.next(2) != 0) continue;
    for (const auto& [property, field] : telephones) {
      if (record.isDamaged(field)) continue;
      std::string& value = record.field(field);
      std::string changed =
          pass == 0 ? borvanta::normalizePhoneNumber(value) : borvanta::removeCountryCode(value);
      // A number that only now begins with "tel:" (from "tel-:" without its
      // hyphen) would turn a VALUE=uri line that held no tel: URI into one;
      // the editor refuses it, by design, with the line's number.
      if (startsWithTel(changed) && !startsWithTel(value)) continue;
      value = std::move(changed);
      writes.push_back({property, value});
    }
  }
  if (!namesDamaged && choose.next(2) == 0) {
    writes.push_back({ContactProperty::FullName,
                      borvanta::composeName(record.lastName, record.firstName, nameType)});
  }
  if (choose.next(2) == 0) {
    const std::string templateText =
        borvanta::cp949(kTemplates[choose.next(std::size(kTemplates))]);
    const borvanta::DisplayName name = borvanta::buildDisplayName(templateText, record, nameType);
    if (!name.usesDamagedField) writes.push_back({ContactProperty::FileAs, name.text});
  }
  std::vector<PropertyWrite> utf8Writes;
  for (const auto& [property, value] : writes)
    utf8Writes.push_back({property, borvanta::cp949ToUtf8(value)});
  return utf8Writes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(borvanta::fuzz::asText(data, size));
  std::optional<BookContent> book;
  try {
    book.emplace(text);
  } catch (const borvanta::vcard::SyntaxError&) {
    return 0;  // refused as a whole: nothing of it is ever written
  }
  FUZZ_CHECK(book->composed() == text);

  std::vector<ContactValues> expected;
  std::vector<borvanta::vcard::Version> versions;
  Choices choose(text);
  for (std::size_t card = 0; card < book->cardCount(); ++card) {
    ContactValues values = book->values(card);
    if (!book->isContact(card)) {
      expected.push_back(values);
      versions.push_back(borvanta::vcard::Version::V21);
      continue;
    }
    // The values it holds, written back, change nothing.
    const std::string cardText(book->cardText(card));
    FUZZ_CHECK(!book->edited(card, writesOf(values)));
    // What the passes would write.
    const std::vector<PropertyWrite> writes = passWrites(values, choose);
    const auto version = borvanta::vcard::parseCard(cardText, book->lineNumber(card)).version;
    // Every property written holds the value written; the others, theirs.
    for (const PropertyWrite& write : writes)
      values[indexOf(write.property)] = write.value;
    versions.push_back(version);
    std::optional<borvanta::vcard::EditedCard> edited;
    try {
      edited = book->edited(card, writes);
    } catch (const borvanta::vcard::SyntaxError& error) {
      std::fprintf(stderr, "card %zu refused a write: %s\n", card, error.what());
      for (const PropertyWrite& write : writes) {
        std::fprintf(stderr, "  %s = \"%s\"\n",
                     std::string(borvanta::om::propertyName(write.property)).c_str(),
                     write.value.c_str());
      }
      FUZZ_CHECK(!"a write that the card cannot take");
    }
    if (edited) book->replaceCard(card, std::move(*edited));
    expected.push_back(values);
  }

  // Read again: every contact holds exactly what was written.
  const std::string written = book->composed();
  std::optional<BookContent> again;
  try {
    again.emplace(written);
  } catch (const borvanta::vcard::SyntaxError& error) {
    std::fprintf(stderr, "the written file is refused: %s\n", error.what());
    FUZZ_CHECK(!"the written file reads again");
  }
  FUZZ_CHECK(again->cardCount() == expected.size());
  for (std::size_t card = 0; card < expected.size(); ++card) {
    FUZZ_CHECK(again->isContact(card) == book->isContact(card));
    const ContactValues read = again->values(card);
    // The values the book kept for the card are the ones its text reads as.
    const ContactValues kept = book->values(card);
    for (std::size_t k = 0; k < read.size(); ++k) {
      if (kept[k] == read[k]) continue;
      std::fprintf(stderr, "card %zu property %zu: kept \"%s\", read \"%s\"\n", card, k,
                   kept[k].c_str(), read[k].c_str());
      FUZZ_CHECK(!"the values a book keeps are the ones its text reads as");
    }
    for (std::size_t k = 0; k < read.size(); ++k) {
      const std::string& wrote = expected[card][k];
      if (read[k] == wrote || read[k] == readBackOf(wrote, versions[card])) continue;
      std::fprintf(stderr, "card %zu property %zu: wrote \"%s\", read \"%s\"\n", card, k,
                   wrote.c_str(), read[k].c_str());
      FUZZ_CHECK(!"a contact reads back as it was written");
    }
  }
  return 0;
}
