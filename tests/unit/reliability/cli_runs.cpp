#include "tests/unit/reliability/cli_runs.h"

#include <stdexcept>

namespace borvanta::testing_support {

const std::filesystem::path& cliProgram() {
  static const std::filesystem::path program = BORVANTA_CLI_PROGRAM;
  return program;
}

const std::vector<std::string>& passOptions() {
  static const std::vector<std::string> options = {"--separate-name", "--reset-number",
                                                   "--reset-national-number", "--reset-full-name",
                                                   "--reset-display-name=이름(회사명/부서)"};
  return options;
}

std::vector<std::string> firstPasses(std::size_t count, const std::string& file) {
  const std::vector<std::string>& all = passOptions();
  std::vector<std::string> arguments(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count));
  arguments.push_back(file);
  return arguments;
}

std::string generatedBook(int contacts, int seed) {
  const ChildResult generated =
      runChild(BORVANTA_GENERATE_PROGRAM,
               {"--contacts", std::to_string(contacts), "--seed", std::to_string(seed)},
               {std::filesystem::temp_directory_path(), {}});
  if (generated.status != 0) throw std::runtime_error("borvanta-generate: " + generated.err);
  return generated.out;
}

RunReference referenceRuns(const std::string& original, const std::filesystem::path& directory,
                           std::vector<std::string> passes) {
  RunReference reference;
  reference.states.emplace_back(original);
  for (std::size_t pass = 1; pass <= passes.size(); ++pass) {
    const std::string name = "after" + std::to_string(pass) + ".vcf";
    writeBytes(directory / name, original);
    std::vector<std::string> arguments(passes.begin(),
                                       passes.begin() + static_cast<std::ptrdiff_t>(pass));
    arguments.push_back(name);
    const auto start = std::chrono::steady_clock::now();
    const ChildResult run = runChild(cliProgram(), arguments, {directory, {}});
    reference.runTime = std::chrono::steady_clock::now() - start;
    if (run.status != 0) throw std::runtime_error("borvanta-cli: " + run.err);
    reference.states.emplace_back(readBytes(directory / name));
  }
  return reference;
}

std::size_t journalSizeBeforeFold(const RunStates& states) {
  constexpr std::size_t header = 32;
  constexpr std::size_t recordFrame = 16;  // kind, card, length, checksum
  constexpr std::size_t foldMark = recordFrame + 16;
  std::size_t size = header + foldMark;
  for (std::size_t pass = 1; pass < states.size(); ++pass) {
    for (std::size_t card = 0; card < states[pass].cardCount(); ++card) {
      if (states[pass].card(card) != states[pass - 1].card(card)) {
        size += recordFrame + states[pass].card(card).size();
      }
    }
  }
  return size;
}

}  // namespace borvanta::testing_support
