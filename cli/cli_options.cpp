#include "cli/cli_options.h"

#include <algorithm>
#include <optional>

namespace borvanta::cli {

namespace {

// Options that are switched on by their name alone.
struct Switch {
  std::string_view name;
  bool CliOptions::*member;
};
constexpr Switch switches[] = {
    {"--separate-name", &CliOptions::separateName},
    {"--reset-number", &CliOptions::resetNumber},
    {"--reset-national-number", &CliOptions::resetNationalNumber},
    {"--reset-full-name", &CliOptions::resetFullName},
    {"--dry-run", &CliOptions::dryRun},
};

// Options whose value is one digit of a short list.
struct Choice {
  std::string_view name;
  std::string_view values;  // the allowed digits
  std::string_view expected;
  int CliOptions::*member;
};
constexpr Choice choices[] = {
    {"--separate-type", "123", "1, 2 or 3", &CliOptions::separateType},
    {"--name-type", "12", "1 or 2", &CliOptions::nameType},
};

constexpr std::string_view displayNameOption = "--reset-display-name";

std::string quoted(std::string_view text) {
  // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) about
  // "'" + std::string at -O3.
  std::string out = "'";
  out += text;
  out += '\'';
  return out;
}

// Applies one "--name[=value]" argument; an error message when it cannot.
std::optional<std::string> applyOption(std::string_view argument, CliOptions& options) {
  const std::size_t equals = argument.find('=');
  const std::string_view name = argument.substr(0, equals);
  const std::optional<std::string_view> value =
      equals == std::string_view::npos ? std::nullopt : std::optional(argument.substr(equals + 1));

  for (const Switch& entry : switches) {
    if (name != entry.name) continue;
    if (value) return "option " + quoted(name) + " takes no value";
    options.*entry.member = true;
    return std::nullopt;
  }
  for (const Choice& entry : choices) {
    if (name != entry.name) continue;
    if (!value) return "option " + quoted(name) + " needs a value: " + std::string(name) + "=N";
    if (value->size() != 1 || entry.values.find((*value)[0]) == std::string_view::npos) {
      return "invalid value " + quoted(*value) + " for " + std::string(name) + " (expected " +
             std::string(entry.expected) + ")";
    }
    options.*entry.member = (*value)[0] - '0';
    return std::nullopt;
  }
  if (name == displayNameOption) {
    if (!value) {
      return "option " + quoted(name) + " needs a value: " + std::string(name) + "=TEMPLATE";
    }
    // An empty or blank template is the job's to refuse, as on the page.
    options.resetDisplayName = true;
    options.displayNameTemplate = std::string(*value);
    return std::nullopt;
  }
  return "unknown option " + quoted(name);
}

bool isOption(std::string_view argument) {
  return argument.size() > 1 && argument[0] == '-';
}

}  // namespace

Command parseArguments(const std::vector<std::string_view>& arguments) {
  const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
  if (std::find(arguments.begin(), optionsEnd, "--help") != optionsEnd) return ShowHelp{};
  if (std::find(arguments.begin(), optionsEnd, "--version") != optionsEnd) return ShowVersion{};

  CliOptions options;
  std::vector<std::string_view> files;
  bool optionsEnded = false;
  for (const std::string_view argument : arguments) {
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && isOption(argument)) {
      if (std::optional<std::string> error = applyOption(argument, options)) {
        return UsageError{*error};
      }
    } else {
      files.push_back(argument);
    }
  }
  if (files.empty()) return UsageError{"no FILE.vcf given"};
  if (files.size() > 1) {
    return UsageError{"only one FILE.vcf can be given, not " + quoted(files[0]) + " and " +
                      quoted(files[1])};
  }
  if (files[0].empty()) return UsageError{"the FILE.vcf name is empty"};
  options.file = std::filesystem::path(std::string(files[0]));
  return options;
}

PageSettings pageSettings(const CliOptions& options) {
  PageSettings s;
  s.useDefaultContacts = true;
  s.separateName = options.separateName;
  s.separateType = options.separateType;
  s.nameType = std::to_string(options.nameType);
  s.resetNumber = options.resetNumber;
  s.resetNationalNumber = options.resetNationalNumber;
  s.resetFullName = options.resetFullName;
  s.resetDisplayName = options.resetDisplayName;
  if (options.resetDisplayName) {
    s.displayNameType = 2;
    s.displayNameTemplate = options.displayNameTemplate;
  }
  return s;
}

std::string helpText(std::string_view program) {
  const std::string name(program);
  return "Usage: " + name + " [OPTIONS] FILE.vcf\n" +
         "Tidies the contacts of a vCard file for Korean use and saves them back to it.\n"
         "The file as it was before a run that changes it is kept beside it, as\n"
         "FILE.vcf.borvanta.bak.\n"
         "\n"
         "  --separate-name            split Korean names into family and given name\n"
         "  --separate-type=1|2|3      1 family/given (default), 2 whole name to family,\n"
         "                             3 whole name to given\n"
         "  --name-type=1|2            1 김철수 (default), 2 김 철수\n"
         "  --reset-number             hyphenate telephone numbers (01012345678 -> "
         "010-1234-5678)\n"
         "  --reset-national-number    +82 and +44 become 0\n"
         "  --reset-full-name          rebuild the full name from family and given name\n"
         "  --reset-display-name=TEMPLATE\n"
         "                             rebuild File As from TEMPLATE, in which 이름, 회사명,\n"
         "                             부서 and 직급 stand for name, company, department\n"
         "                             and job title, e.g. \"이름 (회사명)\"\n"
         "  --dry-run                  change nothing; list what would change, contact by contact\n"
         "  --help                     show this help and exit\n"
         "  --version                  show the version and exit\n"
         "\n"
         "The log of the run is printed on standard output, messages on standard error.\n"
         "Exit status: 0 when the run finished; 1 when the file could not be read or\n"
         "saved, the options were refused or a contact could not be written; 2 when the\n"
         "command line was not understood.\n";
}

std::string versionText(std::string_view program) {
  return std::string(program) + " " BORVANTA_VERSION " (Borvanta 1.0 Beta)\n";
}

}  // namespace borvanta::cli
