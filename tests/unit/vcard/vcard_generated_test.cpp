// Runs over generated address books in every shape the generator knows:
// every pass off leaves every byte; every pass on rewrites only the lines of
// the properties a run writes (N, FN, TEL, X-EVOLUTION-FILE-AS) and leaves
// every other line, and every byte between cards, as it was.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/vcard/card_parser.h"
#include "backends/vcard/document.h"
#include "tests/support/named_rows.h"
#include "tests/unit/vcard/vcard_harness.h"
#include "tests/unit/vcard/vcard_test_files.h"
#include "tools/generator/address_book.h"

namespace borvanta::vcard {
namespace {

using testing_support::RowName;
using vcardtest::readFile;
using vcardtest::TempDir;
using vcardtest::VcardHarness;

struct BookRow {
  const char* name;
  generator::FileVersion version;
  std::uint64_t seed;
};

class GeneratedBook : public ::testing::TestWithParam<BookRow> {
 protected:
  GeneratedBook() {
    generator::GeneratorOptions options;
    options.contacts = 1500;
    options.seed = GetParam().seed;
    options.version = GetParam().version;
    input = generator::generateAddressBook(options);
    vcardtest::writeFile(file, input);
  }

  RuntimeOptions options() {
    RuntimeOptions o;
    o.defaultFile = file;
    o.syncEverySave = false;
    return o;
  }

  TempDir dir;
  std::filesystem::path file = dir / "contacts.vcf";
  std::string input;
};

// The lines of a card no run writes, each as its exact bytes, in order.
std::vector<std::string> linesNoRunWrites(std::string_view cardText) {
  static constexpr std::string_view written[] = {"N", "FN", "TEL", "X-EVOLUTION-FILE-AS"};
  std::vector<std::string> kept;
  for (const ContentLine& line : parseCard(cardText, 1).lines) {
    bool isWritten = false;
    for (std::string_view name : written)
      isWritten = isWritten || (line.isOwn() && line.name == name);
    if (!isWritten) kept.emplace_back(line.raw.of(cardText));
  }
  return kept;
}

TEST_P(GeneratedBook, EveryPassOffLeavesEveryByte) {
  {
    VcardHarness h(options(), PageSettings{});
    ASSERT_EQ(h.run(), RunOutcome::Completed);
  }
  EXPECT_EQ(vcardtest::firstDifference(input, readFile(file)), "");
}

TEST_P(GeneratedBook, EveryPassOnRewritesOnlyTheLinesItWrites) {
  {
    VcardHarness h(options());
    ASSERT_EQ(h.run(), RunOutcome::Completed)
        << (h.owner.boxes.empty() ? "" : h.owner.boxes[0].text);
  }
  const std::string output = readFile(file);
  const std::vector<CardLocation> before = locateCards(input);
  std::vector<CardLocation> after;
  ASSERT_NO_THROW(after = locateCards(output));
  ASSERT_EQ(after.size(), before.size());
  std::size_t changed = 0;
  std::size_t inputAt = 0;
  std::size_t outputAt = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    ASSERT_EQ(output.substr(outputAt, after[i].raw.begin - outputAt),
              input.substr(inputAt, before[i].raw.begin - inputAt))
        << "before card " << i;
    const std::string_view was = before[i].raw.of(input);
    const std::string_view is = after[i].raw.of(output);
    changed += was != is ? 1 : 0;
    EXPECT_EQ(linesNoRunWrites(is), linesNoRunWrites(was)) << "card " << i << ":\n" << is;
    inputAt = before[i].raw.end;
    outputAt = after[i].raw.end;
  }
  EXPECT_EQ(output.substr(outputAt), input.substr(inputAt));
  EXPECT_GT(changed, before.size() / 2);  // the run did change most contacts
}

INSTANTIATE_TEST_SUITE_P(Books, GeneratedBook,
                         ::testing::Values(BookRow{"Mixed", generator::FileVersion::Mixed, 1},
                                           BookRow{"Outlook21", generator::FileVersion::V21, 2},
                                           BookRow{"Version30", generator::FileVersion::V30, 3}),
                         RowName());

}  // namespace
}  // namespace borvanta::vcard
