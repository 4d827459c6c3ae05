#include "cli/command_line.h"

#include <filesystem>
#include <variant>

#include "backends/vcard/address_book.h"
#include "backends/vcard/vcard_runtime.h"
#include "cli/change_listing.h"
#include "cli/cli_options.h"
#include "cli/headless_run.h"
#include "cli/plain_text.h"
#include "cli/stream_owner.h"

namespace borvanta::cli {

namespace {

int run(std::string_view program, const CliOptions& options, std::ostream& out, std::ostream& err) {
  // Saves are not synced to the disk one by one (a killed run still keeps
  // them): the file is replaced whole, and synced, when the run's changes are
  // folded into it right after the run.
  vcard::VcardRuntime runtime(vcard::RuntimeOptions{.defaultFile = options.file,
                                                    .picker = nullptr,
                                                    .dryRun = options.dryRun,
                                                    .syncEverySave = false});
  StreamOwner owner(err, program);
  const HeadlessRun result = runHeadless(runtime, pageSettings(options), owner);
  for (const std::string& line : result.log)
    out << line << '\n';
  out << std::flush;

  // Whatever the run saved reaches the file now, even when it stopped early:
  // every saved contact is a finished change.
  const vcard::FlushResult flushed = runtime.flush();
  if (!flushed.ok()) {
    const std::string name = printable(program);
    err << name << ": the changes could not be written into " << printable(options.file.string())
        << ": " << printable(flushed.message) << '\n';
    // They wait in the journal beside the file for the next run, unless the
    // store had to put them elsewhere (another program changed the file), as
    // its message says.
    if (std::filesystem::exists(vcard::journalPath(options.file))) {
      err << name
          << ": they are kept beside the file and written into it by the next run over it\n";
    }
    err << std::flush;
  }
  const bool ranPasses =
      result.outcome == RunOutcome::Completed || result.outcome == RunOutcome::Stopped;
  if (options.dryRun && ranPasses) {
    out << '\n' << changeListing(runtime.dryRunChanges(), options.file) << std::flush;
  }
  return flushed.ok() ? exitStatus(result.outcome) : 1;
}

}  // namespace

int runCommandLine(std::string_view program, const std::vector<std::string_view>& arguments,
                   std::ostream& out, std::ostream& err) {
  const Command command = parseArguments(arguments);
  if (std::holds_alternative<ShowHelp>(command)) {
    out << helpText(program) << std::flush;
    return 0;
  }
  if (std::holds_alternative<ShowVersion>(command)) {
    out << versionText(program) << std::flush;
    return 0;
  }
  if (const auto* usage = std::get_if<UsageError>(&command)) {
    err << program << ": " << usage->message << "\nTry '" << program
        << " --help' for more information.\n"
        << std::flush;
    return usageExitStatus;
  }
  return run(program, std::get<CliOptions>(command), out, err);
}

}  // namespace borvanta::cli
