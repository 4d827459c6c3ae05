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

namespace {

// The text being built, in two buffers that take turns: each replacement
// writes the whole new text into the other buffer, as replaceAll would into
// a new text, but reuses the room the buffers already have.
class TextInProgress {
 public:
  explicit TextInProgress(std::string_view initial) : current_(initial) {}

  [[nodiscard]] bool contains(std::string_view pattern) const {
    return current_.find(pattern) != std::string_view::npos;
  }

  // Every occurrence of `pattern` replaced, left to right, resuming right
  // after each inserted replacement.
  void replaceAll(std::string_view pattern, std::string_view replacement) {
    std::string& out = buffers_[next_];
    next_ ^= 1;
    out.clear();
    std::size_t position = 0;
    for (;;) {
      const std::size_t found = current_.find(pattern, position);
      if (found == std::string_view::npos) break;
      out.append(current_.substr(position, found - position));
      out.append(replacement);
      position = found + pattern.size();
    }
    out.append(current_.substr(position));
    current_ = out;
  }

  // The text without white space at either end.
  [[nodiscard]] std::string takeTrimmed() {
    const std::string_view kept = trimmed(current_);
    std::string& last = buffers_[next_ ^ 1];
    if (current_.data() != last.data()) return std::string(kept);  // nothing was replaced
    last.erase(static_cast<std::size_t>(kept.data() + kept.size() - last.data()));
    last.erase(0, static_cast<std::size_t>(kept.data() - last.data()));
    return std::move(last);
  }

 private:
  std::string_view current_;
  std::string buffers_[2];
  int next_ = 0;
};

}  // namespace

DisplayName buildDisplayName(std::string_view templateText, const ContactRecord& record,
                             std::int32_t nameType) {
  const TemplateTokens& tokens = templateTokens();
  struct Word {
    const std::string& token;
    std::string_view value;
    bool damaged;
  };
  const std::string name = composeName(record.lastName, record.firstName, nameType);
  const Word words[] = {
      {tokens.name, name,
       record.isDamaged(ContactField::LastName) || record.isDamaged(ContactField::FirstName)},
      {tokens.company, record.companyName, record.isDamaged(ContactField::CompanyName)},
      {tokens.department, record.department, record.isDamaged(ContactField::Department)},
      {tokens.jobTitle, record.jobTitle, record.isDamaged(ContactField::JobTitle)},
  };
  bool usesDamagedField = false;
  TextInProgress text(templateText);
  for (const Word& word : words) {
    if (!text.contains(word.token)) continue;
    usesDamagedField = usesDamagedField || word.damaged;
    text.replaceAll(word.token, word.value);
  }
  for (const Cleanup& cleanup : separatorCleanups) {
    if (!text.contains(cleanup.pattern)) continue;
    text.replaceAll(cleanup.pattern, cleanup.replacement);
  }
  return {text.takeTrimmed(), usesDamagedField};
}

}  // namespace borvanta
