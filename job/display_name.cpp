#include "job/display_name.h"

#include <array>
#include <string>
#include <vector>

#include "core/cp949.h"
#include "core/text.h"

namespace borvanta {

namespace {

struct Cleanup {
  std::string_view pattern;
  std::string_view replacement;
};

// Separators left empty by missing fields, removed in this order.
constexpr std::array<Cleanup, 11> separatorCleanups{{{"//", ""},
                                                     {"()", ""},
                                                     {"(/)", ""},
                                                     {"/ ", ""},
                                                     {"(/", ""},
                                                     {"/)", ""},
                                                     {"(--)", ""},
                                                     {"(-)", ""},
                                                     {"--)", ")"},
                                                     {"-)", ")"},
                                                     {"--", ""}}};

// The template words, in code page 949, in the order they are replaced.
struct TemplateTokens {
  std::string name = cp949("이름");
  std::string company = cp949("회사명");
  std::string department = cp949("부서");
  std::string jobTitle = cp949("직급");
};

const TemplateTokens& templateTokens() {
  static const TemplateTokens tokens;
  return tokens;
}

}  // namespace

std::string composeName(std::string_view lastName, std::string_view firstName,
                        std::int32_t nameType) {
  std::string name;
  if (nameType != 1 && nameType != 2) return name;
  name.reserve(lastName.size() + firstName.size() + 1);
  name.append(lastName);
  if (nameType == 2) name.push_back(' ');
  name.append(firstName);
  return name;
}

DisplayName buildDisplayName(std::string_view templateText, const ContactRecord& record,
                             std::int32_t nameType) {
  const TemplateTokens& tokens = templateTokens();
  struct Word {
    const std::string& token;
    std::string value;
    bool damaged;
  };
  const Word words[] = {
      {tokens.name, composeName(record.lastName, record.firstName, nameType),
       record.isDamaged(ContactField::LastName) || record.isDamaged(ContactField::FirstName)},
      {tokens.company, record.companyName, record.isDamaged(ContactField::CompanyName)},
      {tokens.department, record.department, record.isDamaged(ContactField::Department)},
      {tokens.jobTitle, record.jobTitle, record.isDamaged(ContactField::JobTitle)},
  };
  DisplayName result{std::string(templateText), false};
  for (const Word& word : words) {
    if (result.text.find(word.token) == std::string::npos) continue;
    result.usesDamagedField = result.usesDamagedField || word.damaged;
    result.text = replaceAll(result.text, word.token, word.value);
  }
  for (const Cleanup& cleanup : separatorCleanups) {
    if (result.text.find(cleanup.pattern) == std::string::npos) continue;
    result.text = replaceAll(result.text, cleanup.pattern, cleanup.replacement);
  }
  result.text = std::string(trimmed(result.text));
  return result;
}

}  // namespace borvanta
