#pragma once
// The window's address book: a vCard file. The file named when the program
// starts is the default contacts folder; choosing another folder shows a file
// chooser owned by the main window; right after every run the saved changes
// are folded into the file.

#include <gtk/gtk.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "backends/vcard/vcard_runtime.h"
#include "outlook/owner_window.h"

namespace borvanta {

class VcardAddressBook {
 public:
  // `file`: the default folder, or none. `chooserOwner` names the window
  // that owns the chooser when it is shown (null: none yet).
  VcardAddressBook(std::optional<std::filesystem::path> file,
                   std::function<GtkWindow*()> chooserOwner);

  [[nodiscard]] om::ComRuntime& runtime() { return runtime_; }

  // Folds every saved change into its file; a failure is told in a box owned
  // by `owner` (the changes stay in the journal for the next start).
  void flush(OwnerWindow& owner);

 private:
  class Chooser : public vcard::FolderPicker {
   public:
    explicit Chooser(std::function<GtkWindow*()> owner) : owner_(std::move(owner)) {}
    std::optional<std::filesystem::path> pickVcardFile() override;

   private:
    std::function<GtkWindow*()> owner_;
  };

  Chooser chooser_;
  vcard::VcardRuntime runtime_;
};

}  // namespace borvanta
