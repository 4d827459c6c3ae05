#pragma once
// Contacts and lists written as vCard text: 3.0 and 4.0 in UTF-8 as phones
// and web address books write them, 2.1 as the desktop mail program writes
// them for Korean users (code page 949, quoted-printable, CRLF).

#include <string>

#include "tools/generator/contact.h"

namespace borvanta::generator {

// The charset label of 2.1 cards; a few cards carry another name of the same
// code page.
inline constexpr std::string_view kKoreanCharset = "ks_c_5601-1987";

[[nodiscard]] std::string writeContact(const Contact& contact);
[[nodiscard]] std::string writeList(const DistributionList& list);

}  // namespace borvanta::generator
