#pragma once
// The page scheme's files as the program ships them: the page, its style
// sheet, script and icon, compiled into the program.

#include "app/page_scheme.h"

namespace borvanta::gtk {

// Answers pageDirectory + name with the compiled-in file `name`.
[[nodiscard]] PageSource compiledInPages();

}  // namespace borvanta::gtk
