// The star loop's sine and cosine against the double-precision library, over the angles
// stars reach (they are never reduced while a star lives) and beyond.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/fast_trig.h"
#include "engine/random_source.h"

namespace astrelle {
namespace {

// Distance in units of the last place, for finite values of the same sign region.
int UlpDistance(float a, float b) {
    if (a == b) return 0;
    const float step = std::fabs(std::nextafter(a, b) - a);
    return static_cast<int>(std::fabs(a - b) / step + 0.5f);
}

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

}  // namespace
}  // namespace astrelle
