// Tests of the cosine and sine tables over the half turn: every entry is the cosine and
// sine of the single-precision angle accumulated step by step.
#include "engine/trig_tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace astrelle {
namespace {

// The angle is the running single-precision sum of pi/1000, not i * pi/1000: by entry 500 it
// has drifted past pi/2 (cos turns negative by about 6.5e-6) and by entry 1000 past pi (sin
// about -3.1e-5). A table computed from i * step would show neither.
TEST(TrigTables, AngleIsAccumulatedInSinglePrecision) {
    const TrigTables& t = GetTrigTables();
    EXPECT_LT(t.CosTable[500], -5e-6f);
    EXPECT_GT(t.CosTable[500], -8e-6f);
    EXPECT_LT(t.SinTable[1000], -2.5e-5f);
    EXPECT_GT(t.SinTable[1000], -3.5e-5f);

    // Independent accumulation; volatile keeps every partial sum in single precision.
    volatile float angle = 0.0f;
    const float step = 3.1415927f / 1000.0f;
    for (int i = 0; i < kTrigTableSize; ++i) {
        const double a = angle;
        ASSERT_EQ(t.CosTable[static_cast<size_t>(i)], static_cast<float>(std::cos(a))) << i;
        ASSERT_EQ(t.SinTable[static_cast<size_t>(i)], static_cast<float>(std::sin(a))) << i;
        angle = angle + step;
    }
}

}  // namespace
}  // namespace astrelle
