// borvanta-cli run as a user runs it: the built program on copies of small
// vCard files in a temporary directory, with its output, its exit status and
// the files it leaves behind checked.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

using testing_support::ChildResult;
using testing_support::readBytes;
using testing_support::ScratchDirectory;
using Names = std::vector<std::string>;
using Args = std::vector<std::string>;

const std::filesystem::path kProgram = BORVANTA_CLI_PROGRAM;
const std::filesystem::path kData = BORVANTA_CLI_DATA;

// A temporary directory holding a copy of one fixture as book.vcf.
class Workspace {
 public:
  explicit Workspace(const std::string& fixture) : original_(readBytes(kData / fixture)) {
    std::filesystem::copy_file(kData / fixture, book());
  }

  ChildResult run(const Args& arguments, std::optional<std::uint64_t> fileSizeLimit = {}) const {
    return testing_support::runChild(kProgram, arguments, {directory_.path(), fileSizeLimit});
  }

  [[nodiscard]] std::filesystem::path book() const { return directory_.path() / "book.vcf"; }
  [[nodiscard]] std::string bookBytes() const { return readBytes(book()); }
  [[nodiscard]] const std::string& original() const { return original_; }
  [[nodiscard]] Names files() const { return directory_.fileNames(); }

 private:
  ScratchDirectory directory_;
  std::string original_;
};

std::string lines(const std::vector<std::string>& each) {
  std::string text;
  for (const std::string& line : each)
    text += line + "\n";
  return text;
}

const Args kEveryPass = {"--separate-name", "--reset-number", "--reset-national-number",
                         "--reset-full-name", "--reset-display-name=이름(회사명)"};

Args everyPassAnd(std::initializer_list<std::string> more) {
  Args arguments = kEveryPass;
  arguments.insert(arguments.end(), more);
  return arguments;
}

const std::string kSmallLog = lines({
    "3 개의 연락처를 읽기 시작합니다",
    "3 개의 연락처를 읽었습니다",
    "성, 이름 처리 시작",
    "갱신 (김철수 -> 김,철수)",
    "갱신 (남궁민수 -> 남궁,민수)",
    "냅둠 (SmithJohn)",
    "성, 이름 처리 완료",
    "전화번호 정리 시작",
    "전화번호 정리 완료",
    "국가 번호 지우기 시작",
    "국가 번호 지우기 완료",
    "전체 이름 변경 시작",
    "전체 이름 변경 완료",
    "표시 이름 변경 시작",
    "표시 이름 변경 완료",
    "완료하였습니다!",
});

TEST(BorvantaCli, EveryPassRewritesTheFileAndPrintsTheLog) {
  const Workspace w("small.vcf");
  const ChildResult r = w.run(everyPassAnd({"book.vcf"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, kSmallLog);
  EXPECT_EQ(w.bookBytes(), readBytes(kData / "small.expected.vcf"));
  // The file as it was stays beside it; nothing else is left behind.
  EXPECT_EQ(w.files(), (Names{"book.vcf", "book.vcf.borvanta.bak"}));
  EXPECT_EQ(readBytes(w.book().string() + ".borvanta.bak"), w.original());
}

TEST(BorvantaCli, DryRunPrintsEveryChangeAndLeavesTheFileByteForByte) {
  const Workspace w("small.vcf");
  const ChildResult r = w.run(everyPassAnd({"--dry-run", "book.vcf"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, kSmallLog + "\n" +
                       lines({
                           "Dry run: 3 contacts would change; nothing was written to book.vcf",
                           "김철수",
                           "  FirstName: \"김철수\" -> \"철수\"",
                           "  LastName: \"\" -> \"김\"",
                           "  FileAs: \"\" -> \"김철수(한빛소프트)\"",
                           "  BusinessTelephoneNumber: \"+82-31-123-4567\" -> \"0311234567\"",
                           "  MobileTelephoneNumber: \"01012345678\" -> \"010-1234-5678\"",
                           "  HomeTelephoneNumber: \"0212345678\" -> \"02-1234-5678\"",
                           "남궁민수",
                           "  FirstName: \"남궁민수\" -> \"민수\"",
                           "  LastName: \"\" -> \"남궁\"",
                           "  FileAs: \"\" -> \"남궁민수\"",
                           "  BusinessFaxNumber: \"+44 20 7946 0018\" -> \"0 20 7946 0018\"",
                           "John Smith",
                           "  FileAs: \"\" -> \"SmithJohn(Acme)\"",
                           "  FullName: \"John Smith\" -> \"SmithJohn\"",
                       }));
  EXPECT_EQ(w.bookBytes(), w.original());
  EXPECT_EQ(w.files(), (Names{"book.vcf"}));
}

TEST(BorvantaCli, ContactNamedWithMarkupIsPrintedAsThoseCharacters) {
  const Workspace w("markup.vcf");
  const ChildResult r = w.run({"--separate-name", "--reset-number", "--dry-run", "book.vcf"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            lines({"1 개의 연락처를 읽기 시작합니다", "1 개의 연락처를 읽었습니다",
                   "성, 이름 처리 시작", "냅둠 (<b>x</b>)", "성, 이름 처리 완료",
                   "전화번호 정리 시작", "전화번호 정리 완료", "완료하였습니다!", "",
                   "Dry run: 1 contact would change; nothing was written to book.vcf", "<b>x</b>",
                   "  MobileTelephoneNumber: \"01012345678\" -> \"010-1234-5678\""}));
}

struct RefusedCase {
  const char* name;
  const char* option;
  const char* message;
};

class RefusedOptions : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedOptions, ExitWithTheReasonAndTouchNothing) {
  const Workspace w("small.vcf");
  const ChildResult r = w.run({"--reset-number", GetParam().option, "book.vcf"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, std::string("borvanta-cli: ") + GetParam().message + "\n");
  EXPECT_EQ(w.bookBytes(), w.original());
  EXPECT_EQ(w.files(), (Names{"book.vcf"}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedOptions,
    testing::Values(
        RefusedCase{"BlankTemplate", "--reset-display-name=  ",
                    "표시 이름 형식이 비어 있습니다. 형식을 고르거나 입력하세요."},
        RefusedCase{"EmptyTemplate", "--reset-display-name=",
                    "표시 이름 형식이 비어 있습니다. 형식을 고르거나 입력하세요."},
        RefusedCase{"TemplateOutsideTheKoreanCodePage", "--reset-display-name=이름 😀",
                    "표시 이름 형식에 한글 코드(CP949)로 나타낼 수 없는 문자가 있습니다. 형식을 "
                    "고쳐 주세요."}),
    testing_support::RowName());

TEST(BorvantaCli, MissingFileIsALoadFailureThatCreatesNothing) {
  const Workspace w("small.vcf");
  const ChildResult r = w.run(everyPassAnd({"missing.vcf"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  // One message, under the program's name, naming the file.
  EXPECT_EQ(r.err.rfind("borvanta-cli: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("missing.vcf"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_EQ(w.files(), (Names{"book.vcf"}));
}

TEST(BorvantaCli, FileThatIsNoVcardIsALoadFailureThatChangesNothing) {
  const Workspace w("not_vcard.vcf");
  const ChildResult r = w.run(everyPassAnd({"book.vcf"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("borvanta-cli: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("book.vcf"), std::string::npos) << r.err;
  EXPECT_EQ(w.bookBytes(), w.original());
  EXPECT_EQ(w.files(), (Names{"book.vcf"}));
}

struct UsageCase {
  const char* name;
  Args arguments;
  const char* message;
};

class UsageErrors : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, ExitWithStatusTwoAndTouchNothing) {
  const Workspace w("small.vcf");
  const ChildResult r = w.run(GetParam().arguments);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, std::string("borvanta-cli: ") + GetParam().message +
                       "\nTry 'borvanta-cli --help' for more information.\n");
  EXPECT_EQ(w.bookBytes(), w.original());
  EXPECT_EQ(w.files(), (Names{"book.vcf"}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, UsageErrors,
    testing::Values(UsageCase{"NoArguments", {}, "no FILE.vcf given"},
                    UsageCase{"UnknownOption",
                              {"--reset-everything", "book.vcf"},
                              "unknown option '--reset-everything'"},
                    UsageCase{"ValueOutOfRange",
                              {"--separate-type=4", "book.vcf"},
                              "invalid value '4' for --separate-type (expected 1, 2 or 3)"},
                    UsageCase{"ValueAsSeparateWord",
                              {"--name-type", "2", "book.vcf"},
                              "option '--name-type' needs a value: --name-type=N"},
                    UsageCase{"TwoFiles",
                              {"--reset-number", "book.vcf", "other.vcf"},
                              "only one FILE.vcf can be given, not 'book.vcf' and 'other.vcf'"}),
    testing_support::RowName());

TEST(BorvantaCli, HelpAndVersionGoToStandardOutput) {
  const Workspace w("small.vcf");
  const ChildResult help = w.run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("Usage: borvanta-cli [OPTIONS] FILE.vcf\n", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--reset-display-name=TEMPLATE"), std::string::npos);

  const ChildResult version = w.run({"--reset-number", "--version", "book.vcf"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_EQ(version.out, "borvanta-cli 1.0.0.1 (Borvanta 1.0 Beta)\n");
  EXPECT_EQ(w.bookBytes(), w.original());
}

TEST(BorvantaCli, ChangesThatCannotReachTheFileFailTheRunAndAreKeptForTheNext) {
  const Workspace w("padded.vcf");
  // The copy of the file as it was still fits under the limit, and so do the
  // saved changes; the rewritten file, two bytes longer, does not.
  const std::uint64_t limit = w.original().size() + 1;
  const ChildResult r = w.run({"--reset-number", "book.vcf"}, limit);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, lines({"2 개의 연락처를 읽기 시작합니다", "2 개의 연락처를 읽었습니다",
                          "전화번호 정리 시작", "전화번호 정리 완료", "완료하였습니다!"}));
  EXPECT_EQ(r.err.rfind("borvanta-cli: the changes could not be written into book.vcf: ", 0), 0u)
      << r.err;
  EXPECT_EQ(w.bookBytes(), w.original());

  // The next run, with no pass at all, brings the kept change in.
  const ChildResult next = w.run({"book.vcf"});
  EXPECT_EQ(next.status, 0) << next.err;
  std::string expected = w.original();
  const std::string number = "TEL;TYPE=CELL:01012345678";
  expected.replace(expected.find(number), number.size(), "TEL;TYPE=CELL:010-1234-5678");
  EXPECT_EQ(w.bookBytes(), expected);
}

TEST(BorvantaCli, StoreErrorStopsTheRunWithItsReason) {
  const Workspace w("small.vcf");
  // Room for the copy of the file as it was, not for every saved contact.
  const ChildResult r = w.run(everyPassAnd({"book.vcf"}), w.original().size() + 1);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.find("완료하였습니다!"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("연락처에서 오류가 나서 정리를 멈췄습니다: "), std::string::npos) << r.out;
  EXPECT_EQ(r.err.rfind("borvanta-cli: ", 0), 0u) << r.err;
}

}  // namespace
}  // namespace borvanta
