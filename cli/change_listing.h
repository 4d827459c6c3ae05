#pragma once
// What a dry run would have written: for each contact that would change, its
// name and each property as before -> after.

#include <filesystem>
#include <string>
#include <vector>

#include "backends/vcard/vcard_runtime.h"

namespace borvanta::cli {

// The listing that follows the log of a dry run over `file`, as plain UTF-8
// text ending in a line break.
[[nodiscard]] std::string changeListing(const std::vector<vcard::ContactChanges>& contacts,
                                        const std::filesystem::path& file);

}  // namespace borvanta::cli
