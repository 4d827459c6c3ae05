#include "bench/vcard_benchmarks.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "backends/vcard/address_book.h"
#include "backends/vcard/book_content.h"
#include "backends/vcard/card_editor.h"
#include "backends/vcard/journal.h"
#include "bench/register_over_values.h"
#include "core/cp949.h"
#include "job/phone_number.h"
#include "tools/generator/address_book.h"

namespace borvanta::bench {

using om::ContactProperty;
using vcard::PropertyWrite;

// A folder of its own, on a memory file system when there is one, so that
// the figures are the program's work and not the disk's.
class VcardBenchFiles {
 public:
  VcardBenchFiles() {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "borvanta-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
  }
  ~VcardBenchFiles() {
    // The book folds its saves in and lets go of its files first.
    book.reset();
    journal.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  VcardBenchFiles(const VcardBenchFiles&) = delete;
  VcardBenchFiles& operator=(const VcardBenchFiles&) = delete;

  [[nodiscard]] std::filesystem::path operator/(std::string_view name) const {
    return folder_ / name;
  }

  Ref<vcard::AddressBook> book;
  std::optional<vcard::JournalWriter> journal;

 private:
  std::filesystem::path folder_;
};

namespace {

constexpr std::size_t kCardsPerBook = 100;

// One card and what a pass writes into it.
struct CardEdit {
  std::size_t card = 0;
  std::string text;
  std::vector<PropertyWrite> writes;
};

constexpr ContactProperty kTelephones[] = {
    ContactProperty::MobileTelephoneNumber,
    ContactProperty::HomeTelephoneNumber,
    ContactProperty::BusinessFaxNumber,
    ContactProperty::BusinessTelephoneNumber,
};

std::vector<std::string> generatedCards(std::size_t contacts) {
  generator::GeneratorOptions options;
  options.contacts = contacts;
  options.lists = 0;
  std::vector<std::string> cards;
  generator::writeAddressBook(options, [&](std::string_view card) { cards.emplace_back(card); });
  return cards;
}

std::string valueOf(const vcard::ContactValues& values, ContactProperty property) {
  return values[vcard::indexOf(property)];
}

// The telephone pass's writes: the four numbers as the card holds them
// (`normalise` false) or hyphenated.
std::vector<PropertyWrite> telephoneWrites(const vcard::ContactValues& values, bool normalise) {
  std::vector<PropertyWrite> writes;
  for (ContactProperty property : kTelephones) {
    std::string number = valueOf(values, property);
    if (normalise) number = cp949ToUtf8(normalizePhoneNumber(utf8ToCp949(number).text));
    writes.push_back({property, std::move(number)});
  }
  return writes;
}

// The display-name pass's write: File As from the full name and company.
std::vector<PropertyWrite> fileAsWrites(const vcard::ContactValues& values,
                                        std::string_view suffix) {
  std::string fileAs = valueOf(values, ContactProperty::FullName);
  const std::string company = valueOf(values, ContactProperty::CompanyName);
  if (!company.empty()) fileAs += " (" + company + ")";
  fileAs += suffix;
  return {{ContactProperty::FileAs, std::move(fileAs)}};
}

template <class MakeWrites>
std::vector<CardEdit> editsOf(const std::vector<std::string>& cards, MakeWrites makeWrites) {
  vcard::CharsetCodec codec;
  std::vector<CardEdit> edits;
  for (std::size_t i = 0; i < cards.size(); ++i) {
    const vcard::ContactValues values = vcard::checkCard(cards[i], 1, codec).values;
    edits.push_back({i, cards[i], makeWrites(values)});
  }
  return edits;
}

void registerReading(const std::vector<std::string>& cards) {
  auto codec = std::make_shared<vcard::CharsetCodec>();
  registerOverValues("vcard/readCard", cards, [codec](const std::string& text) {
    return vcard::checkCard(text, 1, *codec).values[0].size();
  });
  std::vector<std::string> books;
  for (std::size_t first = 0; first + kCardsPerBook <= cards.size(); first += kCardsPerBook) {
    std::string book;
    for (std::size_t i = first; i < first + kCardsPerBook; ++i)
      book += cards[i];
    books.push_back(std::move(book));
  }
  registerOverValues(
      "vcard/readBook (per contact)", books,
      [](const std::string& text) { return vcard::BookContent(text).cardCount(); },
      OverValues{kCardsPerBook});
}

void registerEditing(const std::vector<std::string>& cards) {
  auto codec = std::make_shared<vcard::CharsetCodec>();
  auto edit = [codec](const CardEdit& e) { return vcard::editCard(e.text, 1, e.writes, *codec); };
  registerOverValues("vcard/editCard/telephones unchanged",
                     editsOf(cards, [](const auto& v) { return telephoneWrites(v, false); }), edit);
  registerOverValues("vcard/editCard/telephones hyphenated",
                     editsOf(cards, [](const auto& v) { return telephoneWrites(v, true); }), edit);
  registerOverValues("vcard/editCard/file as",
                     editsOf(cards, [](const auto& v) { return fileAsWrites(v, ""); }), edit);
}

void registerSaving(const std::vector<std::string>& cards, VcardBenchFiles& files) {
  files.journal.emplace(
      vcard::JournalWriter::create(files / "journal", vcard::stampOf("the benchmark's book")));
  registerOverValues("vcard/appendJournal", cards, [&files](const std::string& text) {
    files.journal->appendCard(0, text, false);
    return text.size();
  });

  std::string book;
  for (const std::string& card : cards)
    book += card;
  const std::filesystem::path file = files / "contacts.vcf";
  std::ofstream(file, std::ios::binary)
      .write(book.data(), static_cast<std::streamsize>(book.size()));
  files.book = vcard::AddressBook::open(file, vcard::BookOptions{false, false});
  // Every save changes its card: File As goes back and forth between two
  // texts, one round over the cards for each.
  std::vector<CardEdit> saves = editsOf(cards, [](const auto& v) { return fileAsWrites(v, ""); });
  const std::vector<CardEdit> back =
      editsOf(cards, [](const auto& v) { return fileAsWrites(v, " 2"); });
  saves.insert(saves.end(), back.begin(), back.end());
  registerOverValues("vcard/saveCard (edit and journal)", std::move(saves),
                     [&files](const CardEdit& e) {
                       return static_cast<std::size_t>(files.book->save(e.card, e.writes));
                     });
}

}  // namespace

std::shared_ptr<VcardBenchFiles> registerVcardBenchmarks(std::size_t contacts) {
  auto files = std::make_shared<VcardBenchFiles>();
  const std::vector<std::string> cards = generatedCards(contacts);
  registerReading(cards);
  registerEditing(cards);
  registerSaving(cards, *files);
  return files;
}

}  // namespace borvanta::bench
