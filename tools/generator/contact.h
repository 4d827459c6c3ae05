#pragma once
// One generated address-book entry before it is written: the values of a
// contact card or of a distribution list, in UTF-8, with the choices of form
// that decide how it is written.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/generator/phone_numbers.h"

namespace borvanta::generator {

enum class CardVersion : std::uint8_t { V21, V30, V40 };

// The versions a generated file holds.
enum class FileVersion : std::uint8_t { V21, V30, Mixed };

// How the name stands in the card's N and FN.
enum class NameForm : std::uint8_t {
  Split,             // N:김;철수 FN:김철수
  JoinedInGiven,     // N:;김철수
  JoinedInFamily,    // N:김철수;
  Spaced,            // N:;김 철수
  SpacedSplit,       // N:김;철수 FN:김 철수
  CompoundSplit,     // N:남궁;민수
  CompoundJoined,    // N:;남궁민수
  CompoundSpaced,    // N:;남궁 민수
  AddressTerm,       // N:;엄마 (never split)
  OtherAddressTerm,  // N:;여보 (a word of address that looks like a name)
  TitleNickname,     // N:;김과장
  OneSyllableGiven,  // N:황보;석
  LongGiven,         // N:;김수한무
  ExtendedSyllable,  // N:;김똠순 (a syllable only the extended code page holds)
  Latin,             // N:Smith;John FN:John Smith
  CompanyOnly,       // N:;;;; FN:삼성전자
  Unrepresentable,   // N:;김철수😀 (3.0 only: code page 949 lacks a character)
};

inline constexpr std::size_t kNameFormCount = 17;

[[nodiscard]] std::string_view nameFormName(NameForm form);

// The roles a telephone number plays: each is written with its own types.
enum class PhoneRole : std::uint8_t { Mobile, Home, Work, WorkFax, HomeFax, Other };

struct Phone {
  PhoneRole role;
  PhoneForm form;
  std::string value;  // as written, white space included
};

// A property the program does not know, written as it stands.
struct VendorProperty {
  std::string name;   // with its parameters and group: "item1.X-ABLabel"
  std::string value;  // ASCII, already in the card's syntax
};

struct Contact {
  std::size_t index = 0;
  CardVersion version = CardVersion::V30;
  // Seeds the writer's choices of syntax (type spellings, encodings), so a
  // contact is written the same way every time.
  std::uint64_t styleSeed = 0;

  NameForm nameForm = NameForm::Split;
  std::string family;      // N, family component
  std::string given;       // N, given component
  std::string formatted;   // FN
  std::string company;     // ORG, first component
  std::string department;  // ORG, second component
  std::string title;       // TITLE
  std::string fileAs;      // X-EVOLUTION-FILE-AS; empty: not written
  std::vector<Phone> phones;
  std::string email;
  std::string street, locality, region, postalCode;  // ADR; street empty: none
  std::string note;
  std::string uid;
  std::string photo;  // PNG bytes; empty: no photo
  std::vector<VendorProperty> vendorProperties;
};

// Who a distribution list is written for.
enum class ListStyle : std::uint8_t {
  KindGroup,          // vCard 4.0 KIND:group with MEMBER
  AddressBookServer,  // X-ADDRESSBOOKSERVER-KIND:group with X-ADDRESSBOOKSERVER-MEMBER
  EvolutionList,      // X-EVOLUTION-LIST:TRUE with EMAIL members
};

struct DistributionList {
  std::size_t index = 0;
  CardVersion version = CardVersion::V30;
  ListStyle style = ListStyle::AddressBookServer;
  std::string name;  // FN (and N)
  std::string uid;
  std::vector<std::string> memberUids;
  std::vector<std::string> memberEmails;  // EvolutionList: one per member uid
};

// The identifier the generator gives contact `index` of `seed`.
[[nodiscard]] std::string contactUid(std::uint64_t seed, std::size_t index);

// Contact `index` of the book of `seed`: the same values whatever the size of
// the book, so a smaller book is the start of a larger one.
[[nodiscard]] Contact makeContact(std::uint64_t seed, std::size_t index, FileVersion version);

// List `listIndex` of a book of `contacts` contacts.
[[nodiscard]] DistributionList makeList(std::uint64_t seed, std::size_t listIndex,
                                        std::size_t contacts, FileVersion version);

}  // namespace borvanta::generator
