#pragma once
// The command line of borvanta-cli: which passes to run on which vCard file,
// and how the in-memory page is set up from that.

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "page/contact_sort_document.h"

namespace borvanta::cli {

// A run the user asked for.
struct CliOptions {
  std::filesystem::path file;  // the .vcf file, the default contacts folder
  bool separateName = false;
  int separateType = 1;  // 1 family/given, 2 whole name to family, 3 whole name to given
  int nameType = 1;      // 1 김철수, 2 김 철수
  bool resetNumber = false;
  bool resetNationalNumber = false;
  bool resetFullName = false;
  bool resetDisplayName = false;
  std::string displayNameTemplate;  // UTF-8, as typed
  bool dryRun = false;

  friend bool operator==(const CliOptions&, const CliOptions&) = default;
};

struct ShowHelp {
  friend bool operator==(const ShowHelp&, const ShowHelp&) = default;
};
struct ShowVersion {
  friend bool operator==(const ShowVersion&, const ShowVersion&) = default;
};
// The arguments cannot be understood; `message` says why (one line, English).
struct UsageError {
  std::string message;
  friend bool operator==(const UsageError&, const UsageError&) = default;
};

using Command = std::variant<CliOptions, ShowHelp, ShowVersion, UsageError>;

// Reads the arguments after the program name. --help and --version win over
// everything else; "--" ends the options. Valued options take their value
// after "=", and a later occurrence of an option replaces an earlier one.
[[nodiscard]] Command parseArguments(const std::vector<std::string_view>& arguments);

// The page's controls as these options set them: the default contacts
// folder, the chosen passes, and for a typed display-name template its radio
// button and text box.
[[nodiscard]] PageSettings pageSettings(const CliOptions& options);

// The text of --help, for a program called `program`.
[[nodiscard]] std::string helpText(std::string_view program);
// The text of --version.
[[nodiscard]] std::string versionText(std::string_view program);

}  // namespace borvanta::cli
