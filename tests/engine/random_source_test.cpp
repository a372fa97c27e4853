// Tests of the random source: range, reproducibility from a seed, and a rough check that
// the draws are spread evenly and do not repeat across seeds.
#include "engine/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

namespace astrelle {
namespace {

TEST(RandomSource, DrawsLieInTheHalfOpenUnitInterval) {
    RandomSource random(1);
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 1'000'000; ++i) {
        const float v = random.Next();
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
        // Every draw is a multiple of 2^-24, so it is exact and 1 cannot be reached by rounding.
        ASSERT_EQ(v * 16777216.0f, std::floor(v * 16777216.0f));
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    EXPECT_LT(lowest, 1e-5f);
    EXPECT_GT(highest, 1.0f - 1e-5f);
}

TEST(RandomSource, SameSeedSameSequenceOtherSeedsOtherSequences) {
    RandomSource a(4711);
    RandomSource b(4711);
    std::vector<float> first;
    for (int i = 0; i < 1000; ++i) {
        first.push_back(a.Next());
        ASSERT_EQ(first.back(), b.Next()) << i;
    }
    a.Seed(4711);  // seeding again restarts the sequence
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(a.Next(), first[static_cast<size_t>(i)]) << i;

    std::set<std::array<uint32_t, 3>> starts;
    for (uint64_t seed = 0; seed < 2000; ++seed) {
        RandomSource random(seed);
        starts.insert({random.NextU32(), random.NextU32(), random.NextU32()});
    }
    EXPECT_EQ(starts.size(), 2000u);
    // Neighbouring seeds are not shifted copies of each other.
    RandomSource ten(10);
    RandomSource eleven(11);
    std::set<uint32_t> fromTen;
    for (int i = 0; i < 1000; ++i) fromTen.insert(ten.NextU32());
    int shared = 0;
    for (int i = 0; i < 1000; ++i) shared += static_cast<int>(fromTen.count(eleven.NextU32()));
    EXPECT_LE(shared, 2);
}

TEST(RandomSource, DrawsAreRoughlyUniform) {
    constexpr int kBuckets = 64;
    constexpr int kDraws = 640'000;
    std::array<int, kBuckets> counts{};
    RandomSource random(20240601);
    double sum = 0;
    for (int i = 0; i < kDraws; ++i) {
        const float v = random.Next();
        sum += v;
        ++counts[static_cast<size_t>(v * kBuckets)];
    }
    const double expected = static_cast<double>(kDraws) / kBuckets;
    double chiSquare = 0;
    for (int c : counts) chiSquare += (c - expected) * (c - expected) / expected;
    // 63 degrees of freedom: 103.4 is the 0.1 % point, so a fair generator stays below it.
    EXPECT_LT(chiSquare, 103.4);
    EXPECT_NEAR(sum / kDraws, 0.5, 0.002);

    // Consecutive pairs fill the unit square evenly too (no short correlation).
    std::array<int, 16> pairs{};
    for (int i = 0; i < 160'000; ++i) {
        const int x = static_cast<int>(random.Next() * 4);
        const int y = static_cast<int>(random.Next() * 4);
        ++pairs[static_cast<size_t>(x * 4 + y)];
    }
    double pairChi = 0;
    for (int c : pairs) pairChi += (c - 10000.0) * (c - 10000.0) / 10000.0;
    EXPECT_LT(pairChi, 37.7);  // 15 degrees of freedom, 0.1 % point
}

}  // namespace
}  // namespace astrelle
