#pragma once
// Choosing the address book to clean: a GTK file chooser for vCard files.

#include <gtk/gtk.h>

#include <filesystem>
#include <optional>

namespace borvanta::gtk {

// Asks for one existing .vcf file in a modal chooser owned by `owner` (null:
// no owner). Nothing when the user cancels.
[[nodiscard]] std::optional<std::filesystem::path> chooseVcardFile(GtkWindow* owner);

}  // namespace borvanta::gtk
