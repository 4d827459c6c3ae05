#pragma once
// Log lines and contact texts as a terminal shows them: a log line is a
// fragment of HTML, printed without its markup and with its character
// references decoded, so that a contact named "<b>x</b>" reads exactly so.

#include <string>
#include <string_view>

namespace borvanta::cli {

// The text of one log line (UTF-8 HTML, with or without the "<BR>" that ends
// it): tags dropped, a line break inside the line shown as a space, entities
// decoded, control characters shown as spaces so that a line stays one line.
[[nodiscard]] std::string plainLogLine(std::string_view html);

// Text that is already plain (UTF-8), with control characters shown as
// spaces, so that it stays on its line and cannot steer the terminal.
[[nodiscard]] std::string printable(std::string_view text);

}  // namespace borvanta::cli
