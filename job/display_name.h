#pragma once
// Names composed from a contact's fields: the full name, and the File As
// (display) name built from a template of the words 이름, 회사명, 부서, 직급.

#include <cstdint>
#include <string>
#include <string_view>

#include "job/contact_record.h"

namespace borvanta {

// lastName and firstName joined without a space (nameType 1) or with one
// (nameType 2); empty for any other nameType.
[[nodiscard]] std::string composeName(std::string_view lastName, std::string_view firstName,
                                      std::int32_t nameType);

struct DisplayName {
  std::string text;
  // A field whose text lost characters was put into the name.
  bool usesDamagedField = false;
};

// The template with its words replaced by the record's fields, tidied by the
// separator rules and trimmed.
[[nodiscard]] DisplayName buildDisplayName(std::string_view templateText,
                                           const ContactRecord& record, std::int32_t nameType);

}  // namespace borvanta
