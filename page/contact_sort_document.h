#pragma once
// The page's controls in memory: every element the clean-up job reads, set
// from plain settings. The command line builds its page this way, and so do
// the tests. Texts are UTF-8, as on the page.

#include <cstdint>
#include <string>

#include "page/memory_document.h"

namespace borvanta {

struct PageSettings {
  bool useDefaultContacts = true;
  bool separateName = false;
  bool resetNumber = false;
  bool resetNationalNumber = false;
  bool resetFullName = false;
  bool resetDisplayName = false;
  std::string nameType = "1";                     // the select's value
  std::string displayType = "이름(회사명/부서)";  // the select's value
  int separateType = 1;                           // the radio button set: 1, 2, 3, or 0 for none
  int displayNameType = 1;                        // 1, 2, or 0 for none
  std::string displayNameTemplate;
  std::int32_t progressWidth = 300;
};

[[nodiscard]] Ref<MemoryDocument> makeContactSortDocument(const PageSettings& settings);

}  // namespace borvanta
