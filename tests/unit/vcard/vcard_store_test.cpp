// The file store: the journal and its torn tail, recovery at the next open,
// the backup, folding in by replacing the file whole, the lock, refusal of
// files it cannot read, and files changed by another program.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "backends/vcard/address_book.h"
#include "backends/vcard/journal.h"
#include "tests/unit/vcard/vcard_test_files.h"

namespace borvanta::vcard {
namespace {

using om::ContactProperty;
using vcardtest::readFile;
using vcardtest::TempDir;
using vcardtest::writeFile;

std::string card(const std::string& name, const std::string& mobile) {
  return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + name + "\r\nTEL;TYPE=CELL:" + mobile +
         "\r\nEND:VCARD\r\n";
}

const std::string kBook = card("Kim", "01012345678") + card("Lee", "0212345678");
const std::vector<PropertyWrite> kKimMobile = {
    {ContactProperty::MobileTelephoneNumber, "010-1234-5678"}};
const std::string kBookAfter = card("Kim", "010-1234-5678") + card("Lee", "0212345678");

class Store : public ::testing::Test {
 protected:
  Store() { writeFile(file, kBook); }

  Ref<AddressBook> open(BookOptions options = {}) { return AddressBook::open(file, options); }

  // The error an action fails with; fails the test when it succeeds.
  template <class Action>
  VcardError errorOf(Action action) {
    try {
      action();
    } catch (const VcardError& error) {
      return error;
    }
    ADD_FAILURE() << "no error";
    return VcardError(S_OK, "");
  }

  TempDir dir;
  std::filesystem::path file = dir / "contacts.vcf";
};

// ---------------------------------------------------------------- journal

TEST(Journal, ATornTailIsIgnoredAtEveryCut) {
  TempDir dir;
  const std::filesystem::path path = dir / "j";
  {
    JournalWriter writer = JournalWriter::create(path, {10, 20});
    writer.appendCard(0, "first", true);
    writer.appendCard(7, "second card", true);
  }
  const std::string whole = readFile(path);
  const std::size_t firstEnd = 32 + 12 + 5 + 4;
  for (std::size_t cut = 32; cut <= whole.size(); ++cut) {
    writeFile(path, whole.substr(0, cut));
    const std::optional<JournalContents> contents = readJournal(path);
    ASSERT_TRUE(contents) << cut;
    EXPECT_EQ(contents->base, (FileStamp{10, 20}));
    const std::size_t expected = cut == whole.size() ? 2 : cut >= firstEnd ? 1 : 0;
    ASSERT_EQ(contents->records.size(), expected) << cut;
    if (expected >= 1) {
      EXPECT_EQ(contents->records[0].text, "first");
    }
    if (expected == 2) {
      EXPECT_EQ(contents->records[1].card, 7u);
      EXPECT_EQ(contents->records[1].text, "second card");
    }
  }
}

TEST(Journal, ADamagedRecordEndsTheJournal) {
  TempDir dir;
  const std::filesystem::path path = dir / "j";
  {
    JournalWriter writer = JournalWriter::create(path, {1, 2});
    writer.appendCard(0, "first", false);
    writer.appendCard(1, "second", false);
    writer.appendFold({3, 4});
  }
  std::string bytes = readFile(path);
  bytes[32 + 12 + 2] ^= 0x20;  // inside the first payload
  writeFile(path, bytes);
  EXPECT_TRUE(readJournal(path)->records.empty());
}

TEST(Journal, KnowsItsFoldMark) {
  TempDir dir;
  const std::filesystem::path path = dir / "j";
  {
    JournalWriter writer = JournalWriter::create(path, {1, 2});
    writer.appendCard(0, "a", false);
    writer.appendFold({30, 40});
  }
  EXPECT_EQ(readJournal(path)->folded, (FileStamp{30, 40}));
}

TEST(Journal, AHeaderNeverWrittenWholeIsNoJournal) {
  TempDir dir;
  writeFile(dir / "j", "BVJRNL01\x05");
  EXPECT_EQ(readJournal(dir / "j"), std::nullopt);
  EXPECT_EQ(readJournal(dir / "absent"), std::nullopt);
}

TEST(Journal, AnotherProgramsFileIsNotTakenForOne) {
  TempDir dir;
  writeFile(dir / "j", "my own notes, not a journal at all, thirty-two bytes or more");
  EXPECT_THROW((void)readJournal(dir / "j"), VcardError);
}

TEST(Journal, AWriterThatNeverEndedLeavesItsRecordsBeforeAZeroTail) {
  TempDir dir;
  const std::filesystem::path path = dir / "j";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    JournalWriter writer = JournalWriter::create(path, {1, 2});
    writer.appendCard(0, "first", false);
    writer.appendCard(3, "second", false);
    ::_exit(0);  // as if killed: the writer never cuts its tail off
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  const std::uint64_t records = 32 + (12 + 5 + 4) + (12 + 6 + 4);
  EXPECT_GT(std::filesystem::file_size(path), records);  // the reserved tail, all zero bytes

  const std::optional<JournalContents> left = readJournal(path);
  ASSERT_TRUE(left);
  ASSERT_EQ(left->records.size(), 2u);
  EXPECT_EQ(left->records[1].text, "second");
  EXPECT_EQ(left->validLength, records);
  {
    JournalWriter writer = JournalWriter::resume(path, left->validLength);
    writer.appendCard(1, "third", false);
  }
  EXPECT_EQ(std::filesystem::file_size(path), records + 12 + 5 + 4);
  const std::optional<JournalContents> resumed = readJournal(path);
  ASSERT_EQ(resumed->records.size(), 3u);
  EXPECT_EQ(resumed->records[2].card, 1u);
  EXPECT_EQ(resumed->records[2].text, "third");
}

TEST(Journal, ARecordLargerThanTheReservedTailIsKeptWhole) {
  TempDir dir;
  const std::filesystem::path path = dir / "j";
  std::string large(9u << 20, 'x');  // a card with a large photo
  large[12345] = 'y';
  {
    JournalWriter writer = JournalWriter::create(path, {1, 2});
    writer.appendCard(0, "before", false);
    writer.appendCard(1, large, false);
    writer.appendCard(2, "after", false);
  }
  const std::optional<JournalContents> contents = readJournal(path);
  ASSERT_TRUE(contents);
  ASSERT_EQ(contents->records.size(), 3u);
  EXPECT_TRUE(contents->records[1].text == large);
  EXPECT_EQ(contents->records[2].text, "after");
}

// ---------------------------------------------------------------- saving and folding

TEST_F(Store, ASaveGoesToTheJournalNotTheFile) {
  Ref<AddressBook> book = open();
  EXPECT_TRUE(book->save(0, kKimMobile));
  EXPECT_EQ(readFile(file), kBook);
  const std::optional<JournalContents> journal = readJournal(journalPath(file));
  ASSERT_TRUE(journal);
  ASSERT_EQ(journal->records.size(), 1u);
  EXPECT_EQ(journal->records[0].card, 0u);
  EXPECT_EQ(journal->records[0].text, card("Kim", "010-1234-5678"));
  EXPECT_EQ(journal->base, stampOf(kBook));
  EXPECT_EQ(book->values(0)[indexOf(ContactProperty::MobileTelephoneNumber)], "010-1234-5678");
}

TEST_F(Store, FoldingReplacesTheFileWholeAndKeepsItsMode) {
  ::chmod(file.c_str(), 0640);
  Ref<AddressBook> book = open();
  ASSERT_TRUE(book->save(0, kKimMobile));
  book->foldIn();
  EXPECT_EQ(readFile(file), kBookAfter);
  EXPECT_FALSE(std::filesystem::exists(journalPath(file)));
  EXPECT_FALSE(std::filesystem::exists(vcardtest::besidesName(file, ".borvanta-tmp")));
  struct stat status {};
  ASSERT_EQ(::stat(file.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  // The book goes on from the new file.
  ASSERT_TRUE(book->save(1, {{ContactProperty::MobileTelephoneNumber, "02-1234-5678"}}));
  book->close();
  EXPECT_EQ(readFile(file), card("Kim", "010-1234-5678") + card("Lee", "02-1234-5678"));
}

TEST_F(Store, UnchangedValuesWriteNothingAtAll) {
  Ref<AddressBook> book = open();
  EXPECT_FALSE(book->save(0, {{ContactProperty::MobileTelephoneNumber, "01012345678"},
                              {ContactProperty::FullName, "Kim"}}));
  book->close();
  EXPECT_EQ(readFile(file), kBook);
  EXPECT_FALSE(std::filesystem::exists(journalPath(file)));
  EXPECT_FALSE(std::filesystem::exists(backupPath(file)));
}

TEST_F(Store, TheFirstChangeKeepsACopyOfTheFileAsItWas) {
  Ref<AddressBook> book = open();
  ASSERT_TRUE(book->save(0, kKimMobile));
  EXPECT_EQ(readFile(backupPath(file)), kBook);
  ASSERT_TRUE(book->save(1, {{ContactProperty::FullName, "Park"}}));
  EXPECT_EQ(readFile(backupPath(file)), kBook);
  book->foldIn();
  // The next change after folding keeps the file the previous changes made.
  ASSERT_TRUE(book->save(1, {{ContactProperty::FullName, "Choi"}}));
  EXPECT_EQ(readFile(backupPath(file)), card("Kim", "010-1234-5678") + card("Park", "0212345678"));
}

TEST_F(Store, ClosingFoldsIn) {
  {
    Ref<AddressBook> book = open();
    ASSERT_TRUE(book->save(0, kKimMobile));
  }
  EXPECT_EQ(readFile(file), kBookAfter);
}

// ---------------------------------------------------------------- recovery

// Runs `work` in a child process, which `work` ends with SIGKILL, as the
// user or the system would; nothing is cleaned up.
template <class Work>
void inKilledChild(Work work) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    work();
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

TEST_F(Store, ASaveSurvivesTheProcessBeingKilled) {
  inKilledChild([&] {
    Ref<AddressBook> book = open();
    if (!book->save(0, kKimMobile)) ::_exit(1);
    ::raise(SIGKILL);
  });
  EXPECT_EQ(readFile(file), kBook);
  Ref<AddressBook> book = open();  // recovers
  EXPECT_EQ(readFile(file), kBookAfter);
  EXPECT_FALSE(std::filesystem::exists(journalPath(file)));
  EXPECT_EQ(book->values(0)[indexOf(ContactProperty::MobileTelephoneNumber)], "010-1234-5678");
}

TEST_F(Store, RecoveryStopsAtATornTail) {
  {
    JournalWriter writer = JournalWriter::create(journalPath(file), stampOf(kBook));
    writer.appendCard(0, card("Kim", "010-1234-5678"), false);
    writer.appendCard(1, card("Lee", "02-1234-5678"), false);
  }
  const std::string journal = readFile(journalPath(file));
  writeFile(journalPath(file), journal.substr(0, journal.size() - 3));
  (void)open();
  EXPECT_EQ(readFile(file), kBookAfter);
}

TEST_F(Store, AJournalWhoseFoldIsInTheFileIsSpent) {
  {
    JournalWriter writer = JournalWriter::create(journalPath(file), stampOf("older file"));
    writer.appendCard(0, card("Kim", "010-1234-5678"), false);
    writer.appendFold(stampOf(kBook));
  }
  (void)open();
  EXPECT_EQ(readFile(file), kBook);
  EXPECT_FALSE(std::filesystem::exists(journalPath(file)));
}

TEST_F(Store, SavesForAFileChangedSinceAreKeptBesideIt) {
  {
    JournalWriter writer = JournalWriter::create(journalPath(file), stampOf("older file"));
    writer.appendCard(0, card("Kim", "010-1234-5678"), false);
  }
  const VcardError error = errorOf([&] { (void)open(); });
  EXPECT_EQ(error.hr(), E_ABORT);
  EXPECT_NE(error.description().find(file.string()), std::string::npos) << error.description();
  EXPECT_NE(error.description().find(unsavedPath(file).string()), std::string::npos);
  EXPECT_EQ(readFile(unsavedPath(file)), card("Kim", "010-1234-5678"));
  EXPECT_EQ(readFile(file), kBook);
  EXPECT_NO_THROW((void)open());  // told once; the file opens again
}

TEST_F(Store, WhatAKilledFoldLeftBehindIsCleared) {
  writeFile(vcardtest::besidesName(file, ".borvanta-tmp"), "half a new fi");
  (void)open();
  EXPECT_FALSE(std::filesystem::exists(vcardtest::besidesName(file, ".borvanta-tmp")));
  EXPECT_EQ(readFile(file), kBook);
}

// ---------------------------------------------------------------- safety

TEST_F(Store, ASecondProcessIsKeptAway) {
  Ref<AddressBook> book = open();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      (void)AddressBook::open(file, {});
    } catch (const VcardError& error) {
      ::_exit(error.hr() == HRESULT_SHARING_VIOLATION &&
                      error.description().find(file.string()) != std::string::npos
                  ? 0
                  : 2);
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  book->close();
  EXPECT_NO_THROW((void)open());
}

TEST_F(Store, TheLockFollowsTheFileAcrossAFold) {
  Ref<AddressBook> book = open();
  ASSERT_TRUE(book->save(0, kKimMobile));
  book->foldIn();
  EXPECT_EQ(errorOf([&] { (void)open(); }).hr(), HRESULT_SHARING_VIOLATION);
}

TEST_F(Store, AFileThatIsNotVcardIsRefusedAndNeverWritten) {
  const std::string text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nEND:VCARD\r\nName,Phone\r\n";
  writeFile(file, text);
  const VcardError error = errorOf([&] { (void)open(); });
  EXPECT_EQ(error.hr(), HRESULT_INVALID_DATA);
  EXPECT_NE(error.description().find(file.string()), std::string::npos) << error.description();
  EXPECT_NE(error.description().find("5번째 줄"), std::string::npos) << error.description();
  EXPECT_EQ(readFile(file), text);
  EXPECT_FALSE(std::filesystem::exists(backupPath(file)));
}

TEST_F(Store, APropertyTheReaderCannotUnderstandRefusesTheFile) {
  writeFile(file, "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=x-johab:abc\r\nEND:VCARD\r\n");
  const VcardError error = errorOf([&] { (void)open(); });
  EXPECT_NE(error.description().find("3번째 줄"), std::string::npos) << error.description();
}

TEST_F(Store, AReadOnlyFileIsNotChanged) {
  ::chmod(file.c_str(), 0444);
  Ref<AddressBook> book = open();
  EXPECT_EQ(errorOf([&] { book->save(0, kKimMobile); }).hr(), E_ACCESSDENIED);
  book->close();
  EXPECT_EQ(readFile(file), kBook);
  EXPECT_FALSE(std::filesystem::exists(journalPath(file)));
}

TEST_F(Store, AFileChangedByAnotherProgramIsNeverOverwritten) {
  Ref<AddressBook> book = open();
  ASSERT_TRUE(book->save(0, kKimMobile));
  const std::string theirs = card("Kim", "01099998888") + card("Lee", "0212345678");
  writeFile(file, theirs);
  // Saves look at the file a few times a second; folding always looks.
  const VcardError error = errorOf([&] { book->foldIn(); });
  EXPECT_EQ(error.hr(), E_ABORT);
  EXPECT_NE(error.description().find(unsavedPath(file).string()), std::string::npos);
  // Theirs stays; ours is kept beside it; nothing is lost.
  EXPECT_EQ(readFile(file), theirs);
  EXPECT_EQ(readFile(unsavedPath(file)), kBookAfter);
  EXPECT_FALSE(std::filesystem::exists(journalPath(file)));
  EXPECT_EQ(errorOf([&] { book->save(1, {{ContactProperty::FullName, "Park"}}); }).hr(), E_ABORT);
  book->close();
  EXPECT_EQ(readFile(file), theirs);
}

TEST_F(Store, AFileChangedBeforeAnySaveIsNotOverwrittenEither) {
  Ref<AddressBook> book = open();
  writeFile(file, kBook + card("New", "1"));
  EXPECT_EQ(errorOf([&] { book->save(0, kKimMobile); }).hr(), E_ABORT);
  EXPECT_EQ(readFile(file), kBook + card("New", "1"));
  EXPECT_FALSE(std::filesystem::exists(unsavedPath(file)));
}

// ---------------------------------------------------------------- dry run

TEST_F(Store, ADryRunWritesNothingAndListsWhatItWouldHave) {
  Ref<AddressBook> book = open({.dryRun = true});
  Ref<AddressBook> other = open();  // a dry run takes no lock
  other->close();
  ASSERT_TRUE(book->save(0, kKimMobile));
  ASSERT_TRUE(book->save(0, {{ContactProperty::FullName, "Kim Chulsoo"}}));
  ASSERT_TRUE(
      book->save(1, {{ContactProperty::FullName, "Lee"}, {ContactProperty::FileAs, "Lee (Acme)"}}));
  book->foldIn();
  book->close();
  EXPECT_EQ(readFile(file), kBook);
  EXPECT_EQ(std::vector<std::filesystem::path>(std::filesystem::directory_iterator(dir.path()), {}),
            std::vector<std::filesystem::path>{file});
  const std::vector<ContactChanges> changes = book->changes();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].label, "Kim");
  EXPECT_EQ(changes[0].changes,
            (std::vector<PropertyChange>{
                {ContactProperty::MobileTelephoneNumber, "01012345678", "010-1234-5678"},
                {ContactProperty::FullName, "Kim", "Kim Chulsoo"}}));
  EXPECT_EQ(changes[1].label, "Lee");
  EXPECT_EQ(changes[1].changes,
            (std::vector<PropertyChange>{{ContactProperty::FileAs, "", "Lee (Acme)"}}));
}

TEST_F(Store, ADryRunChangeUndoneIsNoChange) {
  Ref<AddressBook> book = open({.dryRun = true});
  ASSERT_TRUE(book->save(0, kKimMobile));
  ASSERT_TRUE(book->save(0, {{ContactProperty::MobileTelephoneNumber, "01012345678"}}));
  EXPECT_TRUE(book->changes().empty());
}

}  // namespace
}  // namespace borvanta::vcard
