#pragma once
// The ten contact fields a contacts folder reads from a generated card, in
// UTF-8, and samples of them over many contacts: the realistic inputs of the
// benchmarks and the values end-to-end checks expect.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/generator/contact.h"

namespace borvanta::generator {

struct ContactFields {
  std::string firstName;      // N, given
  std::string lastName;       // N, family
  std::string companyName;    // ORG, first component
  std::string fileAs;         // X-EVOLUTION-FILE-AS
  std::string businessFax;    // first TEL typed WORK and FAX
  std::string businessPhone;  // first TEL typed WORK and not FAX
  std::string mobilePhone;    // first TEL typed CELL
  std::string homePhone;      // first TEL typed HOME and not FAX
  std::string jobTitle;       // TITLE
  std::string department;     // ORG, second component
};

[[nodiscard]] ContactFields fieldsOf(const Contact& contact);

// The first `count` contacts of the book of `seed`.
[[nodiscard]] std::vector<Contact> makeContacts(std::uint64_t seed, std::size_t count,
                                                FileVersion version = FileVersion::Mixed);

// Every telephone number of the contacts, as written, in card order.
[[nodiscard]] std::vector<std::string> phoneNumbersOf(const std::vector<Contact>& contacts);

// The family and given name of each contact joined as the name separation
// joins them, one per contact.
[[nodiscard]] std::vector<std::string> joinedNamesOf(const std::vector<Contact>& contacts);

}  // namespace borvanta::generator
