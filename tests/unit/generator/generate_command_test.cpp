// borvanta-generate run as a user runs it: its output is the library's book,
// and wrong arguments are refused with the usage status.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/named_rows.h"
#include "tools/generator/address_book.h"

namespace borvanta::generator {
namespace {

struct CommandRun {
  std::string out;
  int status = -1;
};

CommandRun runGenerate(const std::string& arguments) {
  const std::string command = std::string(BORVANTA_GENERATE) + " " + arguments + " 2>/dev/null";
  CommandRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(GenerateCommand, WritesTheBookOfItsOptions) {
  const CommandRun run = runGenerate("--contacts 25 --seed 9 --version 3.0");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, generateAddressBook(
                         {.contacts = 25, .seed = 9, .version = FileVersion::V30, .lists = {}}));
}

TEST(GenerateCommand, DefaultsToSeedOneMixedAndTakesAListCount) {
  const CommandRun run = runGenerate("--lists 1 --contacts 12");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, generateAddressBook(
                         {.contacts = 12, .seed = 1, .version = FileVersion::Mixed, .lists = 1}));
}

struct UsageCase {
  const char* name;
  const char* arguments;
};

class GenerateCommandRefuses : public testing::TestWithParam<UsageCase> {};

TEST_P(GenerateCommandRefuses, WithUsageStatusAndNoOutput) {
  const CommandRun run = runGenerate(GetParam().arguments);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Table, GenerateCommandRefuses,
                         testing::Values(UsageCase{"NoContacts", "--seed 3"},
                                         UsageCase{"ContactsNotANumber", "--contacts ten"},
                                         UsageCase{"NegativeContacts", "--contacts -5"},
                                         UsageCase{"MissingValue", "--contacts"},
                                         UsageCase{"UnknownVersion", "--contacts 5 --version 4.0"},
                                         UsageCase{"UnknownOption", "--contacts 5 --colour blue"}),
                         testing_support::RowName());

}  // namespace
}  // namespace borvanta::generator
