#include "tools/generator/fields.h"

namespace borvanta::generator {

namespace {

std::string firstOfRole(const Contact& contact, PhoneRole role) {
  for (const Phone& phone : contact.phones) {
    if (phone.role == role) return phone.value;
  }
  return {};
}

}  // namespace

ContactFields fieldsOf(const Contact& c) {
  return ContactFields{
      .firstName = c.given,
      .lastName = c.family,
      .companyName = c.company,
      .fileAs = c.fileAs,
      .businessFax = firstOfRole(c, PhoneRole::WorkFax),
      .businessPhone = firstOfRole(c, PhoneRole::Work),
      .mobilePhone = firstOfRole(c, PhoneRole::Mobile),
      .homePhone = firstOfRole(c, PhoneRole::Home),
      .jobTitle = c.title,
      .department = c.department,
  };
}

std::vector<Contact> makeContacts(std::uint64_t seed, std::size_t count, FileVersion version) {
  std::vector<Contact> contacts;
  contacts.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    contacts.push_back(makeContact(seed, i, version));
  return contacts;
}

std::vector<std::string> phoneNumbersOf(const std::vector<Contact>& contacts) {
  std::vector<std::string> numbers;
  for (const Contact& contact : contacts) {
    for (const Phone& phone : contact.phones)
      numbers.push_back(phone.value);
  }
  return numbers;
}

std::vector<std::string> joinedNamesOf(const std::vector<Contact>& contacts) {
  std::vector<std::string> names;
  names.reserve(contacts.size());
  for (const Contact& contact : contacts)
    names.push_back(contact.family + contact.given);
  return names;
}

}  // namespace borvanta::generator
