#pragma once
// Reading one card: physical lines joined into content lines (folding,
// quoted-printable soft line breaks, the unindented base64 lines some 2.1
// writers leave), each split into group, name, parameters and value.

#include <cstddef>
#include <string_view>

#include "backends/vcard/card.h"

namespace borvanta::vcard {

// Parses the text of one card, from "BEGIN:VCARD" to the line break after
// "END:VCARD". `firstLineNumber` is the number of its first line in the
// file, for errors. Throws SyntaxError.
[[nodiscard]] ParsedCard parseCard(std::string_view cardText, std::size_t firstLineNumber);

// Parses `text` as content lines of a card of `version` (without the card's
// BEGIN, VERSION and END lines), as they read inside such a card: each line
// must end in a line break. The result has no BEGIN or END line. Throws
// SyntaxError.
[[nodiscard]] ParsedCard parseContentLines(std::string_view text, Version version,
                                           std::size_t firstLineNumber);

struct ParsedPrefix {
  std::string group;
  std::string name;
  std::vector<Parameter> params;
};

// Splits "item1.TEL;TYPE=CELL" (the text before the value's colon). Throws
// SyntaxError (with line 0; the caller knows the line). Without
// `withParams`, the parameters are only checked, not kept.
[[nodiscard]] ParsedPrefix parsePrefix(std::string_view prefix, bool withParams = true);

// The parameter name a bare 2.1 value implies: ENCODING, VALUE or TYPE.
[[nodiscard]] std::string_view impliedParamName(std::string_view bareValue);

// The position of the colon that starts the value: the first one outside
// double quotes. npos when there is none.
[[nodiscard]] std::size_t findValueColon(std::string_view unfolded);

}  // namespace borvanta::vcard
