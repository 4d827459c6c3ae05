#pragma once
// Telephone numbers in the forms Korean users write them: bare digits,
// hyphens, brackets, spaces, dots, international prefixes, stray white space.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tools/generator/random.h"

namespace borvanta::generator {

enum class PhoneForm : std::uint8_t {
  MobileBare,          // 01012345678
  MobileHyphens,       // 010-1234-5678
  MobileSpaces,        // 010 1234 5678
  MobileDots,          // 010.1234.5678
  OldMobile,           // 011-234-5678
  SeoulBrackets,       // (02)123-4567
  SeoulBracketsSpace,  // (02) 1234-5678
  SeoulSpaces,         // 02 1234 5678
  SeoulBare,           // 0212345678
  AreaHyphens,         // 031-123-4567
  Nationwide,          // 1588-1234
  NationwideBare,      // 15881234
  Service0505,         // 0505-123-4567
  Service080,          // 080-123-4567
  Internet070,         // 070-1234-5678
  PaddedEnds,          // " 010-1234-5678 "
  PlusKoreaSpaced,     // +82 10-1234-5678
  PlusKoreaBare,       // +821012345678
  PlusKoreaHyphens,    // +82-10-1234-5678
  PlusKoreaSeoul,      // +82 2 123 4567
  PlusUnitedKingdom,   // +44 20 7946 0123
  KoreaWithoutPlus,    // 82-10-1234-5678
  Extension,           // 02-123-4567 ext. 123
  UnknownPrefix,       // 013-1234-5678, 044-123-4567
};

inline constexpr std::size_t kPhoneFormCount = 24;

// Every form, for tables that go over all of them.
[[nodiscard]] std::span<const PhoneForm> allPhoneForms();

// The form's name, for test rows and reports: "MobileBare".
[[nodiscard]] std::string_view phoneFormName(PhoneForm form);

// A number written in `form`, its digits drawn from `random`.
[[nodiscard]] std::string makePhoneNumber(Random& random, PhoneForm form);

// A form drawn in the shares found in real address books: mostly mobile
// numbers, hyphenated or bare, then landlines, then the rarer forms.
[[nodiscard]] PhoneForm drawMobileForm(Random& random);
[[nodiscard]] PhoneForm drawLandlineForm(Random& random);

}  // namespace borvanta::generator
