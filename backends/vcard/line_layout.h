#pragma once
// Laying out one content line as physical lines in its card's way: folded
// at the card's width (never inside a character or an escape), or broken
// with quoted-printable soft line breaks, every line ending in the card's
// line break.

#include <string>
#include <string_view>

#include "backends/vcard/card.h"
#include "backends/vcard/card_style.h"
#include "backends/vcard/charset.h"

namespace borvanta::vcard {

// `prefix` ":" `value`, where `value` is already encoded (quoted-printable
// when `encoding` says so, else escaped text in `charset`).
[[nodiscard]] std::string layoutLine(std::string_view prefix, std::string_view value,
                                     ValueEncoding encoding, const Charset& charset,
                                     const CardStyle& style, std::string_view lineBreak);

}  // namespace borvanta::vcard
