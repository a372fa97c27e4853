// The cosine and sine tables, the star loop's fast sine and cosine, and the random source
// (range, reproducibility from a seed, evenly spread draws).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "engine/fast_trig.h"
#include "engine/random_source.h"
#include "engine/trig_tables.h"

namespace astrelle {
namespace {

// The angle is the running single-precision sum of pi/1000, not i * pi/1000: by entry 500 it
// has drifted past pi/2 (cos about -6.5e-6) and by entry 1000 past pi (sin about -3.1e-5).
TEST(TrigTables, AngleIsAccumulatedInSinglePrecision) {
    const TrigTables& t = GetTrigTables();
    EXPECT_LT(t.CosTable[500], -5e-6f);
    EXPECT_GT(t.CosTable[500], -8e-6f);
    EXPECT_LT(t.SinTable[1000], -2.5e-5f);
    EXPECT_GT(t.SinTable[1000], -3.5e-5f);
    volatile float angle = 0.0f;  // volatile keeps every partial sum in single precision
    for (size_t i = 0; i < static_cast<size_t>(kTrigTableSize); ++i) {
        const double a = angle;
        ASSERT_EQ(t.CosTable[i], static_cast<float>(std::cos(a))) << i;
        ASSERT_EQ(t.SinTable[i], static_cast<float>(std::sin(a))) << i;
        angle = angle + 3.1415927f / 1000.0f;
    }
}

int UlpDistance(float a, float b) {
    if (a == b) return 0;
    return static_cast<int>(std::fabs(a - b) / std::fabs(std::nextafter(a, b) - a) + 0.5f);
}

// Star angles are never reduced while a star lives, so they grow large.
TEST(SinCos, MatchesTheCorrectlyRoundedValuesOverTheStarAngles) {
    RandomSource random(11);
    int off = 0;
    for (int k = 0; k < 200000; ++k) {
        const float scale = k < 100000 ? 7.0f : (k < 190000 ? 5000.0f : 3.0e5f);
        const float x = (random.Next() * 2.0f - 1.0f) * scale;
        float s = 0.0f;
        float c = 0.0f;
        SinCos(x, s, c);
        const float es = static_cast<float>(std::sin(static_cast<double>(x)));
        const float ec = static_cast<float>(std::cos(static_cast<double>(x)));
        ASSERT_LE(UlpDistance(s, es), 1) << x;
        ASSERT_LE(UlpDistance(c, ec), 1) << x;
        off += (s != es) + (c != ec);
    }
    EXPECT_LE(off, 4);  // at most a handful of ties rounded the other way
    float s = 0.0f;
    float c = 0.0f;
    SinCos(NAN, s, c);
    EXPECT_TRUE(std::isnan(s) && std::isnan(c));
}

TEST(RandomSource, DrawsAreMultiplesOf2ToTheMinus24InTheHalfOpenUnitInterval) {
    RandomSource random(1);
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 1'000'000; ++i) {
        const float v = random.Next();
        ASSERT_TRUE(v >= 0.0f && v < 1.0f && v * 16777216.0f == std::floor(v * 16777216.0f)) << v;
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
    for (float v : first) ASSERT_EQ(a.Next(), v);

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

// Chi-square over 64 buckets (63 degrees of freedom, 0.1 % point 103.4) and over the 4 x 4
// grid of consecutive pairs (15 degrees of freedom, 37.7), which shows short correlations.
TEST(RandomSource, DrawsAndPairsOfDrawsAreRoughlyUniform) {
    RandomSource random(20240601);
    std::array<double, 64> counts{};
    double sum = 0;
    for (int i = 0; i < 640'000; ++i) {
        const float v = random.Next();
        sum += v;
        counts[static_cast<size_t>(v * 64)] += 1;
    }
    std::array<double, 16> pairs{};
    for (int i = 0; i < 160'000; ++i) {
        const int x = static_cast<int>(random.Next() * 4);
        pairs[static_cast<size_t>(x * 4 + static_cast<int>(random.Next() * 4))] += 1;
    }
    auto chiSquare = [](const auto& c, double expected) {
        double chi = 0;
        for (double n : c) chi += (n - expected) * (n - expected) / expected;
        return chi;
    };
    EXPECT_LT(chiSquare(counts, 10000.0), 103.4);
    EXPECT_LT(chiSquare(pairs, 10000.0), 37.7);
    EXPECT_NEAR(sum / 640'000, 0.5, 0.002);
}

}  // namespace
}  // namespace astrelle
