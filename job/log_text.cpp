#include "job/log_text.h"

#include "core/cp949.h"
#include "core/text.h"

namespace borvanta {

std::string contactLabel(const ContactRecord& record) {
  std::string label = record.lastName + record.firstName;
  if (trimmed(label).empty()) label = record.companyName;
  if (trimmed(label).empty()) label = cp949("(이름 없음)");
  return label;
}

std::string damagedContactLine(const std::string& label) {
  static const std::string format =
      cp949("건너뜀 (%s): 한글 코드(CP949)로 나타낼 수 없는 문자가 있어 바꾸지 않았습니다");
  return formatText(format.c_str(), htmlEscape(label).c_str());
}

}  // namespace borvanta
