#include "backends/vcard/address_book.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "core/text.h"

namespace borvanta::vcard {

namespace {

std::filesystem::path resolved(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(file, error);
  return error ? file : canonical;
}

// The cards a journal holds, the last text of each, in card order.
std::string journalCards(const JournalContents& journal) {
  std::map<std::uint32_t, const std::string*> last;
  for (const JournalRecord& record : journal.records)
    last[record.card] = &record.text;
  std::string out;
  for (const auto& [card, text] : last) {
    out += *text;
    if (!text->empty() && text->back() != '\n' && text->back() != '\r') out += "\r\n";
  }
  return out;
}

VcardError damagedJournal(const std::filesystem::path& file) {
  return fileError(HRESULT_INVALID_DATA, journalPath(file),
                   "'%s' 저장 기록이 손상되어 되살릴 수 없습니다. 옮기거나 지운 뒤에 다시 "
                   "하세요.");
}

}  // namespace

std::filesystem::path journalPath(const std::filesystem::path& file) {
  return besides(file, ".borvanta-journal");
}
std::filesystem::path backupPath(const std::filesystem::path& file) {
  return besides(file, ".borvanta.bak");
}
std::filesystem::path unsavedPath(const std::filesystem::path& file) {
  return besides(file, ".borvanta-unsaved.vcf");
}

AddressBook::AddressBook(std::filesystem::path file, BookOptions options)
    : path_(std::move(file)), options_(options) {}

AddressBook::~AddressBook() {
  close();
}

Ref<AddressBook> AddressBook::open(const std::filesystem::path& file, BookOptions options) {
  Ref<AddressBook> book(new AddressBook(resolved(file), options));
  book->load();
  return book;
}

void AddressBook::load() {
  UniqueFd readOnly;
  int fd = -1;
  if (options_.dryRun) {
    readOnly = UniqueFd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!readOnly.valid()) throw systemError(path_, "여는 중", errno);
    fd = readOnly.get();
  } else {
    lock_ = FileLock::acquire(path_);
    fd = lock_.fd();
    // What a process killed while folding or backing up left behind.
    removeIfPresent(besides(path_, ".borvanta-tmp"));
    removeIfPresent(besides(backupPath(path_), ".borvanta-tmp"));
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) throw systemError(path_, "여는 중", errno);
  if (!S_ISREG(status.st_mode)) {
    throw fileError(HRESULT_INVALID_DATA, path_, "'%s'은(는) 보통 파일이 아닙니다.");
  }
  identity_ = identityOf(status);
  mode_ = status.st_mode & 07777;
  try {
    content_.emplace(readAll(fd, path_));
  } catch (const SyntaxError& error) {
    throw refusedFile(path_, error);
  }
  if (std::optional<JournalContents> journal = readJournal(journalPath(path_))) {
    recover(*journal);
  } else if (!options_.dryRun) {
    removeIfPresent(journalPath(path_));  // one whose header was never written whole
  }
}

void AddressBook::applyJournal(const JournalContents& journal) {
  for (const JournalRecord& record : journal.records) {
    if (record.card >= content_->cardCount()) throw damagedJournal(path_);
    try {
      content_->restoreCard(record.card, record.text);
    } catch (const SyntaxError&) {
      throw damagedJournal(path_);
    }
  }
}

void AddressBook::recover(const JournalContents& journal) {
  const FileStamp current = stampOf(content_->source());
  if (journal.base == current) {
    applyJournal(journal);
    if (options_.dryRun) return;
    if (!content_->hasEdits()) {
      removeIfPresent(journalPath(path_));
      return;
    }
    journal_ = JournalWriter::resume(journalPath(path_), journal.validLength);
    writeFold();
    return;
  }
  if (journal.records.empty() || journal.folded == current) {
    // Nothing was saved, or the saves are in the file already.
    if (!options_.dryRun) removeIfPresent(journalPath(path_));
    return;
  }
  if (options_.dryRun) {
    throw fileError(E_ABORT, path_,
                    "'%s' 파일 옆에 파일에 넣지 못한 저장 기록이 있습니다. 시험 실행이 아닌 "
                    "정리로 한 번 열어 주세요.");
  }
  // The file changed after these saves: they go beside it, not into it.
  writeFileAtomically(unsavedPath(path_), journalCards(journal), mode_);
  removeIfPresent(journalPath(path_));
  throw VcardError(E_ABORT,
                   formatText("'%s' 파일이 지난 저장 뒤에 다른 프로그램에서 바뀌어, "
                              "파일에 넣지 못한 연락처를 '%s' 파일에 따로 두었습니다. "
                              "확인한 뒤에 다시 여세요.",
                              displayName(path_).c_str(), displayName(unsavedPath(path_)).c_str()));
}

ContactValues AddressBook::values(std::size_t card) {
  if (closed_) throw fileError(E_UNEXPECTED, path_, "'%s' 주소록은 이미 닫혔습니다.");
  return content_->values(card);
}

std::string_view AddressBook::value(std::size_t card, om::ContactProperty property) {
  if (closed_) throw fileError(E_UNEXPECTED, path_, "'%s' 주소록은 이미 닫혔습니다.");
  return content_->value(card, property);
}

void AddressBook::ensureUsable() {
  if (closed_) throw fileError(E_UNEXPECTED, path_, "'%s' 주소록은 이미 닫혔습니다.");
  if (failure_) throw *failure_;
}

bool AddressBook::changedOnDisk() const {
  const std::optional<FileIdentity> now = currentIdentity(path_);
  return !now || *now != identity_;
}

void AddressBook::ensureUnchangedOnDisk() {
  if (!changedOnDisk()) return;
  keepAsideAndFail();
}

void AddressBook::ensureUnchangedOnDiskNowAndThen() {
  constexpr std::chrono::milliseconds kInterval{200};
  const auto now = std::chrono::steady_clock::now();
  if (journal_ && now - lastLook_ < kInterval) return;
  lastLook_ = now;
  ensureUnchangedOnDisk();
}

void AddressBook::keepAsideAndFail() {
  std::string message;
  if (content_->hasEdits()) {
    writeFileAtomically(unsavedPath(path_), content_->composed(), mode_);
    journal_.reset();
    removeIfPresent(journalPath(path_));
    message = formatText(
        "'%s' 파일을 그사이 다른 프로그램이 바꾸었습니다. 덮어쓰지 않고, 이번에 저장한 연락처는 "
        "'%s' 파일에 따로 두었습니다.",
        displayName(path_).c_str(), displayName(unsavedPath(path_)).c_str());
  } else {
    message = formatText(
        "'%s' 파일을 그사이 다른 프로그램이 바꾸었습니다. 덮어쓰지 않았습니다. "
        "다시 시작하세요.",
        displayName(path_).c_str());
  }
  failure_.emplace(E_ABORT, message);
  throw *failure_;
}

void AddressBook::startSaving() {
  // The file's write permission (as it is now) says whether it may change,
  // even for a user (root) whom the system would let write anyway.
  struct stat status {};
  if (::fstat(lock_.fd(), &status) == 0) mode_ = status.st_mode & 07777;
  if ((mode_ & 0222) == 0 || ::access(path_.c_str(), W_OK) != 0) {
    throw fileError(E_ACCESSDENIED, path_, "'%s' 파일은 읽기 전용이라 고칠 수 없습니다.");
  }
  writeFileAtomically(backupPath(path_), content_->source(), mode_);
  journal_ = JournalWriter::create(journalPath(path_), stampOf(content_->source()));
}

bool AddressBook::save(std::size_t card, const std::vector<PropertyWrite>& writes) {
  ensureUsable();
  std::optional<EditedCard> edit;
  try {
    // The editor reads back every line it writes, so that nothing the
    // reader would refuse is ever saved.
    edit = content_->edited(card, writes);
  } catch (const SyntaxError& error) {
    throw refusedFile(path_, error);
  }
  if (!edit) return false;
  if (options_.dryRun) {
    const ContactValues before = content_->originalValues(card);
    content_->replaceCard(card, std::move(*edit));
    changeLog_.record(card, before, values(card));
    return true;
  }
  ensureUnchangedOnDiskNowAndThen();
  if (!journal_) startSaving();
  journal_->appendCard(static_cast<std::uint32_t>(card), edit->text, options_.syncEverySave);
  content_->replaceCard(card, std::move(*edit));
  return true;
}

void AddressBook::foldIn() {
  ensureUsable();
  if (options_.dryRun) return;
  if (!content_->hasEdits()) return;
  ensureUnchangedOnDisk();
  writeFold();
}

void AddressBook::writeFold() {
  if (!journal_) throw fileError(E_UNEXPECTED, path_, "'%s' 파일의 저장 기록이 없습니다.");
  std::string composed = content_->composed();
  const FileStamp stamp = stampOf(composed);
  const std::filesystem::path temporary = besides(path_, ".borvanta-tmp");
  UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (!fd.valid()) throw systemError(temporary, "만드는 중", errno);
  try {
    if (!FileLock::lockReplacement(fd.get())) throw systemError(temporary, "잠그는 중", errno);
    if (::fchmod(fd.get(), mode_) != 0) throw systemError(temporary, "권한을 주는 중", errno);
    writeAll(fd.get(), composed, temporary);
    flushToDisk(fd.get(), temporary, false);
    journal_->appendFold(stamp);
    renameFile(temporary, path_);
  } catch (...) {
    removeIfPresent(temporary);
    throw;
  }
  // The new file is in place: from here on this book holds it.
  struct stat status {};
  if (::fstat(fd.get(), &status) == 0) identity_ = identityOf(status);
  lock_.moveTo(std::move(fd));
  content_->rebase(std::move(composed));
  journal_.reset();
  flushDirectoryOf(path_);
  removeIfPresent(journalPath(path_));
}

void AddressBook::close() noexcept {
  if (closed_) return;
  try {
    // A book whose file could not be read holds nothing to fold in.
    if (!failure_ && content_) foldIn();
  } catch (...) {
    // The journal stays; the next open folds it in.
  }
  journal_.reset();
  lock_.release();
  closed_ = true;
}

}  // namespace borvanta::vcard
