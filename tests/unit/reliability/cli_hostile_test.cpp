// Hostile input through the command line: files that are no address book,
// contacts whose text is markup, script, a megabyte long or outside the
// Korean code page, a million cards, a file the user may not change, and a
// file another program changes during the run. Each ends in a clear error or
// is handled as the rules say; no "?" in place of a lost character ever
// reaches the file, and no markup from a contact reaches the page as markup.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <random>
#include <thread>

#include "backends/vcard/address_book.h"
#include "backends/vcard/book_content.h"
#include "backends/vcard/vcard_runtime.h"
#include "job/cleanup_job.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/named_rows.h"
#include "tests/support/recording_owner.h"
#include "tests/unit/reliability/cli_runs.h"
#include "tests/unit/reliability/watched_run.h"

namespace borvanta::testing_support {
namespace {

using om::ContactProperty;
using Strings = std::vector<std::string>;

const std::string kCrlf = "\r\n";

std::string card30(const std::string& lines) {
  return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + lines + "END:VCARD\r\n";
}

// A book in a directory of its own, run over by borvanta-cli with every pass.
class Book {
 public:
  explicit Book(std::string bytes) : bytes_(std::move(bytes)) { writeBytes(path(), bytes_); }

  ChildResult runEveryPass() const {
    return runChild(cliProgram(), firstPasses(passOptions().size(), "book.vcf"), {dir_.path(), {}});
  }
  [[nodiscard]] std::filesystem::path path() const { return dir_ / "book.vcf"; }
  [[nodiscard]] const std::string& original() const { return bytes_; }
  [[nodiscard]] std::string now() const { return readBytes(path()); }
  [[nodiscard]] Strings files() const { return dir_.fileNames(); }
  [[nodiscard]] const ScratchDirectory& directory() const { return dir_; }

 private:
  ScratchDirectory dir_;
  std::string bytes_;
};

std::size_t count(std::string_view text, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos;
       at = text.find(what, at + what.size()))
    ++n;
  return n;
}

// The contact properties of every card of `file`, UTF-8.
std::vector<vcard::ContactValues> contactsOf(const std::string& file) {
  vcard::BookContent book(file);
  std::vector<vcard::ContactValues> contacts;
  for (std::size_t card = 0; card < book.cardCount(); ++card)
    contacts.push_back(book.values(card));
  return contacts;
}

std::string valueOf(const vcard::ContactValues& values, ContactProperty property) {
  return values[vcard::indexOf(property)];
}

// ---------------------------------------------------------------------------
// Files that are no address book: refused as a whole, with the reason and
// the line, and never touched.

struct RefusedFile {
  const char* name;
  std::string bytes;
  const char* reason;
};

class RefusedFiles : public ::testing::TestWithParam<RefusedFile> {};

TEST_P(RefusedFiles, AreRefusedWithTheirReasonAndNeverTouched) {
  const Book book(GetParam().bytes);
  const ChildResult run = book.runEveryPass();
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  // One line, naming the file, the line and the reason.
  EXPECT_EQ(run.err.rfind("borvanta-cli: '", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("book.vcf' 파일을 열지 않았습니다. "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(GetParam().reason), std::string::npos) << run.err;
  EXPECT_EQ(count(run.err, "\n"), 1u) << run.err;
  EXPECT_EQ(book.now(), book.original());
  EXPECT_EQ(book.files(), Strings{"book.vcf"});
}

std::string randomBytes(std::size_t size, unsigned seed, unsigned char lowest) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(lowest, 255);
  std::string bytes(size, '\0');
  for (char& c : bytes)
    c = static_cast<char>(byte(random));
  return bytes;
}

std::string utf16(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, RefusedFiles,
    ::testing::Values(
        RefusedFile{"NulByte", card30("FN:a" + std::string(1, '\0') + "b\r\n"), "NUL"},
        RefusedFile{"InvalidUtf8", card30("N:;\xFF\xFE\xFD;;;\r\n"),
                    "UTF-8도 CP949도 아닌 글자가 있습니다"},
        RefusedFile{"UnterminatedCard", "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:x\r\n",
                    "END:VCARD 없이 파일이 끝났습니다"},
        RefusedFile{"EmptyCardWithoutVersion", "BEGIN:VCARD\r\nEND:VCARD\r\n",
                    "카드에 VERSION 줄이 없습니다"},
        RefusedFile{"BinaryWithNul", "\x89PNG\r\n\x1A\n" + randomBytes(5000, 1, 0), "NUL"},
        RefusedFile{"BinaryHighBytes", randomBytes(5000, 2, 0x80), "1번째 줄"},
        RefusedFile{"Utf16", utf16(card30("FN:x\r\n")), "UTF-16"}),
    RowName());

// ---------------------------------------------------------------------------
// Markup and script in contact texts.

const char* const kImage = "<img src=x onerror=alert(1)>";
const char* const kScript = "</div><script>alert(1)</script>";

std::string markupBook() {
  return card30(std::string("N:;") + kImage + ";;;\r\nFN:" + kImage + "\r\nORG:" + kScript +
                ";<b>부서</b>\r\nTITLE:\"&'\r\nTEL;TYPE=CELL:<i>010</i>12345678\r\n") +
         card30("N:김;<script>철수</script>;;;\r\nFN:x\r\n") +
         card30(std::string("N:;;;;\r\nFN:\r\nORG:") + kScript + "\r\n");
}

TEST(HostileText, MarkupInContactsIsPrintedAndStoredAsCharacters) {
  const Book book(markupBook());
  const ChildResult run = book.runEveryPass();
  ASSERT_EQ(run.status, 0) << run.err;
  // The log shows the characters themselves.
  EXPECT_NE(run.out.find(std::string("냅둠 (") + kImage + ")"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("냅둠 (김<script>철수</script>)"), std::string::npos) << run.out;
  // The file holds them as text, in the values the passes wrote.
  const std::vector<vcard::ContactValues> contacts = contactsOf(book.now());
  ASSERT_EQ(contacts.size(), 3u);
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::FullName), kImage);
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::FileAs),
            std::string(kImage) + "(" + kScript + "/<b>부서</b>)");
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::MobileTelephoneNumber), "<i>010</i>12345678");
  EXPECT_EQ(valueOf(contacts[1], ContactProperty::FirstName), "<script>철수</script>");
  // "이름(회사명/부서)" with only a company: the clean-up takes "/)" away.
  EXPECT_EQ(valueOf(contacts[2], ContactProperty::FileAs), std::string("(") + kScript);
}

// The same run as the command line makes it, watched at the page: every log
// line carries the program's own tags only; the contacts' markup arrives
// escaped.
TEST(HostileText, MarkupInContactsNeverReachesThePageAsMarkup) {
  const Book book(markupBook());
  vcard::VcardRuntime runtime({book.path(), nullptr, false, false});
  FakeMessageLoop loop;
  PageBridge page(loop);
  PageSettings settings;
  settings.separateName = settings.resetNumber = settings.resetNationalNumber = true;
  settings.resetFullName = settings.resetDisplayName = true;
  const Ref<MemoryDocument> document = makeContactSortDocument(settings);
  page.setDocument(document);
  OutlookConnection connection;
  ContactStore store(runtime, connection, page);
  ContactList list;
  CleanupJob job(page, store, list);
  RecordingOwner owner;
  ASSERT_EQ(job.run(owner), RunOutcome::Completed);
  const Strings lines = document->insertionsInOrder("idLog");
  ASSERT_FALSE(lines.empty());
  for (const std::string& line : lines) {
    std::string html = line.substr(0, line.size() - 4);  // without "<BR>"
    EXPECT_FALSE(carriesForeignMarkup(html)) << html;
  }
  const std::string all = std::accumulate(lines.begin(), lines.end(), std::string());
  EXPECT_NE(all.find("&lt;img src=x onerror=alert(1)&gt;"), std::string::npos) << all;
  EXPECT_NE(all.find("&lt;script&gt;철수&lt;/script&gt;"), std::string::npos) << all;
  list.clear();
  connection.currentItem.reset();
  connection.reset();
  EXPECT_TRUE(runtime.flush().ok());
}

// ---------------------------------------------------------------------------
// A value of a megabyte.

TEST(HostileText, MegabyteValuesAreWrittenWhole) {
  std::string huge;
  while (huge.size() < (1u << 20))
    huge += "가나다라마바사";
  const std::string digits(1u << 20, '7');
  const Book book(card30("N:김;" + huge + ";;;\r\nFN:" + huge + "\r\nORG:" + huge +
                         "\r\nTEL;TYPE=CELL:010" + digits + "\r\n"));
  const ChildResult run = book.runEveryPass();
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("냅둠 (김" + huge.substr(0, 30)), std::string::npos);
  const std::vector<vcard::ContactValues> contacts = contactsOf(book.now());
  ASSERT_EQ(contacts.size(), 1u);
  // Too long a given name to split; the names whole in full and display name.
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::FirstName), huge);
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::FullName), "김" + huge);
  // "이름(회사명/부서)" without a department: the clean-up takes "/)" away.
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::FileAs), "김" + huge + "(" + huge);
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::MobileTelephoneNumber),
            "010-" + digits.substr(0, digits.size() - 4) + "-7777");
}

// ---------------------------------------------------------------------------
// Characters the Korean code page cannot hold.

TEST(HostileText, CharactersTheCodePageCannotHoldAreNeverReplacedInTheFile) {
  const std::string emoji = "😀";
  const Book book(card30("N:;김" + emoji + "철수;;;\r\nFN:김" + emoji + "철수\r\nORG:Ακμή\r\n" +
                         "TEL;TYPE=CELL:01012345678\r\nTEL;TYPE=HOME:02" + emoji + "1234567\r\n") +
                  card30("N:;이영희;;;\r\nFN:이영희\r\nORG:" + emoji + "\r\n") +
                  card30("N:;박지성;;;\r\nFN:박지성\r\nTEL;TYPE=CELL:+82 10-1234-5678\r\n"));
  const ChildResult run = book.runEveryPass();
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string file = book.now();
  EXPECT_EQ(count(file, "?"), 0u);
  EXPECT_EQ(count(file, emoji), count(book.original(), emoji));
  const std::vector<vcard::ContactValues> contacts = contactsOf(file);
  // The damaged names, the full and display names made of them, and the
  // damaged number stay as they were; the rest of the contact is tidied.
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::FirstName), "김" + emoji + "철수");
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::FullName), "김" + emoji + "철수");
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::FileAs), "");
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::HomeTelephoneNumber), "02" + emoji + "1234567");
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::MobileTelephoneNumber), "010-1234-5678");
  // The company is damaged: the display name that uses it is left alone,
  // the names are split.
  EXPECT_EQ(valueOf(contacts[1], ContactProperty::LastName), "이");
  EXPECT_EQ(valueOf(contacts[1], ContactProperty::FileAs), "");
  EXPECT_EQ(valueOf(contacts[2], ContactProperty::MobileTelephoneNumber), "0 1012345678");
  // Each skipped contact is named in the log.
  EXPECT_NE(run.out.find("건너뜀 (김?철수)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("건너뜀 (이영희)"), std::string::npos) << run.out;
}

// A contact with a lost character whose number holds a "?" of its own: the
// store cannot tell that "?" from one standing for the lost character, so it
// refuses the number, and the run stops there with the reason. Nothing with a
// "?" is written; the contacts before it keep what they were given.
TEST(HostileText, QuestionMarkBesideALostCharacterStopsTheRunAtThatContact) {
  const Book book(card30("N:;김철수;;;\r\nTEL;TYPE=CELL:01012345678\r\n") +
                  card30("N:;이😀;;;\r\nTEL;TYPE=CELL:?123-4567\r\n") +
                  card30("N:;박지성;;;\r\nTEL;TYPE=CELL:01098765432\r\n"));
  const ChildResult run =
      runChild(cliProgram(), {"--reset-number", "book.vcf"}, {book.directory().path(), {}});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("이? 연락처에서 오류가 나서 정리를 멈췄습니다: "), std::string::npos)
      << run.out;
  EXPECT_NE(run.err.find("잃은 문자가 든 값은 쓰지 않습니다"), std::string::npos) << run.err;
  const std::vector<vcard::ContactValues> contacts = contactsOf(book.now());
  EXPECT_EQ(valueOf(contacts[0], ContactProperty::MobileTelephoneNumber), "010-1234-5678");
  EXPECT_EQ(valueOf(contacts[1], ContactProperty::MobileTelephoneNumber), "?123-4567");
  EXPECT_EQ(valueOf(contacts[2], ContactProperty::MobileTelephoneNumber), "01098765432");
}

// ---------------------------------------------------------------------------
// A million cards.

#ifdef __SANITIZE_ADDRESS__
constexpr int kManyCards = 20000;  // each step is many times slower
#else
constexpr int kManyCards = 1000000;
#endif

TEST(HostileFile, AMillionEmptyCardsAreReadAndLeftAsTheyAre) {
  std::string bytes;
  const std::string empty = card30("");
  bytes.reserve(empty.size() * kManyCards);
  for (int i = 0; i < kManyCards; ++i)
    bytes += empty;
  const Book book(std::move(bytes));
  const ChildResult run = book.runEveryPass();
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(std::to_string(kManyCards) + " 개의 연락처를 읽었습니다\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("완료하였습니다!"), std::string::npos);
  // Nothing to change: not a byte, and no copy of the file.
  EXPECT_EQ(book.now(), book.original());
  EXPECT_EQ(book.files(), Strings{"book.vcf"});
}

// ---------------------------------------------------------------------------
// A file the user may not change, and one another program changes.

TEST(HostileFile, AReadOnlyFileStopsTheRunAndStaysAsItWas) {
  const Book book(card30("N:;김철수;;;\r\nTEL;TYPE=CELL:01012345678\r\n"));
  ASSERT_EQ(::chmod(book.path().c_str(), 0444), 0);
  const ChildResult run = book.runEveryPass();
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("김철수 연락처에서 오류가 나서 정리를 멈췄습니다: "), std::string::npos)
      << run.out;
  EXPECT_NE(run.err.find("읽기 전용"), std::string::npos) << run.err;
  EXPECT_EQ(book.now(), book.original());
  EXPECT_EQ(book.files(), Strings{"book.vcf"});
}

#ifdef __SANITIZE_ADDRESS__
constexpr int kHeldContacts = 500;
#else
constexpr int kHeldContacts = 3000;
#endif

TEST(HostileFile, AFileAnotherProgramChangesKeepsThatChange) {
  const Book book(generatedBook(kHeldContacts, 9));
  Child cli(cliProgram(), firstPasses(passOptions().size(), "book.vcf"),
            {book.directory().path(), {}});
  // Once the run has saved, another program adds a contact to the file.
  const std::filesystem::path journal = vcard::journalPath(book.path());
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  while (!std::filesystem::exists(journal) && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  ASSERT_TRUE(std::filesystem::exists(journal)) << "the run never saved";
  const std::string added = card30("FN:다른 프로그램\r\n");
  {
    std::ofstream out(book.path(), std::ios::binary | std::ios::app);
    out << added;
  }
  const ChildResult run = cli.wait();
  EXPECT_EQ(run.status, 1);
  // The other program's file stays as it made it.
  EXPECT_EQ(book.now(), book.original() + added);
  // This run's saves are beside it, and the user is told where.
  const std::filesystem::path unsaved = vcard::unsavedPath(book.path());
  EXPECT_NE(run.err.find("다른 프로그램이 바꾸었습니다"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(unsaved.filename().string()), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("written into it by the next run"), std::string::npos) << run.err;
  ASSERT_TRUE(std::filesystem::exists(unsaved));
  ScratchDirectory work;
  const RunReference reference = referenceRuns(book.original(), work.path());
  EXPECT_TRUE(cutPointOf(readBytes(unsaved), reference.states).has_value());
  // The next run works on the file as the other program left it.
  const ChildResult next =
      runChild(cliProgram(), {"--reset-number", "book.vcf"}, {book.directory().path(), {}});
  EXPECT_EQ(next.status, 0) << next.err;
  EXPECT_EQ(count(book.now(), "FN:다른 프로그램"), 1u);
}

}  // namespace
}  // namespace borvanta::testing_support
