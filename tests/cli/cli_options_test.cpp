// The command line: what each option sets, what is refused as a usage error,
// and how the options reach the job through the in-memory page.

#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "job/cleanup_options.h"
#include "page/headless_message_loop.h"
#include "tests/support/named_rows.h"

namespace borvanta::cli {
namespace {

using Args = std::vector<std::string_view>;

CliOptions withFile(void (*change)(CliOptions&)) {
  CliOptions o;
  o.file = "book.vcf";
  change(o);
  return o;
}

struct ParseCase {
  const char* name;
  Args arguments;
  Command expected;
};

class Parse : public testing::TestWithParam<ParseCase> {};

TEST_P(Parse, GivesTheCommand) {
  EXPECT_EQ(parseArguments(GetParam().arguments), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, Parse,
    testing::Values(
        ParseCase{"FileAlone", {"book.vcf"}, withFile([](CliOptions&) {})},
        ParseCase{"EverySwitch",
                  {"--separate-name", "--reset-number", "--reset-national-number",
                   "--reset-full-name", "--dry-run", "book.vcf"},
                  withFile([](CliOptions& o) {
                    o.separateName = o.resetNumber = o.resetNationalNumber = true;
                    o.resetFullName = o.dryRun = true;
                  })},
        ParseCase{"FileBeforeOptions", {"book.vcf", "--reset-number"}, withFile([](CliOptions& o) {
                    o.resetNumber = true;
                  })},
        ParseCase{"SeparateTypeThree",
                  {"--separate-type=3", "book.vcf"},
                  withFile([](CliOptions& o) { o.separateType = 3; })},
        ParseCase{"NameTypeTwo", {"--name-type=2", "book.vcf"}, withFile([](CliOptions& o) {
                    o.nameType = 2;
                  })},
        ParseCase{"LaterValueWins",
                  {"--name-type=2", "--name-type=1", "book.vcf"},
                  withFile([](CliOptions&) {})},
        ParseCase{"DisplayNameTemplate",
                  {"--reset-display-name=이름 (회사명)", "book.vcf"},
                  withFile([](CliOptions& o) {
                    o.resetDisplayName = true;
                    o.displayNameTemplate = "이름 (회사명)";
                  })},
        // The template may itself hold "=", and a blank one is the job's to
        // refuse, as on the page.
        ParseCase{"TemplateWithEquals",
                  {"--reset-display-name=a=b", "book.vcf"},
                  withFile([](CliOptions& o) {
                    o.resetDisplayName = true;
                    o.displayNameTemplate = "a=b";
                  })},
        ParseCase{
            "BlankTemplate", {"--reset-display-name=  ", "book.vcf"}, withFile([](CliOptions& o) {
              o.resetDisplayName = true;
              o.displayNameTemplate = "  ";
            })},
        ParseCase{"DoubleDashEndsOptions",
                  {"--reset-number", "--", "--book.vcf"},
                  withFile([](CliOptions& o) {
                    o.resetNumber = true;
                    o.file = "--book.vcf";
                  })},
        ParseCase{"LoneDashIsAFile", {"-"}, withFile([](CliOptions& o) { o.file = "-"; })},
        ParseCase{
            "HelpWinsOverEverything", {"--bogus", "x.vcf", "--help", "--version"}, ShowHelp{}},
        ParseCase{"VersionWinsOverErrors", {"--name-type=9", "--version"}, ShowVersion{}},
        ParseCase{"HelpAfterDoubleDashIsAFile", {"--", "--help"}, withFile([](CliOptions& o) {
                    o.file = "--help";
                  })}),
    testing_support::RowName());

INSTANTIATE_TEST_SUITE_P(
    UsageErrors, Parse,
    testing::Values(
        ParseCase{"NoArguments", {}, UsageError{"no FILE.vcf given"}},
        ParseCase{"OptionsButNoFile", {"--reset-number"}, UsageError{"no FILE.vcf given"}},
        ParseCase{"TwoFiles",
                  {"a.vcf", "b.vcf"},
                  UsageError{"only one FILE.vcf can be given, not 'a.vcf' and 'b.vcf'"}},
        ParseCase{"EmptyFileName", {""}, UsageError{"the FILE.vcf name is empty"}},
        ParseCase{
            "UnknownOption", {"--reset-all", "a.vcf"}, UsageError{"unknown option '--reset-all'"}},
        ParseCase{"ShortOption", {"-h"}, UsageError{"unknown option '-h'"}},
        ParseCase{"PrefixOfAnOption", {"--reset", "a.vcf"}, UsageError{"unknown option '--reset'"}},
        ParseCase{"SwitchWithValue",
                  {"--dry-run=yes", "a.vcf"},
                  UsageError{"option '--dry-run' takes no value"}},
        ParseCase{"SeparateTypeWithoutValue",
                  {"--separate-type", "2", "a.vcf"},
                  UsageError{"option '--separate-type' needs a value: --separate-type=N"}},
        ParseCase{"SeparateTypeFour",
                  {"--separate-type=4", "a.vcf"},
                  UsageError{"invalid value '4' for --separate-type (expected 1, 2 or 3)"}},
        ParseCase{"SeparateTypeZero",
                  {"--separate-type=0", "a.vcf"},
                  UsageError{"invalid value '0' for --separate-type (expected 1, 2 or 3)"}},
        ParseCase{"NameTypeThree",
                  {"--name-type=3", "a.vcf"},
                  UsageError{"invalid value '3' for --name-type (expected 1 or 2)"}},
        ParseCase{"NameTypeWithTrailingText",
                  {"--name-type=1x", "a.vcf"},
                  UsageError{"invalid value '1x' for --name-type (expected 1 or 2)"}},
        ParseCase{"NameTypeEmpty",
                  {"--name-type=", "a.vcf"},
                  UsageError{"invalid value '' for --name-type (expected 1 or 2)"}},
        ParseCase{
            "DisplayNameWithoutTemplate",
            {"--reset-display-name", "a.vcf"},
            UsageError{
                "option '--reset-display-name' needs a value: --reset-display-name=TEMPLATE"}}),
    testing_support::RowName());

// The options as the job reads them from the page built for them.
CleanupOptions readBack(const CliOptions& options) {
  HeadlessMessageLoop loop;
  PageBridge page(loop);
  page.setDocument(makeContactSortDocument(pageSettings(options)));
  return readCleanupOptions(page);
}

TEST(PageSettingsFromOptions, DefaultsUseTheDefaultFolderAndNoPass) {
  const CleanupOptions o = readBack(withFile([](CliOptions&) {}));
  EXPECT_EQ(o.useDefaultContacts, 1);
  EXPECT_EQ(
      o.separateName + o.resetNumber + o.resetNationalNumber + o.resetFullName + o.resetDisplayName,
      0);
  EXPECT_EQ(o.nameType, 1);
  EXPECT_EQ((std::array{o.separateType1, o.separateType2, o.separateType3}), (std::array{1, 0, 0}));
}

TEST(PageSettingsFromOptions, EveryOptionReachesItsControl) {
  const CleanupOptions o = readBack(withFile([](CliOptions& c) {
    c.separateName = c.resetNumber = c.resetNationalNumber = c.resetFullName = true;
    c.separateType = 2;
    c.nameType = 2;
    c.resetDisplayName = true;
    c.displayNameTemplate = "회사명 이름 직급";
  }));
  EXPECT_EQ(o.useDefaultContacts, 1);
  EXPECT_EQ((std::array{o.separateName, o.resetNumber, o.resetNationalNumber, o.resetFullName,
                        o.resetDisplayName}),
            (std::array{1, 1, 1, 1, 1}));
  EXPECT_EQ((std::array{o.separateType1, o.separateType2, o.separateType3}), (std::array{0, 1, 0}));
  EXPECT_EQ(o.nameType, 2);
  EXPECT_EQ((std::array{o.displayNameType1, o.displayNameType2}), (std::array{0, 1}));
  EXPECT_EQ(o.displayNameTemplate, cp949("회사명 이름 직급"));
  EXPECT_EQ(chosenDisplayTemplate(o), cp949("회사명 이름 직급"));
}

TEST(PageSettingsFromOptions, SeparateTypeThreeSetsOnlyItsButton) {
  const CleanupOptions o = readBack(withFile([](CliOptions& c) { c.separateType = 3; }));
  EXPECT_EQ((std::array{o.separateType1, o.separateType2, o.separateType3}), (std::array{0, 0, 1}));
}

TEST(HelpAndVersion, NameTheProgramAndEveryOption) {
  const std::string help = helpText("borvanta-cli");
  EXPECT_EQ(help.rfind("Usage: borvanta-cli [OPTIONS] FILE.vcf\n", 0), 0u);
  for (const char* option : {"--separate-name", "--separate-type=1|2|3", "--name-type=1|2",
                             "--reset-number", "--reset-national-number", "--reset-full-name",
                             "--reset-display-name=TEMPLATE", "--dry-run", "--help", "--version"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(versionText("borvanta-cli"), "borvanta-cli 1.0.0.1 (Borvanta 1.0 Beta)\n");
}

}  // namespace
}  // namespace borvanta::cli
