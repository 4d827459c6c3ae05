#include "tools/generator/random.h"

#include <gtest/gtest.h>

#include <set>

namespace borvanta::generator {
namespace {

TEST(Random, IsSplitMix64) {
  // The published first outputs of SplitMix64 from state 0: the generator
  // gives the same numbers on every platform.
  Random random(0);
  EXPECT_EQ(random.next(), 0xE220A8397B1DCDAFULL);
  EXPECT_EQ(random.next(), 0x6E789E6AA1B965F4ULL);
  EXPECT_EQ(random.next(), 0x06C45D188009454FULL);
}

TEST(Random, ItemStreamsDependOnlyOnSeedAndIndex) {
  Random a = Random::forItem(42, 7);
  Random b = Random::forItem(42, 7);
  EXPECT_EQ(a.next(), b.next());
  EXPECT_NE(Random::forItem(42, 7).next(), Random::forItem(42, 8).next());
  EXPECT_NE(Random::forItem(42, 7).next(), Random::forItem(43, 7).next());
}

TEST(Random, BetweenCoversItsBoundsAndNoMore) {
  Random random(1);
  std::set<int> seen;
  for (int i = 0; i < 1000; ++i)
    seen.insert(random.between(3, 6));
  EXPECT_EQ(seen, (std::set<int>{3, 4, 5, 6}));
}

TEST(Random, WeightedDrawNeverTakesAnEntryOfWeightZero) {
  static constexpr Weighted<int> kTable[] = {{1, 0}, {2, 5}, {3, 0}, {4, 5}};
  Random random(9);
  std::set<int> seen;
  for (int i = 0; i < 1000; ++i)
    seen.insert(pickWeighted<int>(random, kTable));
  EXPECT_EQ(seen, (std::set<int>{2, 4}));
}

}  // namespace
}  // namespace borvanta::generator
