#include "job/cleanup_options.h"

#include "core/cp949.h"
#include "core/text.h"

namespace borvanta {

CleanupOptions readCleanupOptions(PageBridge& page) {
  CleanupOptions o;
  o.useDefaultContacts = page.readCheck("cbUseDefaultContact");
  o.separateName = page.readCheck("cbSeperateName");
  o.resetNumber = page.readCheck("cbResetNumber");
  o.resetNationalNumber = page.readCheck("cbResetNationalNumber");
  o.resetFullName = page.readCheck("cbResetFullName");
  o.resetDisplayName = page.readCheck("cbResetDisplayName");
  o.nameType = page.readSelectNumber("sbNameType");
  Cp949Text displayType = page.readSelectValue("sbDisplayType");
  o.displayType = std::move(displayType.text);
  o.displayTypeLossy = displayType.lossy;
  o.separateType1 = page.readCheck("rbSeperateType1");
  o.separateType2 = page.readCheck("rbSeperateType2");
  o.separateType3 = page.readCheck("rbSeperateType3");
  o.displayNameType1 = page.readCheck("rbDisplayNameType1");
  o.displayNameType2 = page.readCheck("rbDisplayNameType2");
  Cp949Text displayNameTemplate = page.readText("sDisplayName");
  o.displayNameTemplate = std::move(displayNameTemplate.text);
  o.displayNameTemplateLossy = displayNameTemplate.lossy;
  return o;
}

const std::string& chosenDisplayTemplate(const CleanupOptions& options) {
  static const std::string none;
  if (options.displayNameType2 != 0) return options.displayNameTemplate;
  if (options.displayNameType1 != 0) return options.displayType;
  return none;
}

namespace {

bool chosenTemplateLossy(const CleanupOptions& o) {
  if (o.displayNameType2 != 0) return o.displayNameTemplateLossy;
  return o.displayNameType1 != 0 && o.displayTypeLossy;
}

// The name-separation pass uses nameType for its types 2 and 3; the full-name
// and display-name passes always.
bool nameTypeInUse(const CleanupOptions& o) {
  return (o.separateName != 0 && (o.separateType2 != 0 || o.separateType3 != 0)) ||
         o.resetFullName != 0 || o.resetDisplayName != 0;
}

}  // namespace

std::optional<std::string> refusalReason(const CleanupOptions& o) {
  if (nameTypeInUse(o) && o.nameType != 1 && o.nameType != 2) {
    return cp949("이름 표기 방식을 '김철수' 또는 '김 철수' 가운데 하나로 고르세요.");
  }
  if (o.separateName != 0 && o.separateType1 == 0 && o.separateType2 == 0 && o.separateType3 == 0) {
    return cp949("성, 이름 분리 방식을 하나 고르세요.");
  }
  if (o.resetDisplayName != 0) {
    if (o.displayNameType1 == 0 && o.displayNameType2 == 0) {
      return cp949("표시 이름을 만들 방식(목록에서 고르기 또는 직접 입력)을 하나 고르세요.");
    }
    if (chosenTemplateLossy(o)) {
      return cp949(
          "표시 이름 형식에 한글 코드(CP949)로 나타낼 수 없는 문자가 있습니다. 형식을 고쳐 "
          "주세요.");
    }
    if (trimmed(chosenDisplayTemplate(o)).empty()) {
      return cp949("표시 이름 형식이 비어 있습니다. 형식을 고르거나 입력하세요.");
    }
  }
  return std::nullopt;
}

}  // namespace borvanta
