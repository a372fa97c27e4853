// Gravity between galaxy objects: the two-object example, exact single-precision sums in
// index order, and the rhythm of recomputations across cycles and runs.
#include <gtest/gtest.h>

#include <vector>

#include "engine/engine_setup.h"
#include "engine/gravity.h"
#include "engine/universe.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;

void PlaceObjects(RuntimeArrays& a, const std::vector<Vec3>& at) {
    a.Allocate(1, 1, static_cast<int32_t>(at.size()), 0);
    for (size_t i = 0; i < at.size(); ++i) {
        a.GalWorldX[i] = at[i].x;
        a.GalWorldY[i] = at[i].y;
        a.GalWorldZ[i] = at[i].z;
    }
}

TEST(ApplyGravity, TwoObjectsAtDistanceOne) {
    EngineFixture f;
    f.ctx.Settings.Universe_GravForce = 0.5f;
    f.ctx.Settings.Universe_GravFrame = 1;
    RuntimeArrays a;
    PlaceObjects(a, {{0, 0, 0}, {1, 0, 0}});
    ApplyGravity(f.ctx, a);
    // Object 0 is pulled at 0.5 and moves at once; object 1 then sees half the distance.
    EXPECT_FLOAT_EQ(a.GalVelX[0], 0.5f);
    EXPECT_FLOAT_EQ(a.GalWorldX[0], 0.5f);
    EXPECT_FLOAT_EQ(a.GalVelX[1], -1.0f);
    EXPECT_FLOAT_EQ(a.GalWorldX[1], 0.0f);
    EXPECT_EQ(a.GalVelY[1], 0.0f);

    f.ctx.Settings.Universe_GravForce = 0.0f;  // no gravity: nothing moves at all
    ApplyGravity(f.ctx, a);
    EXPECT_FLOAT_EQ(a.GalWorldX[0], 0.5f);
    EXPECT_FLOAT_EQ(a.GalWorldX[1], 0.0f);
}

// The rule as written, one statement per step.
void ReferenceGravity(float force, bool recompute, RuntimeArrays& a) {
    for (size_t i = 0; i < static_cast<size_t>(a.GalaxyCount); ++i) {
        if (recompute) {
            for (size_t j = 0; j < static_cast<size_t>(a.GalaxyCount); ++j) {
                if (j == i) continue;
                const float dx = a.GalWorldX[j] - a.GalWorldX[i];
                const float dy = a.GalWorldY[j] - a.GalWorldY[i];
                const float dz = a.GalWorldZ[j] - a.GalWorldZ[i];
                const float r2 = dx * dx + dy * dy + dz * dz;
                const float f = force / (r2 + 1e-9f);
                a.GalVelX[i] = a.GalVelX[i] + dx * f;
                a.GalVelY[i] = a.GalVelY[i] + dy * f;
                a.GalVelZ[i] = a.GalVelZ[i] + dz * f;
            }
        }
        a.GalWorldX[i] += a.GalVelX[i];
        a.GalWorldY[i] += a.GalVelY[i];
        a.GalWorldZ[i] += a.GalVelZ[i];
    }
}

TEST(ApplyGravity, SameSumsInTheSameOrderAsTheRule) {
    EngineFixture f;
    f.ctx.Settings.Universe_GravForce = 0.003f;
    f.ctx.Settings.Universe_GravFrame = 2;
    RandomSource random(9);
    std::vector<Vec3> at;
    for (int i = 0; i < 64; ++i)
        at.push_back({random.Next() * 40 - 20, random.Next() * 10, random.Next() * 300});
    at.push_back(at[5]);  // two objects in the same place
    RuntimeArrays fast;
    RuntimeArrays plain;
    PlaceObjects(fast, at);
    PlaceObjects(plain, at);
    for (int frame = 1; frame <= 7; ++frame) {
        ApplyGravity(f.ctx, fast);
        ReferenceGravity(0.003f, frame % 2 == 0, plain);
    }
    EXPECT_EQ(fast.GalWorldX, plain.GalWorldX);
    EXPECT_EQ(fast.GalWorldY, plain.GalWorldY);
    EXPECT_EQ(fast.GalWorldZ, plain.GalWorldZ);
    EXPECT_EQ(fast.GalVelZ, plain.GalVelZ);
}

// Visit frames (counted across the run, from 1) on which the velocities were recomputed.
std::vector<int> RecomputedFrames(EngineFixture& f, SettingsStore& store, int visitFrames) {
    std::vector<int> out;
    int visit = 0;
    float last = 0.0f;
    LoadUniverseSettings(f.ctx, store, HostKind::Window);
    f.host.Process().StopRequested = kFalse16;
    RunUniverse(f.ctx, [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
        if (fr.phase == UniversePhase::Creation) last = 0.0f;  // a new universe starts at rest
        if (fr.phase != UniversePhase::Visit) return;
        ++visit;
        if (a.GalVelX[0] != last) out.push_back(visit);
        last = a.GalVelX[0];
        if (visit == visitFrames) ctx.Host.Process().StopRequested = kTrue16;
    });
    return out;
}

TEST(ApplyGravity, EveryThirdVisitFrameAcrossCyclesAndRuns) {
    EngineFixture f;
    MemorySettingsStore store;
    // 2 objects x 2 control steps x 5 frames: 20 visit frames a cycle, not a multiple of 3.
    testing::StoreSmallUniverse(store, {{"Universe_Galaxy", "2"},
                                        {"Universe_GCCtrl", "1"},
                                        {"Universe_GravForce", "50000"},
                                        {"Universe_GravFrame", "3"}});
    std::vector<int> expected;
    for (int k = 3; k <= 45; k += 3) expected.push_back(k);
    EXPECT_EQ(RecomputedFrames(f, store, 46), expected);
    // A new run in the same context keeps the rhythm: 46 frames ran, so the next
    // recomputation comes on its second visit frame.
    EXPECT_EQ(RecomputedFrames(f, store, 6), (std::vector<int>{2, 5}));
}

}  // namespace
}  // namespace astrelle
