#include "backends/vcard/session.h"

#include <algorithm>

namespace borvanta::vcard {

Ref<AddressBook> VcardRuntime::Session::book(const std::filesystem::path& file) {
  if (closed_) throw VcardError(E_UNEXPECTED, "주소록 연결이 이미 닫혔습니다.");
  std::error_code error;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(file, error);
  if (error) canonical = file;
  const auto held = std::find_if(books_.begin(), books_.end(), [&](const Ref<AddressBook>& book) {
    return book->path() == canonical;
  });
  if (held != books_.end()) {
    Ref<AddressBook> book = *held;
    if (!book->isClosed() && !book->changedOnDisk()) return book;
    books_.erase(held);
    // Another program changed the file: saves not yet in it are kept aside
    // and reported (once); then the file is read again.
    if (!book->isClosed() && !book->hasFailed() && book->hasUnfoldedSaves()) {
      try {
        book->foldIn();
      } catch (const VcardError&) {
        book->close();
        throw;
      }
    }
    book->close();
  }
  Ref<AddressBook> book =
      AddressBook::open(canonical, BookOptions{options_.dryRun, options_.syncEverySave});
  books_.push_back(book);
  return book;
}

FlushResult VcardRuntime::Session::flush() {
  FlushResult result;
  for (const Ref<AddressBook>& book : books_) {
    if (book->isClosed()) continue;
    try {
      book->foldIn();
    } catch (const VcardError& error) {
      if (result.ok()) result = {error.hr(), error.description()};
    }
  }
  return result;
}

std::vector<ContactChanges> VcardRuntime::Session::changes() const {
  std::vector<ContactChanges> all;
  for (const Ref<AddressBook>& book : books_) {
    std::vector<ContactChanges> some = book->changes();
    all.insert(all.end(), some.begin(), some.end());
  }
  return all;
}

void VcardRuntime::Session::close() noexcept {
  for (const Ref<AddressBook>& book : books_)
    book->close();
  books_.clear();
  closed_ = true;
}

}  // namespace borvanta::vcard
