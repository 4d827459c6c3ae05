// Micro-benchmarks of the job's text rules and of the code page conversions,
// each over many values of generated contacts. Every benchmark reports values
// per second (items_per_second) and heap allocations per value.
//
//   borvanta_bench [--contacts=N] [Google Benchmark flags]
//
// --contacts=N takes the samples from the first N generated contacts
// (default 4096); the smoke test runs with a handful.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/allocation_counter.h"
#include "bench/value_samples.h"
#include "core/cp949.h"
#include "job/display_name.h"
#include "job/name_separation.h"
#include "job/phone_number.h"

namespace borvanta::bench {

namespace {

constexpr std::size_t kDefaultContacts = 4096;

// Heap blocks a result must own whatever the function does: a string longer
// than the standard library's in-place buffer lives on the heap.
std::size_t heapBlocksOf(const std::string& s) {
  return s.size() > std::string().capacity() ? 1 : 0;
}
std::size_t heapBlocksOf(const std::u16string& s) {
  return s.size() > std::u16string().capacity() ? 1 : 0;
}
std::size_t heapBlocksOf(const SplitName& name) {
  return heapBlocksOf(name.surname) + heapBlocksOf(name.givenName);
}

// Registers `name`: `operation` applied to the values in turn, round and
// round, one value per iteration. Every benchmark is declared through here.
// Besides values per second it reports the heap allocations per value, and
// how many of them the returned values need themselves (a long string): the
// difference is what the function allocates beyond its result.
template <class Value, class Operation>
void registerOverValues(const std::string& name, std::vector<Value> values, Operation operation) {
  if (values.empty()) return;
  auto shared = std::make_shared<const std::vector<Value>>(std::move(values));
  benchmark::RegisterBenchmark(name.c_str(), [shared, operation](benchmark::State& state) {
    const std::vector<Value>& all = *shared;
    std::vector<std::size_t> resultBlocks;
    for (const Value& value : all)
      resultBlocks.push_back(heapBlocksOf(operation(value)));
    std::size_t next = 0;
    const std::uint64_t before = allocationCount();
    for (auto _ : state) {
      auto result = operation(all[next]);
      benchmark::DoNotOptimize(result);
      if (++next == all.size()) next = 0;
    }
    const std::uint64_t allocations = allocationCount() - before;
    // The values the loop went over: whole rounds, then the first `next`.
    const auto iterations = static_cast<std::size_t>(state.iterations());
    std::size_t needed = 0;
    for (std::size_t i = 0; i < all.size(); ++i)
      needed += resultBlocks[i] * (iterations / all.size() + (i < iterations % all.size() ? 1 : 0));
    const double perValue = iterations > 0 ? 1.0 / static_cast<double>(iterations) : 0.0;
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_value"] = static_cast<double>(allocations) * perValue;
    state.counters["result_allocs_per_value"] = static_cast<double>(needed) * perValue;
    state.counters["values"] = static_cast<double>(all.size());
  });
}

void registerPhoneNumbers(const ValueSamples& s) {
  auto normalize = [](const std::string& v) { return normalizePhoneNumber(v); };
  auto removeCode = [](const std::string& v) { return removeCountryCode(v); };
  registerOverValues("normalizePhoneNumber/all", s.phoneNumbers, normalize);
  registerOverValues("normalizePhoneNumber/unchanged", s.normalisedNumbers, normalize);
  registerOverValues("removeCountryCode/all", s.phoneNumbers, removeCode);
  registerOverValues("removeCountryCode/unchanged", s.nationalNumbers, removeCode);
}

void registerNames(const ValueSamples& s) {
  registerOverValues("splitFullName/all", s.joinedNames,
                     [](const std::string& v) { return splitFullName(v); });
}

void registerDisplayNames(const ValueSamples& s) {
  struct Template {
    const char* name;
    const char* text;
  };
  // Templates a user picks on the page, with the separators the cleanups tidy.
  static constexpr Template kTemplates[] = {
      {"buildDisplayName/name(company/department)", "이름(회사명/부서)"},
      {"buildDisplayName/name (company)", "이름 (회사명)"},
      {"buildDisplayName/company name title", "회사명 이름 직급"},
      {"buildDisplayName/name-company-department", "이름-회사명-부서"},
  };
  for (const Template& t : kTemplates) {
    registerOverValues(t.name, s.records, [text = cp949(t.text)](const ContactRecord& record) {
      return buildDisplayName(text, record, 1).text;
    });
  }
}

void registerConversions(const ValueSamples& s) {
  registerOverValues("utf8ToCp949", s.textsUtf8,
                     [](const std::string& v) { return utf8ToCp949(v).text; });
  registerOverValues("cp949ToUtf8", s.textsCp949,
                     [](const std::string& v) { return cp949ToUtf8(v); });
  registerOverValues("utf16ToCp949", s.textsUtf16,
                     [](const std::u16string& v) { return utf16ToCp949(v).text; });
  registerOverValues("cp949ToUtf16", s.textsCp949,
                     [](const std::string& v) { return cp949ToUtf16(v); });
}

// --contacts=N, removed from the arguments; the rest is Google Benchmark's.
std::size_t takeContactsFlag(int& argc, char** argv) {
  constexpr std::string_view kFlag = "--contacts=";
  std::size_t contacts = kDefaultContacts;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.starts_with(kFlag)) {
      contacts = std::strtoull(argv[i] + kFlag.size(), nullptr, 10);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return contacts;
}

}  // namespace

}  // namespace borvanta::bench

int main(int argc, char** argv) {
  using namespace borvanta::bench;
  const std::size_t contacts = takeContactsFlag(argc, argv);
  const ValueSamples samples = makeValueSamples(contacts == 0 ? 1 : contacts);
  registerPhoneNumbers(samples);
  registerNames(samples);
  registerDisplayNames(samples);
  registerConversions(samples);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
