// How a whole run over a .vcf file grows with the number of contacts: open,
// read, all five passes with a save after every handled contact, fold-in.
// Google Benchmark fits the growth (BigO) over 1,000 to 100,000 contacts.
//
//   ninja -C build vcard_scaling_bench && build/tests/unit/vcard/vcard_scaling_bench
//
// The file lies on /dev/shm when there is one, so that the figure is the
// program's own work; --sync makes every save wait for the disk, as a book
// opened with syncEverySave does (then the figure is the disk's).

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "tests/unit/vcard/vcard_harness.h"
#include "tests/unit/vcard/vcard_test_files.h"
#include "tools/generator/address_book.h"

namespace borvanta::vcard {
namespace {

bool syncEverySave = false;

void WholeRun(benchmark::State& state) {
  generator::GeneratorOptions options;
  options.contacts = static_cast<std::size_t>(state.range(0));
  const std::string book = generator::generateAddressBook(options);
  // One run per repetition (Iterations(1)): a second run over the same file
  // would find nothing left to change.
  vcardtest::TempDir dir;
  vcardtest::writeFile(dir / "contacts.vcf", book);
  RuntimeOptions runtimeOptions;
  runtimeOptions.defaultFile = dir / "contacts.vcf";
  runtimeOptions.syncEverySave = syncEverySave;
  for (auto _ : state) {
    vcardtest::VcardHarness h(runtimeOptions);
    if (h.run() != RunOutcome::Completed) state.SkipWithError("the run did not complete");
    if (!h.runtime->flush().ok()) state.SkipWithError("the fold-in failed");
  }
  state.SetComplexityN(state.range(0));
  state.counters["contacts/s"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsRate);
  state.counters["file MB"] = static_cast<double>(book.size()) / 1e6;
}

BENCHMARK(WholeRun)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace borvanta::vcard

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sync") == 0) borvanta::vcard::syncEverySave = true;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
