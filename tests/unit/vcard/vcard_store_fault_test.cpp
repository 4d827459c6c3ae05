// The file store when things go wrong around it: a disk that fills while
// saving and folding, files that are missing or are not files, a dry run
// over saves a killed process left.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "backends/vcard/address_book.h"
#include "tests/unit/vcard/vcard_test_files.h"

namespace borvanta::vcard {
namespace {

using om::ContactProperty;
using vcardtest::readFile;
using vcardtest::TempDir;
using vcardtest::writeFile;

std::string card(const std::string& name) {
  return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + name + "\r\nEND:VCARD\r\n";
}

const std::string kBook = card("Kim") + card("Lee") + card("Park");

std::string longName(int i) {
  return std::string(40, 'a' + static_cast<char>(i % 26)) + std::to_string(i);
}

TEST(StoreFaults, AFullDiskKeepsEverySaveMadeBeforeIt) {
  TempDir dir;
  const std::filesystem::path file = dir / "contacts.vcf";
  writeFile(file, kBook);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // No file may grow past a few hundred bytes: the journal fills up
    // after some saves, and the grown file cannot be written at all.
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{kBook.size() + 400, kBook.size() + 400};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int saved = 0;
    {
      Ref<AddressBook> book = AddressBook::open(file, {});
      try {
        for (; saved < 100; ++saved)
          book->save(saved % 3, {{ContactProperty::FullName, longName(saved)}});
      } catch (const VcardError&) {
      }
    }  // folding the grown file fails too
    ::_exit(saved);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  const int saved = WEXITSTATUS(status);
  ASSERT_GT(saved, 0);
  ASSERT_LT(saved, 100);
  EXPECT_EQ(readFile(file), kBook);  // never half written
  EXPECT_FALSE(std::filesystem::exists(vcardtest::besidesName(file, ".borvanta-tmp")));

  Ref<AddressBook> book = AddressBook::open(file, {});  // room again: recovers
  for (std::size_t card = 0; card < 3; ++card) {
    int last = -1;
    for (int i = 0; i < saved; ++i)
      last = i % 3 == static_cast<int>(card) ? i : last;
    EXPECT_EQ(book->values(card)[indexOf(ContactProperty::FullName)],
              last < 0 ? std::string(card == 0   ? "Kim"
                                     : card == 1 ? "Lee"
                                                 : "Park")
                       : longName(last))
        << "card " << card;
  }
}

TEST(StoreFaults, AMissingFileIsNamed) {
  TempDir dir;
  try {
    (void)AddressBook::open(dir / "nowhere.vcf", {});
    FAIL() << "opened";
  } catch (const VcardError& error) {
    EXPECT_EQ(error.hr(), HRESULT_FILE_NOT_FOUND);
    EXPECT_NE(error.description().find("nowhere.vcf"), std::string::npos) << error.description();
  }
}

TEST(StoreFaults, AFolderIsNoAddressBook) {
  TempDir dir;
  for (bool dryRun : {false, true}) {
    try {
      (void)AddressBook::open(dir.path(), {.dryRun = dryRun});
      FAIL() << "opened";
    } catch (const VcardError& error) {
      EXPECT_EQ(error.hr(), HRESULT_INVALID_DATA) << error.description();
    }
  }
}

TEST(StoreFaults, ADryRunShowsSavesAKilledProcessLeftAndWritesNothing) {
  TempDir dir;
  const std::filesystem::path file = dir / "contacts.vcf";
  writeFile(file, kBook);
  {
    JournalWriter writer = JournalWriter::create(journalPath(file), stampOf(kBook));
    writer.appendCard(1, card("Lee Younghee"), false);
  }
  const std::string journal = readFile(journalPath(file));
  {
    Ref<AddressBook> book = AddressBook::open(file, {.dryRun = true});
    EXPECT_EQ(book->values(1)[indexOf(ContactProperty::FullName)], "Lee Younghee");
  }
  EXPECT_EQ(readFile(file), kBook);
  EXPECT_EQ(readFile(journalPath(file)), journal);
}

}  // namespace
}  // namespace borvanta::vcard
