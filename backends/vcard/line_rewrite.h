#pragma once
// Writing new values into one content line, in its card's syntax: the line's
// own parameters, character set, transfer encoding, folding and line break
// are kept wherever the new value can be represented in them.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "backends/vcard/card.h"
#include "backends/vcard/card_style.h"

namespace borvanta::vcard {

// New texts (UTF-8) by component, in component order, one per component;
// -1 for the whole value.
using LineParts = std::vector<std::pair<int, std::string>>;

// Sets the text of `component`, replacing what an earlier write set.
void setPart(LineParts& parts, int component, std::string text);

// The physical text of `line` with `parts` written into it, or nothing when
// every part equals what the line already says. Throws SyntaxError when the
// line cannot be read.
[[nodiscard]] std::optional<std::string> rewriteLine(std::string_view cardText,
                                                     const ContentLine& line,
                                                     const LineParts& parts, const CardStyle& style,
                                                     CharsetCodec& codec);

// A line the card does not have yet: `name` (with the given TEL types) with
// `parts`, in the card's syntax, ending in `lineBreak`.
[[nodiscard]] std::string newLine(std::string_view name, const std::vector<std::string_view>& types,
                                  const LineParts& parts, const CardStyle& style,
                                  std::string_view lineBreak, CharsetCodec& codec);

}  // namespace borvanta::vcard
