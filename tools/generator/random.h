#pragma once
// The generator's own pseudo-random numbers: SplitMix64, with every derived
// draw computed here, so that the same seed gives the same address book on
// every compiler and standard library.

#include <cstddef>
#include <cstdint>
#include <span>

namespace borvanta::generator {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  // A generator for one numbered item of a stream: item `index` of seed
  // `seed` draws the same numbers whatever was drawn for the other items.
  [[nodiscard]] static Random forItem(std::uint64_t seed, std::uint64_t index) {
    Random mixer(seed ^ (index * 0xD1B54A32D192ED03ULL));
    return Random(mixer.next() ^ index);
  }

  [[nodiscard]] std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Uniform in [0, bound), bound > 0; the small bias of the modulo does not
  // matter for test data, and it is the same everywhere.
  [[nodiscard]] std::uint64_t below(std::uint64_t bound) { return next() % bound; }

  // Uniform in [low, high].
  [[nodiscard]] int between(int low, int high) {
    return low + static_cast<int>(below(static_cast<std::uint64_t>(high - low + 1)));
  }

  // True in `percent` of a hundred draws (per mille for finer shares).
  [[nodiscard]] bool percent(unsigned percent) { return below(100) < percent; }
  [[nodiscard]] bool perMille(unsigned perMille) { return below(1000) < perMille; }

  template <class T>
  [[nodiscard]] const T& pick(std::span<const T> items) {
    return items[static_cast<std::size_t>(below(items.size()))];
  }

  // One digit character, '0' to '9'.
  [[nodiscard]] char digit() { return static_cast<char>('0' + below(10)); }

 private:
  std::uint64_t state_;
};

// An entry of a table drawn with a weight: the entry is taken in `weight`
// parts of the table's total weight.
template <class T>
struct Weighted {
  T value;
  unsigned weight;
};

template <class T>
[[nodiscard]] const T& pickWeighted(Random& random, std::span<const Weighted<T>> table) {
  std::uint64_t total = 0;
  for (const Weighted<T>& entry : table)
    total += entry.weight;
  std::uint64_t draw = random.below(total);
  for (const Weighted<T>& entry : table) {
    if (draw < entry.weight) return entry.value;
    draw -= entry.weight;
  }
  return table.back().value;
}

}  // namespace borvanta::generator
