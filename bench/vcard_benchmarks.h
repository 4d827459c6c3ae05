#pragma once
// Micro-benchmarks of reading and writing vCard cards: checking and reading
// one card, reading a whole book, editing a card as the passes do, appending
// to the journal, and a whole save through the address book.

#include <cstddef>
#include <memory>

namespace borvanta::bench {

// The files the save benchmarks write to; they go away with it.
class VcardBenchFiles;

// Registers the vCard benchmarks over the first `contacts` generated
// contacts. Keep the result until the benchmarks have run.
[[nodiscard]] std::shared_ptr<VcardBenchFiles> registerVcardBenchmarks(std::size_t contacts);

}  // namespace borvanta::bench
