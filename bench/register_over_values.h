#pragma once
// How every micro-benchmark is declared: an operation applied to many values
// in turn, round and round, one value per iteration, reporting values per
// second and the heap allocations per value.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/allocation_counter.h"
#include "job/name_separation.h"

namespace borvanta::bench {

// Heap blocks a result must own whatever the function does: a string longer
// than the standard library's in-place buffer lives on the heap.
inline std::size_t heapBlocksOf(const std::string& s) {
  return s.size() > std::string().capacity() ? 1 : 0;
}
inline std::size_t heapBlocksOf(const std::u16string& s) {
  return s.size() > std::u16string().capacity() ? 1 : 0;
}
inline std::size_t heapBlocksOf(const SplitName& name) {
  return heapBlocksOf(name.surname) + heapBlocksOf(name.givenName);
}
inline std::size_t heapBlocksOf(const std::optional<std::string>& s) {
  return s ? heapBlocksOf(*s) : 0;
}
// A result that owns nothing (a count, a flag).
inline std::size_t heapBlocksOf(std::size_t) {
  return 0;
}

struct OverValues {
  // How many items (contacts) one value stands for: items_per_second counts
  // items, not values.
  std::size_t itemsPerValue = 1;
};

// Registers `name`: `operation` applied to the values in turn. Besides values
// per second it reports the heap allocations per value, and how many of them
// the returned values need themselves (a long string): the difference is what
// the function allocates beyond its result.
template <class Value, class Operation>
void registerOverValues(const std::string& name, std::vector<Value> values, Operation operation,
                        OverValues options = {}) {
  if (values.empty()) return;
  auto shared = std::make_shared<const std::vector<Value>>(std::move(values));
  benchmark::RegisterBenchmark(name.c_str(), [shared, operation, options](benchmark::State& state) {
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
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(options.itemsPerValue));
    state.counters["allocs_per_value"] = static_cast<double>(allocations) * perValue;
    state.counters["result_allocs_per_value"] = static_cast<double>(needed) * perValue;
    state.counters["values"] = static_cast<double>(all.size());
  });
}

}  // namespace borvanta::bench
