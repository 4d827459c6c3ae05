#pragma once
// The folders and page settings the whole-run fault tests share.

#include <vector>

#include "page/contact_sort_document.h"
#include "tests/unit/reliability/watched_run.h"

namespace borvanta::testing_support {

// Twenty-five contacts that take every path of the five passes: names that
// split and names that do not, words of address, Latin names, no name at all,
// markup and script in names and company, characters code page 949 cannot
// hold, numbers of every prefix, +82 and +44, null and empty properties.
[[nodiscard]] std::vector<ContactValues> mixedFolder();

// Every pass on: separation type 1, names without a space, the offered
// display-name template, the default contacts folder.
[[nodiscard]] PageSettings allPassesOffered();
// Every pass on: separation type 3, names with a space, a typed template,
// a folder the user picks.
[[nodiscard]] PageSettings allPassesTyped();

}  // namespace borvanta::testing_support
