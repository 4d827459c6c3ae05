#pragma once
// The contacts object model over vCard files: one .vcf file is one contacts
// folder. A front end creates one VcardRuntime for the whole program, hands
// it to the contact store as its ComRuntime, calls flush() after every run
// (and before it exits), and destroys it last.
//
// Saving a contact is durable when Save returns: the new card goes to a
// journal beside the file. flush() folds the journal into the file by writing
// a new file and renaming it over the old one, so the file is only ever
// replaced whole. The first change after opening or folding keeps a copy of
// the file as it was ("<file>.borvanta.bak"). A lock keeps a second process
// away from a file this one holds: a file stays open from the run that first
// opens it until the runtime is destroyed, and is read again when another
// program changed it between runs.

#include <filesystem>

#include <optional>
#include <string>
#include <vector>

#include "outlook/object_model.h"

namespace borvanta::vcard {

// How the front end lets the user choose a .vcf file (PickFolder). The window
// shows a file chooser; the command line has none.
class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // The chosen file, or nothing when the user cancelled.
  [[nodiscard]] virtual std::optional<std::filesystem::path> pickVcardFile() = 0;
};

struct RuntimeOptions {
  // The file behind GetDefaultFolder(10). Without one there is no default
  // folder, and the store reports that no folder was chosen.
  std::optional<std::filesystem::path> defaultFile;
  // PickFolder asks it; without one PickFolder yields no folder. Not owned;
  // must outlive the runtime.
  FolderPicker* picker = nullptr;
  // Nothing ever reaches the disk: saves stay in memory, and no lock, journal
  // or backup is made. dryRunChanges() lists what would have been written.
  bool dryRun = false;
  // Each Save is flushed to the disk (fdatasync) before it returns, so it
  // survives a power failure too, at about a millisecond a contact. Without
  // it (the default) a Save survives the process being killed but may be
  // lost with the machine; the file is still replaced only whole, and
  // flushed when it is.
  bool syncEverySave = false;
};

// What flush() did: S_OK, or the first failure with its description (UTF-8,
// Korean, naming the file and the reason).
struct FlushResult {
  HRESULT hr = S_OK;
  std::string message;

  [[nodiscard]] bool ok() const { return succeeded(hr); }
};

// One property a save changed: its value before the first change and after
// the last one, UTF-8.
struct PropertyChange {
  om::ContactProperty property;
  std::string before;
  std::string after;

  friend bool operator==(const PropertyChange&, const PropertyChange&) = default;
};

// The changes saved to one contact, labelled with its name as it was.
struct ContactChanges {
  std::string label;
  std::vector<PropertyChange> changes;

  friend bool operator==(const ContactChanges&, const ContactChanges&) = default;
};

class VcardRuntime final : public om::ComRuntime {
 public:
  explicit VcardRuntime(RuntimeOptions options);
  // Folds every saved change into its file, as flush() does; a failure is
  // not lost: the journal stays and the next open of the file recovers it.
  ~VcardRuntime() override;
  VcardRuntime(const VcardRuntime&) = delete;
  VcardRuntime& operator=(const VcardRuntime&) = delete;

  // CoCreateInstance of the application class; any other class is not
  // registered (REGDB_E_CLASSNOTREG).
  [[nodiscard]] Result<Ref<ComObject>> createInstance(const Guid& clsid) override;
  [[nodiscard]] HRESULT run(ComObject& object) override;

  // Folds every change saved so far into its file now. Nothing to do in a
  // dry run.
  [[nodiscard]] FlushResult flush();

  // The changes saved so far, contact by contact in the order of their first
  // change. Only a dry run keeps them; otherwise the list is empty.
  [[nodiscard]] std::vector<ContactChanges> dryRunChanges() const;

  class Session;

 private:
  Ref<Session> session_;
};

}  // namespace borvanta::vcard
