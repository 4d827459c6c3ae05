// The bundled sample: read whole, every pass finds work in it, the list is
// passed over, and the contact code page 949 cannot hold keeps its name.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/unit/vcard/vcard_harness.h"
#include "tests/unit/vcard/vcard_test_files.h"

namespace borvanta::vcard {
namespace {

using vcardtest::readFile;

std::size_t linesStartingWith(const std::vector<std::string>& log, std::string_view start) {
  return static_cast<std::size_t>(std::count_if(
      log.begin(), log.end(), [&](const std::string& line) { return line.rfind(start, 0) == 0; }));
}

TEST(Sample, EveryPassFindsWorkAndNothingIsLost) {
  vcardtest::TempDir dir;
  const std::filesystem::path file = dir / "contacts.vcf";
  std::filesystem::copy_file(vcardtest::sourceDir() / "samples/contacts.vcf", file);
  const std::string before = readFile(file);
  std::vector<std::string> log;
  {
    RuntimeOptions options;
    options.defaultFile = file;
    vcardtest::VcardHarness h(options);
    ASSERT_EQ(h.run(), RunOutcome::Completed);
    EXPECT_EQ(h.list.count(), 59);
    log = h.log();
  }
  EXPECT_GT(linesStartingWith(log, "갱신 ("), 30u);   // names split
  EXPECT_GT(linesStartingWith(log, "냅둠 ("), 5u);    // words of address, Latin names
  EXPECT_GE(linesStartingWith(log, "건너뜀 ("), 1u);  // the name code page 949 cannot hold
  const std::string after = readFile(file);
  EXPECT_NE(after, before);
  EXPECT_EQ(readFile(vcardtest::besidesName(file, ".borvanta.bak")), before);
  for (const char* kept :
       {"FN:Nguyễn Thị Lan\r\n", "N:Nguyễn;Thị Lan;;;\r\n", "TITLE:Đầu bếp 👩‍🍳\r\n",
        "X-ADDRESSBOOKSERVER-KIND:group\r\n"}) {
    EXPECT_NE(after.find(kept), std::string::npos) << kept;
  }
  EXPECT_EQ(after.find('?'), std::string::npos);
}

}  // namespace
}  // namespace borvanta::vcard
