#pragma once
// Heap allocations made by the benchmark process: this binary replaces the
// global operator new with one that counts, so a benchmark can report how many
// allocations one call of the measured function makes.

#include <cstdint>

namespace borvanta::bench {

// Every operator new since the process started, on any thread.
[[nodiscard]] std::uint64_t allocationCount();

}  // namespace borvanta::bench
