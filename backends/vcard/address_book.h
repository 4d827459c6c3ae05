#pragma once
// One .vcf file as an address book that can be saved to, card by card.
//
// Opening locks the file, reads and checks all of it (a file that is not a
// vCard file, or that holds anything the reader cannot fully understand, is
// refused with its line and never written), and folds in the journal a
// killed process left. A save appends the card's new text to the journal
// beside the file and flushes it; the first save after opening or folding
// first copies the file as it was to "<file>.borvanta.bak". Folding writes the
// whole new file beside the old one, flushes it and renames it over the old
// one, so the file is only ever replaced whole. Before any write the file is
// checked against what was read: a file another program changed is never
// overwritten, and what this one saved is kept beside it.

#include <chrono>
#include <filesystem>
#include <optional>
#include <vector>

#include "backends/vcard/book_content.h"
#include "backends/vcard/card_editor.h"
#include "backends/vcard/change_log.h"
#include "backends/vcard/file_io.h"
#include "backends/vcard/file_lock.h"
#include "backends/vcard/journal.h"
#include "backends/vcard/vcard_error.h"
#include "core/ref.h"

namespace borvanta::vcard {

struct BookOptions {
  bool dryRun = false;
  bool syncEverySave = true;
};

// The files kept beside "<file>".
[[nodiscard]] std::filesystem::path journalPath(const std::filesystem::path& file);
[[nodiscard]] std::filesystem::path backupPath(const std::filesystem::path& file);
[[nodiscard]] std::filesystem::path unsavedPath(const std::filesystem::path& file);

class AddressBook : public RefCounted {
 public:
  // Throws VcardError.
  static Ref<AddressBook> open(const std::filesystem::path& file, BookOptions options);

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  [[nodiscard]] std::size_t cardCount() const { return content_->cardCount(); }
  [[nodiscard]] bool isContact(std::size_t card) const { return content_->isContact(card); }

  // The card's properties as saved so far. Throws VcardError.
  [[nodiscard]] ContactValues values(std::size_t card);
  // One property; the text lasts until the card is next saved.
  [[nodiscard]] std::string_view value(std::size_t card, om::ContactProperty property);
  // Writes the properties into the card and makes that durable; false when
  // nothing differed. Throws VcardError.
  bool save(std::size_t card, const std::vector<PropertyWrite>& writes);
  // Puts every save into the file now. Throws VcardError; the journal then
  // stays for the next open.
  void foldIn();
  // Folds in (a failure leaves the journal for the next open) and lets go.
  void close() noexcept;

  [[nodiscard]] bool isClosed() const { return closed_; }
  // A change by another program stopped this book; it saves no more.
  [[nodiscard]] bool hasFailed() const { return failure_.has_value(); }
  [[nodiscard]] bool hasUnfoldedSaves() const { return content_->hasEdits(); }
  // True when the file under the name is no longer the one this book holds.
  [[nodiscard]] bool changedOnDisk() const;
  [[nodiscard]] std::vector<ContactChanges> changes() const { return changeLog_.list(); }

 protected:
  ~AddressBook() override;

 private:
  AddressBook(std::filesystem::path file, BookOptions options);
  void load();
  void recover(const JournalContents& journal);
  void applyJournal(const JournalContents& journal);
  void startSaving();
  void ensureUsable();
  void ensureUnchangedOnDisk();
  void ensureUnchangedOnDiskNowAndThen();
  [[noreturn]] void keepAsideAndFail();
  void writeFold();

  std::filesystem::path path_;
  BookOptions options_;
  FileLock lock_;
  std::optional<BookContent> content_;
  std::optional<JournalWriter> journal_;
  FileIdentity identity_;
  mode_t mode_ = 0644;
  bool closed_ = false;
  // When a save last looked at the file; saves look at most a few times a
  // second (folding always looks).
  std::chrono::steady_clock::time_point lastLook_{};
  std::optional<VcardError> failure_;  // every later save fails with it
  ChangeLog changeLog_;
};

}  // namespace borvanta::vcard
