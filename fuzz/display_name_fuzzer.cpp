// buildDisplayName against the template rule written out plainly: the four
// words replaced in order, the eleven separator clean-ups in order, each a
// left-to-right replacement that resumes after what it inserted, then the
// white space at both ends trimmed. The input is a control byte (name type,
// damaged fields), then the template, family name, given name, company,
// department and job title, separated by NUL bytes (which no field holds).

#include <string>

#include "core/cp949.h"
#include "fuzz/fuzz_check.h"
#include "job/display_name.h"

namespace {

using borvanta::ContactField;
using borvanta::ContactRecord;

std::string replaceEvery(std::string_view text, std::string_view pattern,
                         std::string_view replacement) {
  std::string out;
  std::size_t at = 0;
  for (std::size_t found; (found = text.find(pattern, at)) != std::string_view::npos;
       at = found + pattern.size()) {
    out.append(text.substr(at, found - at));
    out.append(replacement);
  }
  out.append(text.substr(at));
  return out;
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

struct Expected {
  std::string text;
  bool usesDamagedField = false;
};

Expected reference(std::string_view templateText, const ContactRecord& r, int nameType) {
  std::string name;
  if (nameType == 1) name = r.lastName + r.firstName;
  if (nameType == 2) name = r.lastName + " " + r.firstName;
  static const std::string words[] = {borvanta::cp949("이름"), borvanta::cp949("회사명"),
                                      borvanta::cp949("부서"), borvanta::cp949("직급")};
  const std::string* values[] = {&name, &r.companyName, &r.department, &r.jobTitle};
  const bool damaged[] = {
      r.isDamaged(ContactField::LastName) || r.isDamaged(ContactField::FirstName),
      r.isDamaged(ContactField::CompanyName), r.isDamaged(ContactField::Department),
      r.isDamaged(ContactField::JobTitle)};
  Expected e;
  std::string text(templateText);
  for (int i = 0; i < 4; ++i) {
    if (text.find(words[i]) == std::string::npos) continue;
    e.usesDamagedField = e.usesDamagedField || damaged[i];
    text = replaceEvery(text, words[i], *values[i]);
  }
  static const std::pair<const char*, const char*> cleanups[] = {
      {"//", ""},   {"()", ""},  {"(/)", ""},  {"/ ", ""},  {"(/", ""}, {"/)", ""},
      {"(--)", ""}, {"(-)", ""}, {"--)", ")"}, {"-)", ")"}, {"--", ""}};
  for (const auto& [pattern, replacement] : cleanups)
    text = replaceEvery(text, pattern, replacement);
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isSpace(text[begin]))
    ++begin;
  while (end > begin && isSpace(text[end - 1]))
    --end;
  e.text = text.substr(begin, end - begin);
  return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto control = data[0];
  const auto parts =
      borvanta::fuzz::splitInput(borvanta::fuzz::asText(data + 1, size - 1), '\0', 6);
  ContactRecord record;
  record.lastName = parts[1];
  record.firstName = parts[2];
  record.companyName = parts[3];
  record.department = parts[4];
  record.jobTitle = parts[5];
  const ContactField fields[] = {ContactField::LastName, ContactField::FirstName,
                                 ContactField::CompanyName, ContactField::Department,
                                 ContactField::JobTitle};
  for (int i = 0; i < 5; ++i)
    record.setDamaged(fields[i], ((control >> (2 + i)) & 1) != 0);
  const int nameType = control & 3;

  const borvanta::DisplayName built = borvanta::buildDisplayName(parts[0], record, nameType);
  const Expected expected = reference(parts[0], record, nameType);
  FUZZ_CHECK(built.text == expected.text);
  FUZZ_CHECK(built.usesDamagedField == expected.usesDamagedField);
  // What the last clean-up leaves never holds two hyphens in a row.
  FUZZ_CHECK(built.text.find("--") == std::string::npos);
  FUZZ_CHECK(built.text.empty() || (!isSpace(built.text.front()) && !isSpace(built.text.back())));
  return 0;
}
