// A run killed (SIGKILL) at random moments, many times: after every kill the
// file still parses, every contact in it is as it was or as one of its saves
// left it, nothing outside the contacts changed, and the next open brings
// back every save that had returned.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "backends/vcard/address_book.h"
#include "backends/vcard/document.h"
#include "backends/vcard/vcard_runtime.h"
#include "core/utf.h"
#include "job/cleanup_job.h"
#include "page/contact_sort_document.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/recording_owner.h"

#include "tests/unit/vcard/save_reporting_runtime.h"
#include "tests/unit/vcard/vcard_harness.h"
#include "tests/unit/vcard/vcard_test_files.h"
#include "tools/generator/address_book.h"

namespace borvanta::vcard {
namespace {

using vcardtest::readFile;
using vcardtest::TempDir;
using vcardtest::writeFile;

// Built with AddressSanitizer every step is several times slower: the same
// number of kills lands in a shorter run.
#ifdef __SANITIZE_ADDRESS__
constexpr std::size_t kContacts = 150;
#else
constexpr std::size_t kContacts = 500;
#endif
constexpr int kKills = 30;

// A run with every pass on whose saves are reported.
struct ReportingRun {
  ReportingRun(const std::filesystem::path& file, vcardtest::SaveListener listener)
      : runtime(RuntimeOptions{file, nullptr, false, true}),
        reporting(runtime, std::move(listener)) {
    document = makeContactSortDocument(vcardtest::allPasses());
    page.setDocument(document);
  }
  ~ReportingRun() {
    list.clear();
    connection.currentItem.reset();
    connection.reset();
  }

  VcardRuntime runtime;
  vcardtest::SaveReportingRuntime reporting;
  testing_support::FakeMessageLoop loop;
  PageBridge page{loop};
  OutlookConnection connection;
  ContactStore store{reporting, connection, page};
  ContactList list;
  CleanupJob job{page, store, list};
  testing_support::RecordingOwner owner;
  Ref<MemoryDocument> document;
};

ContactValues valuesOf(om::ContactItem& item) {
  ContactValues values;
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    const om::Bstr value = item.get(static_cast<om::ContactProperty>(i)).value;
    values[i] = value ? utf16ToUtf8(*value) : std::string();
  }
  return values;
}

// What an uninterrupted run does, save by save.
struct Reference {
  std::string original;
  std::vector<ContactValues> originalValues;    // per card
  std::vector<std::vector<std::string>> texts;  // per card: as it was, then after each save
  struct Save {
    std::size_t card;
    ContactValues after;
  };
  std::vector<Save> saves;  // in the order they returned
};

Reference makeReference() {
  Reference reference;
  generator::GeneratorOptions options;
  options.contacts = kContacts;
  options.seed = 20240312;
  reference.original = generator::generateAddressBook(options);
  TempDir dir;
  const std::filesystem::path file = dir / "reference.vcf";
  writeFile(file, reference.original);
  BookContent before(reference.original);
  for (std::size_t i = 0; i < before.cardCount(); ++i) {
    reference.texts.push_back({std::string(before.cardText(i))});
    reference.originalValues.push_back(before.values(i));
  }
  {
    ReportingRun run(file, [&](std::size_t card, om::ContactItem& item) {
      reference.saves.push_back({card, valuesOf(item)});
    });
    EXPECT_EQ(run.job.run(run.owner), RunOutcome::Completed);
    // Every save is still in the journal: the runtime folds in only later.
    const std::optional<JournalContents> journal = readJournal(journalPath(file));
    EXPECT_TRUE(journal);
    if (journal) {
      for (const JournalRecord& record : journal->records)
        reference.texts.at(record.card).push_back(record.text);
    }
  }
  return reference;
}

// The file parses, its cards are each one of their known states, and the
// bytes between cards are as they were.
void expectWholeContacts(const std::string& text, const Reference& reference,
                         const std::string& when) {
  std::vector<CardLocation> cards;
  ASSERT_NO_THROW(cards = locateCards(text)) << when;
  ASSERT_NO_THROW(BookContent checked(text)) << when;
  const std::vector<CardLocation> originalCards = locateCards(reference.original);
  ASSERT_EQ(cards.size(), originalCards.size()) << when;
  std::size_t at = 0;
  std::size_t originalAt = 0;
  for (std::size_t i = 0; i < cards.size(); ++i) {
    EXPECT_EQ(text.substr(at, cards[i].raw.begin - at),
              reference.original.substr(originalAt, originalCards[i].raw.begin - originalAt))
        << when << ", before card " << i;
    const std::string card(cards[i].raw.of(text));
    const std::vector<std::string>& known = reference.texts[i];
    EXPECT_NE(std::find(known.begin(), known.end(), card), known.end())
        << when << ", card " << i << " is in no state a save left it in:\n"
        << card;
    at = cards[i].raw.end;
    originalAt = originalCards[i].raw.end;
  }
  EXPECT_EQ(text.substr(at), reference.original.substr(originalAt)) << when;
}

// Every save that returned before the kill is in the recovered file; the one
// in flight may be too.
void expectSavesRecovered(AddressBook& book, const Reference& reference, std::size_t returned,
                          const std::string& when) {
  for (std::size_t card = 0; card < book.cardCount(); ++card) {
    const ContactValues* done = &reference.originalValues[card];
    for (std::size_t k = 0; k < returned && k < reference.saves.size(); ++k) {
      if (reference.saves[k].card == card) done = &reference.saves[k].after;
    }
    const ContactValues* inFlight = nullptr;
    if (returned < reference.saves.size() && reference.saves[returned].card == card) {
      inFlight = &reference.saves[returned].after;
    }
    const ContactValues now = book.values(card);
    EXPECT_TRUE(now == *done || (inFlight != nullptr && now == *inFlight))
        << when << ", card " << card << " lost a save";
  }
}

// Runs every pass over `file` in a child process, counting the saves that
// returned in `returned`; returns the child.
pid_t startRun(const std::filesystem::path& file, std::atomic<std::int32_t>* returned) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  {
    ReportingRun run(file, [&](std::size_t, om::ContactItem&) { returned->fetch_add(1); });
    (void)run.job.run(run.owner);
  }
  ::_exit(0);
}

// How long a whole run takes here, process start to exit.
std::chrono::microseconds timeOneRun(const std::string& book, std::atomic<std::int32_t>* returned) {
  TempDir dir;
  writeFile(dir / "timing.vcf", book);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = startRun(dir / "timing.vcf", returned);
  int status = 0;
  ::waitpid(child, &status, 0);
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                               start);
}

TEST(KilledRun, LeavesWholeContactsAndTheNextOpenRecoversEverySave) {
  const Reference reference = makeReference();
  ASSERT_FALSE(reference.saves.empty());
  auto* returned = static_cast<std::atomic<std::int32_t>*>(
      ::mmap(nullptr, sizeof(std::atomic<std::int32_t>), PROT_READ | PROT_WRITE,
             MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(returned, MAP_FAILED);
  std::mt19937 delays(7);
  const auto longest = timeOneRun(reference.original, returned) * 11 / 10;
  int killedMidRun = 0;
  for (int attempt = 0; attempt < kKills; ++attempt) {
    TempDir dir;
    const std::filesystem::path file = dir / "contacts.vcf";
    writeFile(file, reference.original);
    returned->store(0);
    const pid_t child = startRun(file, returned);
    ASSERT_GE(child, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(
        static_cast<std::int64_t>(delays() % static_cast<std::uint32_t>(longest.count() + 1))));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    killedMidRun += WIFSIGNALED(status) ? 1 : 0;
    const std::size_t count = static_cast<std::size_t>(returned->load());
    const std::string when =
        "kill " + std::to_string(attempt) + " after " + std::to_string(count) + " saves";

    expectWholeContacts(readFile(file), reference, when + ", as left");
    {
      Ref<AddressBook> book = AddressBook::open(file, {});
      expectSavesRecovered(*book, reference, count, when);
    }
    expectWholeContacts(readFile(file), reference, when + ", recovered");
    EXPECT_FALSE(std::filesystem::exists(journalPath(file))) << when;
    EXPECT_FALSE(std::filesystem::exists(vcardtest::besidesName(file, ".borvanta-tmp"))) << when;
  }
  ::munmap(returned, sizeof(std::atomic<std::int32_t>));
  // Most kills land inside the run (the rest after it ended), so the test
  // shows what it claims even on a busy machine.
  EXPECT_GT(killedMidRun, kKills / 3);
}

}  // namespace
}  // namespace borvanta::vcard
