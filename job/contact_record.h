#pragma once
// One contact as a run works on it: ten narrow (code page 949) text fields
// copied from the contact item, the fields whose text lost characters in that
// copy, and a counted reference to the item itself, through which the passes
// write changes back.

#include <bitset>
#include <cstdint>
#include <string>

#include "core/com_object.h"

namespace borvanta {

enum class ContactField : std::uint8_t {
  FirstName,
  LastName,
  CompanyName,
  FileAs,
  BusinessFax,
  BusinessPhone,
  MobilePhone,
  HomePhone,
  Department,
  JobTitle,
};
inline constexpr std::size_t kContactFieldCount = 10;

struct ContactRecord {
  std::string firstName;
  std::string lastName;
  std::string companyName;
  std::string fileAs;
  std::string businessFax;
  std::string businessPhone;
  std::string mobilePhone;
  std::string homePhone;
  std::string department;
  std::string jobTitle;
  // Fields whose text could not be held in code page 949 and holds "?" in
  // place of what was lost. Such a field is never written back.
  std::bitset<kContactFieldCount> damaged;
  // The contact item; declared last so that it is released first when the
  // record is destroyed. Opaque here: only the store uses it.
  Ref<ComObject> item;

  [[nodiscard]] std::string& field(ContactField f);
  [[nodiscard]] const std::string& field(ContactField f) const;
  [[nodiscard]] bool isDamaged(ContactField f) const { return damaged.test(index(f)); }
  void setDamaged(ContactField f, bool value = true) { damaged.set(index(f), value); }

  static constexpr std::size_t index(ContactField f) { return static_cast<std::size_t>(f); }
};

}  // namespace borvanta
