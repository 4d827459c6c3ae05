#include "job/contact_record.h"

namespace borvanta {

std::string& ContactRecord::field(ContactField f) {
  return const_cast<std::string&>(std::as_const(*this).field(f));
}

const std::string& ContactRecord::field(ContactField f) const {
  switch (f) {
    case ContactField::FirstName:
      return firstName;
    case ContactField::LastName:
      return lastName;
    case ContactField::CompanyName:
      return companyName;
    case ContactField::FileAs:
      return fileAs;
    case ContactField::BusinessFax:
      return businessFax;
    case ContactField::BusinessPhone:
      return businessPhone;
    case ContactField::MobilePhone:
      return mobilePhone;
    case ContactField::HomePhone:
      return homePhone;
    case ContactField::Department:
      return department;
    case ContactField::JobTitle:
      return jobTitle;
  }
  return firstName;
}

}  // namespace borvanta
