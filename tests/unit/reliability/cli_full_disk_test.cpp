// borvanta-cli on a disk that fills up: while the run saves its contacts,
// and while the saves are folded into the file at its end. Each time the user
// reads a clear error, the file stays exactly as it was, and once there is
// room again the next run brings in every save that was made.
//
// The disk is a small tmpfs mounted for the test when the test may mount one
// (as root); otherwise the same runs meet a limit on the size of the files
// the program may write, which fails its writes the same way.

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>

#include "backends/vcard/address_book.h"
#include "tests/support/named_rows.h"
#include "tests/unit/reliability/cli_runs.h"

namespace borvanta::testing_support {
namespace {

constexpr int kContacts = 300;
constexpr std::size_t kPage = 4096;

std::size_t pages(std::size_t bytes) {
  return (bytes + kPage - 1) / kPage;
}

// A directory whose disk holds a chosen number of bytes.
class SmallDisk {
 public:
  SmallDisk() : directory_(base_ / "disk") { std::filesystem::create_directory(directory_); }
  ~SmallDisk() {
    if (mounted_) ::umount2(directory_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  // Mounts a tmpfs of `bytes` there; false (with the reason) when this
  // process may not mount.
  bool mount(std::size_t bytes, std::string& why) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", directory_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
      why = std::strerror(errno);
      return false;
    }
    mounted_ = true;
    return true;
  }
  // Gives the mounted disk `bytes` of room.
  void grow(std::size_t bytes) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    ASSERT_EQ(::mount("tmpfs", directory_.c_str(), "tmpfs", MS_REMOUNT, options.c_str()), 0)
        << std::strerror(errno);
  }

  [[nodiscard]] const std::filesystem::path& path() const { return directory_; }

 private:
  ScratchDirectory base_;
  std::filesystem::path directory_;
  bool mounted_ = false;
};

enum class Limit { Tmpfs, FileSize };

struct FullDiskRow {
  const char* name;
  Limit limit;
};

class FullDisk : public ::testing::TestWithParam<FullDiskRow> {
 protected:
  void SetUp() override { original_ = generatedBook(kContacts, 5); }

  // Makes the disk hold `diskBytes`, or each file `fileBytes`: the reason
  // when it cannot.
  std::optional<std::string> limitTheDisk(std::size_t diskBytes, std::size_t fileBytes) {
    if (GetParam().limit == Limit::FileSize) {
      fileSizeLimit_ = fileBytes;
      return std::nullopt;
    }
    std::string why;
    if (!disk_.mount(diskBytes, why)) return "cannot mount a tmpfs here: " + why;
    return std::nullopt;
  }

  // Runs `passes` over the book on the full disk.
  ChildResult runOnFullDisk(const std::vector<std::string>& passes) {
    writeBytes(book(), original_);
    std::vector<std::string> arguments = passes;
    arguments.push_back("book.vcf");
    const ChildResult run = runChild(cliProgram(), arguments, {disk_.path(), fileSizeLimit_});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(disk_.path() / "book.vcf.borvanta-tmp"));
    journal_ = vcard::readJournal(vcard::journalPath(book()));
    return run;
  }

  // What a full disk that kept the changes from the file must leave: the
  // file exactly as it was, the saves in the journal beside it, and a
  // message that says so.
  void expectTheFileKeptAsItWas(const ChildResult& run) {
    EXPECT_EQ(readBytes(book()), original_) << "the file changed";
    EXPECT_TRUE(journal_.has_value());
    EXPECT_NE(run.err.find("they are kept beside the file and written into it by the next run"),
              std::string::npos)
        << run.err;
  }

  // Room again: the next run, with no pass, brings every waiting save in.
  void expectNextRunBringsTheSavesIn(const RunStates& states) {
    if (GetParam().limit == Limit::Tmpfs) disk_.grow(16 * original_.size());
    const std::string before = readBytes(book());
    const ChildResult next = runChild(cliProgram(), {"book.vcf"}, {disk_.path(), {}});
    ASSERT_EQ(next.status, 0) << next.err;
    const std::string recovered = readBytes(book());
    EXPECT_EQ(recovered, journal_ ? withJournal(CardCut(before), *journal_) : before);
    EXPECT_TRUE(cutPointOf(recovered, states).has_value()) << "the file is no state of the run";
    EXPECT_EQ(readBytes(vcard::backupPath(book())), original_);
  }

  [[nodiscard]] std::filesystem::path book() const { return disk_.path() / "book.vcf"; }
  [[nodiscard]] std::size_t fileSize() const { return original_.size(); }

  ScratchDirectory work_;
  std::string original_;
  SmallDisk disk_;
  std::optional<std::uint64_t> fileSizeLimit_;
  std::optional<vcard::JournalContents> journal_;
};

bool mentionsFullDisk(const std::string& text) {
  // The reason as the C library gives it for ENOSPC (tmpfs) or EFBIG (limit).
  return text.find("디스크에 남은 공간이 없습니다") != std::string::npos ||
         text.find("파일이 너무 큽니다") != std::string::npos;
}

TEST_P(FullDisk, WhileSavingStopsTheRunAtAContact) {
  const RunReference reference = referenceRuns(original_, work_.path());
  // Room for the file and its copy as it was, and a few saves.
  const std::size_t disk = (2 * pages(fileSize()) + 2) * kPage;
  if (auto cannot = limitTheDisk(disk, fileSize() + 2 * kPage)) GTEST_SKIP() << *cannot;
  const ChildResult run = runOnFullDisk(passOptions());
  // The run stopped at a contact, with the reason, and did not finish.
  EXPECT_NE(run.out.find("연락처에서 오류가 나서 정리를 멈췄습니다: "), std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("완료하였습니다!"), std::string::npos) << run.out;
  EXPECT_TRUE(mentionsFullDisk(run.err)) << run.err;
  if (GetParam().limit == Limit::Tmpfs) {
    // The disk is full for the new file too.
    expectTheFileKeptAsItWas(run);
    ASSERT_TRUE(journal_.has_value());
    EXPECT_FALSE(journal_->records.empty());
  } else {
    // Only the journal outgrew the limit: what was saved before it reached
    // the file, whole.
    EXPECT_FALSE(journal_.has_value());
    EXPECT_NE(readBytes(book()), original_);
  }
  expectNextRunBringsTheSavesIn(reference.states);
}

TEST_P(FullDisk, WhileFoldingFinishesTheRunAndKeepsTheFile) {
  const std::vector<std::string> passes = {"--reset-number"};
  const RunReference reference = referenceRuns(original_, work_.path(), passes);
  const std::size_t journal = journalSizeBeforeFold(reference.states);
  const std::size_t rewritten = reference.states.back().text().size();
  // Room for the file, its copy as it was and every save; not for the new
  // file beside it. Under a file-size limit: the journal fits, the new file
  // does not.
  const std::size_t disk = (2 * pages(fileSize()) + pages(journal) + pages(rewritten) - 1) * kPage;
  const std::size_t limit = std::max(fileSize(), journal) + 1;
  ASSERT_GT(rewritten, limit) << "the new file must be the largest";
  if (auto cannot = limitTheDisk(disk, limit)) GTEST_SKIP() << *cannot;
  const ChildResult run = runOnFullDisk(passes);
  EXPECT_NE(run.out.find("완료하였습니다!"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("the changes could not be written into book.vcf: "), std::string::npos)
      << run.err;
  EXPECT_TRUE(mentionsFullDisk(run.err)) << run.err;
  expectTheFileKeptAsItWas(run);
  expectNextRunBringsTheSavesIn(reference.states);
  EXPECT_EQ(readBytes(book()), reference.states.back().text());
}

INSTANTIATE_TEST_SUITE_P(CliRun, FullDisk,
                         ::testing::Values(FullDiskRow{"Tmpfs", Limit::Tmpfs},
                                           FullDiskRow{"FileSizeLimit", Limit::FileSize}),
                         RowName());

}  // namespace
}  // namespace borvanta::testing_support
