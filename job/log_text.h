#pragma once
// Log lines that name a contact. Contact text is HTML-escaped before it goes
// into a line, so that a name can never become markup in the page.

#include <string>

#include "job/contact_record.h"

namespace borvanta {

// How the log names a contact: its family and given name joined, else its
// company, else "(이름 없음)". Not escaped.
[[nodiscard]] std::string contactLabel(const ContactRecord& record);

// "건너뜀 (...)": the contact holds text that lost characters when it was read,
// so the pass leaves the affected properties as they are.
[[nodiscard]] std::string damagedContactLine(const std::string& label);

}  // namespace borvanta
