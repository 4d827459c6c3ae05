#pragma once
// The fourteen options of a run, read from the page's controls once, before
// anything else is done.

#include <cstdint>
#include <optional>
#include <string>

#include "page/page_bridge.h"

namespace borvanta {

struct CleanupOptions {
  std::int32_t useDefaultContacts = 0;   // cbUseDefaultContact
  std::int32_t separateName = 0;         // cbSeperateName
  std::int32_t resetNumber = 0;          // cbResetNumber
  std::int32_t resetNationalNumber = 0;  // cbResetNationalNumber
  std::int32_t resetFullName = 0;        // cbResetFullName
  std::int32_t resetDisplayName = 0;     // cbResetDisplayName
  std::int32_t nameType = 0;             // sbNameType
  std::string displayType;               // sbDisplayType
  std::int32_t separateType1 = 0;        // rbSeperateType1
  std::int32_t separateType2 = 0;        // rbSeperateType2
  std::int32_t separateType3 = 0;        // rbSeperateType3
  std::int32_t displayNameType1 = 0;     // rbDisplayNameType1
  std::int32_t displayNameType2 = 0;     // rbDisplayNameType2
  std::string displayNameTemplate;       // sDisplayName
  // The page's text for the template could not be held in code page 949.
  bool displayTypeLossy = false;
  bool displayNameTemplateLossy = false;
};

// Reads the options in their fixed order. Throws PageContractError when a
// control is missing or of another kind.
[[nodiscard]] CleanupOptions readCleanupOptions(PageBridge& page);

// The display-name template the run uses: the typed one when its button is
// set, else the offered one when its button is set, else none.
[[nodiscard]] const std::string& chosenDisplayTemplate(const CleanupOptions& options);

// Why these options cannot be carried out, as a Korean message (code page 949)
// that says what to choose; nullopt when they can.
[[nodiscard]] std::optional<std::string> refusalReason(const CleanupOptions& options);

}  // namespace borvanta
