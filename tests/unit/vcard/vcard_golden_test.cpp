// Whole runs over files in the shapes real programs write: every pass on
// gives exactly the expected file; every pass off leaves every byte; a dry
// run leaves the file and names exactly the contacts the run would change;
// the file reads back as the run left its records.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/vcard/document.h"
#include "core/cp949.h"
#include "tests/support/named_rows.h"
#include "tests/unit/vcard/vcard_harness.h"
#include "tests/unit/vcard/vcard_test_files.h"

namespace borvanta::vcard {
namespace {

using om::ContactProperty;
using testing_support::RowName;
using vcardtest::fixture;
using vcardtest::readFile;
using vcardtest::TempDir;
using vcardtest::VcardHarness;

struct GoldenRow {
  const char* name;
  const char* file;  // under tests/data/vcard, without ".vcf"
};

class Golden : public ::testing::TestWithParam<GoldenRow> {
 protected:
  Golden() {
    input = readFile(fixture(std::string(GetParam().file) + ".vcf"));
    std::filesystem::copy_file(fixture(std::string(GetParam().file) + ".vcf"), file);
  }

  RuntimeOptions options(bool dryRun = false) {
    RuntimeOptions o;
    o.defaultFile = file;
    o.dryRun = dryRun;
    return o;
  }

  std::string expected() {
    return readFile(fixture(std::string(GetParam().file) + ".expected.vcf"));
  }

  TempDir dir;
  std::filesystem::path file = dir / "contacts.vcf";
  std::string input;
};

TEST_P(Golden, EveryPassOnWritesExactlyTheExpectedFile) {
  {
    VcardHarness h(options());
    ASSERT_EQ(h.run(), RunOutcome::Completed)
        << (h.owner.boxes.empty() ? "" : h.owner.boxes[0].text);
    EXPECT_TRUE(h.runtime->flush().ok());
  }
  const std::string actual = readFile(file);
  EXPECT_EQ(vcardtest::firstDifference(expected(), actual), "");
  EXPECT_EQ(readFile(vcardtest::besidesName(file, ".borvanta.bak")), input);
}

TEST_P(Golden, EveryPassOffLeavesEveryByte) {
  {
    VcardHarness h(options(), PageSettings{});
    ASSERT_EQ(h.run(), RunOutcome::Completed);
    EXPECT_TRUE(h.runtime->flush().ok());
  }
  EXPECT_EQ(vcardtest::firstDifference(input, readFile(file)), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_P(Golden, ADryRunNamesExactlyTheContactsTheRunChanges) {
  std::vector<ContactChanges> changes;
  {
    VcardHarness h(options(true));
    ASSERT_EQ(h.run(), RunOutcome::Completed);
    changes = h.runtime->dryRunChanges();
  }
  EXPECT_EQ(readFile(file), input);
  const std::string after = expected();
  const std::vector<CardLocation> before = locateCards(input);
  const std::vector<CardLocation> changed = locateCards(after);
  ASSERT_EQ(before.size(), changed.size());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < before.size(); ++i)
    differing += before[i].raw.of(input) != changed[i].raw.of(after) ? 1 : 0;
  EXPECT_EQ(changes.size(), differing);
  for (const ContactChanges& contact : changes)
    EXPECT_FALSE(contact.changes.empty()) << contact.label;
}

TEST_P(Golden, TheFileReadsBackAsTheRunLeftItsRecords) {
  VcardHarness h(options());
  ASSERT_EQ(h.run(), RunOutcome::Completed);
  ASSERT_TRUE(h.runtime->flush().ok());
  std::vector<ContactRecord> records;
  for (ContactRecord* record = h.list.startWalk(); record != nullptr; record = h.list.advance())
    records.push_back(*record);
  h.shutDown();

  VcardHarness again(options(), PageSettings{});
  ASSERT_EQ(again.run(), RunOutcome::Completed);
  ASSERT_EQ(again.list.count(), static_cast<std::int32_t>(records.size()));
  std::size_t i = 0;
  for (ContactRecord* record = again.list.startWalk(); record != nullptr;
       record = again.list.advance(), ++i) {
    // The fields the passes keep in step with what they write (the display
    // name pass writes File As without keeping it).
    for (ContactField field :
         {ContactField::FirstName, ContactField::LastName, ContactField::MobilePhone,
          ContactField::HomePhone, ContactField::BusinessPhone, ContactField::BusinessFax}) {
      EXPECT_EQ(cp949ToUtf8(record->field(field)), cp949ToUtf8(records[i].field(field)))
          << "contact " << i << " field " << static_cast<int>(field);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, Golden,
    ::testing::Values(GoldenRow{"Outlook21KsC5601QuotedPrintable", "outlook21_korean"},
                      GoldenRow{"Gmail30Groups", "google30_groups"},
                      GoldenRow{"Iphone30", "iphone30"},
                      GoldenRow{"Android21QuotedPrintableUtf8", "android21_qp_utf8"},
                      GoldenRow{"Thunderbird30LineFeeds", "thunderbird30"},
                      GoldenRow{"Evolution30FileAs", "evolution30"},
                      GoldenRow{"Vcard40TelUrisWithBom", "vcard40_tel_uri"}),
    RowName());

}  // namespace
}  // namespace borvanta::vcard
