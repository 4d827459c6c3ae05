#include "outlook/object_model.h"

namespace borvanta::om {

std::string_view propertyName(ContactProperty property) {
  switch (property) {
    case ContactProperty::FirstName:
      return "FirstName";
    case ContactProperty::LastName:
      return "LastName";
    case ContactProperty::CompanyName:
      return "CompanyName";
    case ContactProperty::FileAs:
      return "FileAs";
    case ContactProperty::BusinessFaxNumber:
      return "BusinessFaxNumber";
    case ContactProperty::BusinessTelephoneNumber:
      return "BusinessTelephoneNumber";
    case ContactProperty::MobileTelephoneNumber:
      return "MobileTelephoneNumber";
    case ContactProperty::HomeTelephoneNumber:
      return "HomeTelephoneNumber";
    case ContactProperty::JobTitle:
      return "JobTitle";
    case ContactProperty::Department:
      return "Department";
    case ContactProperty::FullName:
      return "FullName";
  }
  return "?";
}

}  // namespace borvanta::om
