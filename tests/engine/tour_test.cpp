// The tour camera: the spline, the control points of visits and of the return leg, the
// visited type, the tour switched off.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "engine/engine_setup.h"
#include "engine/star_events.h"
#include "engine/tour.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::StoredValues;

TEST(EvalBSpline, EndsOfASegmentAndItsJoinWithTheNext) {
    const Vec3 p0{1, -2, 6}, p1{4, 0, 12}, p2{-5, 3, 30}, p3{2, 8, -6}, p4{7, 7, 7};
    const Vec3 a = EvalBSpline(0.0f, p0, p1, p2, p3);
    EXPECT_NEAR(a.x, (1 + 16 - 5) / 6.0, 1e-5);
    EXPECT_NEAR(a.y, (-2 + 0 + 3) / 6.0, 1e-5);
    EXPECT_NEAR(a.z, (6 + 48 + 30) / 6.0, 1e-5);
    const Vec3 b = EvalBSpline(1.0f, p0, p1, p2, p3);
    EXPECT_NEAR(b.x, (4 - 20 + 2) / 6.0, 1e-5);
    EXPECT_NEAR(b.y, (0 + 12 + 8) / 6.0, 1e-5);
    EXPECT_NEAR(b.z, (12 + 120 - 6) / 6.0, 1e-5);
    const Vec3 next = EvalBSpline(0.0f, p1, p2, p3, p4);  // after one push
    EXPECT_NEAR(next.x, b.x, 1e-5);
    EXPECT_NEAR(next.z, b.z, 1e-4);
    const Vec3 rest = EvalBSpline(0.37f, p4, p4, p4, p4);
    EXPECT_NEAR(rest.x, 7.0, 1e-5);  // four equal points: the camera rests there
    EXPECT_NEAR(rest.z, 7.0, 1e-5);
}

// Runs the small universe with the stored values until the first frame of the second
// cycle and gives every tour frame with the state the test asks for.
struct TourFrameState {
    UniverseFrame frame;
    Vec3 newest, camera;  // Control[3] and the camera
    Vec3 step;            // the ambient stars' displacement, the camera step
    Vec3 world;           // the visited object
    float dist;           // its home type's Distance
    int16_t currentType, homeType;
    int16_t slots;         // comet slots in use
    int16_t currentSlots;  // comet slots for the comets of CurrentGalType
    float D;               // Universe_DstCen in engine units
};

std::vector<TourFrameState> TourFrames(StoredValues values) {
    EngineFixture f;
    MemorySettingsStore store;
    testing::StoreSmallUniverse(store, values);
    std::vector<TourFrameState> out;
    RunSaverHostSequence(
        f.ctx, store, HostKind::Window, [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
            if (fr.cycle == 1) ctx.Host.Process().StopRequested = kTrue16;
            if (fr.cycle == 1 || fr.phase == UniversePhase::Creation) return;
            const size_t g = static_cast<size_t>(fr.g);
            const int16_t home = HomeType(ctx, a, fr.g);
            const auto row = [&](int16_t type) { return ctx.GalaxyTypes[static_cast<size_t>(type)]; };
            out.push_back({fr,
                           a.Control[3],
                           a.Camera,
                           {a.AmbDeltaX[0], a.AmbDeltaY[0], a.AmbDeltaZ[0]},
                           {a.GalWorldX[g], a.GalWorldY[g], a.GalWorldZ[g]},
                           row(home).Distance,
                           ctx.CurrentGalType,
                           home,
                           a.EvtSlotStride,
                           CometSlotCount(row(ctx.CurrentGalType).CometStars),
                           ctx.Settings.Universe_DstCen});
        });
    return out;
}

TEST(RunTour, ControlPointsApproachAndCrossEachCore) {
    const auto frames = TourFrames({{"Universe_GPCtrl", "1"}, {"Universe_GCCtrl", "4"}});
    const std::vector<double> along = {-1.0, -0.625, -0.25, 0.125, 0.5};  // times Dist
    int checked = 0;
    for (const TourFrameState& s : frames) {
        if (s.frame.phase != UniversePhase::Visit || s.frame.t != 0.0f) continue;
        ASSERT_GE(s.frame.k, 1);
        ASSERT_LE(s.frame.k, 5);
        EXPECT_EQ(s.newest.x, s.world.x);
        EXPECT_EQ(s.newest.y, s.world.y);
        EXPECT_NEAR(s.newest.z, s.world.z + along[static_cast<size_t>(s.frame.k - 1)] * s.dist, 1e-4)
            << s.frame.g << "." << s.frame.k;
        ++checked;
    }
    EXPECT_EQ(checked, 3 * 5);
}

TEST(RunTour, TheCoreEntrySetsTheVisitedTypeAndTheReturnLegPullsBack) {
    const auto frames = TourFrames({{"Universe_GPCtrl", "3"}, {"Universe_GCCtrl", "2"}});
    std::map<int, float> returnPoints;
    for (const TourFrameState& s : frames) {
        const bool beforeFirstCore =
            s.frame.phase == UniversePhase::Visit && s.frame.g == 0 && s.frame.k <= 3;
        // From the first core entry on, the comet buffer was last reset for the current type.
        if (!beforeFirstCore) {
            EXPECT_EQ(s.slots, s.currentSlots);
        }
        if (s.frame.phase == UniversePhase::Visit) {
            if (s.frame.k > 3) {
                EXPECT_EQ(s.currentType, s.homeType);
            } else if (s.frame.g == 0) {
                EXPECT_EQ(s.currentType, 0);  // nothing visited yet
            }
        } else {
            EXPECT_EQ(s.currentType, 0);
            returnPoints[s.frame.k] = s.newest.z;
            EXPECT_EQ(s.newest.x, 0.0f);
        }
    }
    ASSERT_EQ(returnPoints.size(), 4u);  // GPCtrl + 1 steps
    const float D = frames.back().D;
    EXPECT_FLOAT_EQ(returnPoints[1], -D);
    EXPECT_FLOAT_EQ(returnPoints[2], -D);
    EXPECT_FLOAT_EQ(returnPoints[3], -10 * D);
    EXPECT_FLOAT_EQ(returnPoints[4], -5000 * D);
    // Far out at the end of the cycle: (-D - 40 D - 5000 D) / 6.
    EXPECT_NEAR(frames.back().camera.z, -840 * D, 2 * D);
}

TEST(RunTour, WithoutCoreStepsNoTypeIsVisited) {
    for (const TourFrameState& s : TourFrames({{"Universe_GCCtrl", "0"}})) {
        EXPECT_EQ(s.currentType, 0);
        EXPECT_LE(s.frame.k, 2);
    }
}

TEST(RunTour, WithTheTourOffTheCameraStaysHomeUntilThePullBack) {
    const auto frames = TourFrames({{"Universe_Tour", "0"}});
    bool first = true;
    for (const TourFrameState& s : frames) {
        if (s.frame.phase == UniversePhase::Visit) {
            EXPECT_EQ(s.camera.z, 0.0f);
            EXPECT_EQ(s.step.z, 0.0f);  // ambient stars stand still on the screen
            continue;
        }
        if (first) {
            // The window was cleared, so the pull-back starts smoothly at the origin.
            EXPECT_EQ(s.camera.x, 0.0f);
            EXPECT_EQ(s.camera.z, 0.0f);
            first = false;
        }
    }
    EXPECT_LT(frames.back().camera.z, -1000.0f);
    EXPECT_GT(frames.back().step.z, 0.0f);  // the world moves away from the camera
}

}  // namespace
}  // namespace astrelle
