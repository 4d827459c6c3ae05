#pragma once
// borvanta-cli and borvanta-generate as the reliability tests run them: a
// generated address book, and the states a run with every pass on takes it
// through.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/unit/reliability/book_states.h"

namespace borvanta::testing_support {

[[nodiscard]] const std::filesystem::path& cliProgram();

// The five passes in their order, as options of borvanta-cli.
[[nodiscard]] const std::vector<std::string>& passOptions();
// The options of the first `count` passes, then `file`.
[[nodiscard]] std::vector<std::string> firstPasses(std::size_t count, const std::string& file);

// `contacts` generated contacts (borvanta-generate --contacts N --seed S).
[[nodiscard]] std::string generatedBook(int contacts, int seed);

struct RunReference {
  RunStates states;                               // the file before the run, then after each pass
  std::chrono::steady_clock::duration runTime{};  // of the run with every pass
};

// Runs borvanta-cli over copies of `original` in `directory`, with the first
// of `passes`, the first two, ... all of them (every pass when none are
// given). Throws std::runtime_error when a run fails.
[[nodiscard]] RunReference referenceRuns(const std::string& original,
                                         const std::filesystem::path& directory,
                                         std::vector<std::string> passes = passOptions());

// The size of the journal a run with every pass leaves just before its saves
// are folded into the file: its header, a record for every card a pass
// changed, and the fold mark.
[[nodiscard]] std::size_t journalSizeBeforeFold(const RunStates& states);

}  // namespace borvanta::testing_support
