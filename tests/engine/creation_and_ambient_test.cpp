// The rules of the universe's creation and of the ambient stars, checked directly where a
// reference run could only say that something changed: the damping and its cosine fade,
// the hue of joining stars, and one ambient star replayed draw by draw.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "engine/ambient_stars.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;

// Objects drift, birth stars fly and ambient stars move apart by steps that all shrink by
// the same factor m per frame, as does the expansion step the radius grows by. Damping 0.2
// gives m = 0.9 until three quarters of the 20 frames have passed; after frame e > 15,
// m = 0.9 cos(pi/2 (e - 15) / 5) holds for the next frame.
TEST(CreateUniverse, EverythingSlowsByTheDampingThenAlongAQuarterCosine) {
    EngineFixture f;
    std::vector<std::array<float, 5>> seen;  // step, radius, object z, flight and ambient speed
    testing::RunSmallUniverse(
        f, "Universe_ESteps=20 Universe_Damping=0.2 Universe_AmPers=1",
        [&](EngineContext&, RuntimeArrays& a, const UniverseFrame& fr) {
            if (fr.phase != UniversePhase::Creation) return true;
            seen.push_back({a.ExpandStep, a.ExpandRadius, a.GalViewZ[1], a.BirthVelZ[7], a.AmbDeltaZ[3]});
            return false;
        });
    ASSERT_EQ(seen.size(), 20u);
    const auto m = [](size_t e) {
        return e <= 16 ? 0.9 : 0.9 * std::cos(std::numbers::pi / 2 * (e - 16.0) / 5.0);
    };
    EXPECT_NEAR(seen[0][0] / f.ctx.Settings.Universe_Expand, m(0), 1e-6);
    for (size_t e = 1; e < seen.size(); ++e) {
        EXPECT_NEAR(seen[e][0] / seen[e - 1][0], m(e), 1e-6) << e;
        EXPECT_FLOAT_EQ(seen[e][1], seen[e - 1][1] + seen[e][0]) << e;
        EXPECT_NEAR(seen[e][3] / seen[e - 1][3], m(e), 1e-6) << e;
        EXPECT_NEAR(seen[e][4] / seen[e - 1][4], m(e), 1e-6) << e;
        if (e >= 2) {  // the drift an object moved by in frame e was slowed in frame e - 1
            EXPECT_NEAR((seen[e][2] - seen[e - 1][2]) / (seen[e - 1][2] - seen[e - 2][2]), m(e - 1), 2e-3)
                << e;
        }
    }
}

// ColorComp 2 with the smallest multiplier makes a new star's hue index its hue offset:
// stars that join during the flight (from frame round(30 / 4) = 8 on) take their type's
// wheel position of that frame, those still flying at the end the type's Galaxy_HueStart.
TEST(CreateUniverse, JoinersTakeTheHueWheelOfTheirFrameAndLateOnesTheHueStart) {
    EngineFixture f;
    MemorySettingsStore store;
    testing::StoreSmallUniverse(store, "Universe_ESteps=30 Universe_Persist=0.97");
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        for (auto [key, text] : {std::pair{"Galaxy_ColorComp", "2"},
                                 {"Galaxy_ColorMult", "1"},
                                 {"Galaxy_GHW_Ratio", "1"},
                                 {"Galaxy_HWheelInc", "7"}}) {
            store.WriteText(GalaxyRegistrySection(t), key, text);
        }
    }
    std::vector<int> joined(300, -1);
    std::vector<std::array<float, kGalaxyTypeCount>> wheel;
    int early = 0;
    int firstJoin = 99;
    RunSaverHostSequence(
        f.ctx, store, HostKind::Window, [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
            if (fr.phase == UniversePhase::Creation) {
                wheel.push_back(a.TypeHueAngle);
                for (size_t s = 0; s < joined.size(); ++s) {
                    if (a.BirthState[s] == 1 && firstJoin == 99) firstJoin = fr.creationFrame;
                    if (a.BirthState[s] == 2 && joined[s] < 0) joined[s] = fr.creationFrame;
                }
                return;
            }
            for (size_t s = 0; s < joined.size(); ++s) {
                const size_t type = static_cast<size_t>(a.StarType[s]);
                const float hue = joined[s] >= 0 ? wheel[static_cast<size_t>(joined[s])][type]
                                                 : static_cast<float>(ctx.GalaxyTypes[type].HueStart);
                early += joined[s] >= 0;
                EXPECT_EQ(a.StarColor[s],
                          ctx.HueAt(static_cast<int>(hue) % kHueCount, static_cast<int>(type)))
                    << "star " << s << " joined in frame " << joined[s];
            }
            ctx.Host.Process().StopRequested = kTrue16;
        });
    EXPECT_EQ(firstJoin, 8);  // the first frame a star may drop out of the flight
    EXPECT_GT(early, 30);
    EXPECT_LT(early, 270);
}

// One ambient star, replayed draw by draw: it is replaced when a draw reaches the
// persistence (and it does not flare), at a point of the shell blend or, with
// Universe_AmProf, of the universe profile; during the creation it then drifts outward by
// the expansion ratio, in the tour it takes the camera step; its place is relative to the
// camera and the centre ahead. Otherwise it moves and ages.
TEST(AmbientStars, ReplacementChanceDriftOffsetAndProfileAsReplayed) {
    for (auto [mode, profileDisplay] :
         {std::pair{AmbientMode::Creation, 0}, {AmbientMode::Creation, 1}, {AmbientMode::Tour, 0}}) {
        EngineFixture f(800, 600, 3);
        EngineFixture replay;
        for (EngineFixture* x : {&f, &replay}) {
            x->ctx.Settings.Universe_AmProf = static_cast<int16_t>(profileDisplay);
            x->ctx.Settings.Universe_AmFrames = 0;  // no flare: a star may be replaced every frame
            x->ctx.Settings.Universe_Profile = 0;
        }
        RuntimeArrays a;
        a.Allocate(1, 1, 1, 1);
        const AmbientFrame fr{0.1f, -0.2f, 0.3f, 1, 2, 3, 30, 0.4f, 0.5f, 0.25f, 10, 2, mode};
        int replaced = 0;
        for (int frame = 0; frame < 60; ++frame) {
            replay.ctx.Random = f.ctx.Random;
            Vec3 pos{a.AmbX[0] + a.AmbDeltaX[0], a.AmbY[0] + a.AmbDeltaY[0], a.AmbZ[0] + a.AmbDeltaZ[0]};
            Vec3 delta{a.AmbDeltaX[0], a.AmbDeltaY[0], a.AmbDeltaZ[0]};
            float age = a.AmbAge[0] + fr.ageStep;
            if (replay.ctx.Random.Next() >= fr.persist) {
                const Vec3 p = profileDisplay != 0 ? PlaceInUniverse(replay.ctx, 10, 0.4f)
                                                   : RandomInShellBlend(replay.ctx, 10, 0.4f);
                delta = mode == AmbientMode::Creation ? Vec3{p.x * 0.2f, p.y * 0.2f, p.z * 0.2f}
                                                      : Vec3{0.1f, -0.2f, 0.3f};
                pos = {p.x - 1, p.y - 2, p.z - 3 + 30};
                age = 0;
                ++replaced;
            }
            UpdateAmbientStars(f.ctx, a, fr);
            ASSERT_EQ(std::vector<float>(
                          {a.AmbX[0], a.AmbY[0], a.AmbZ[0], a.AmbDeltaX[0], a.AmbDeltaZ[0], a.AmbAge[0]}),
                      std::vector<float>({pos.x, pos.y, pos.z, delta.x, delta.z, age}))
                << frame;
        }
        EXPECT_GT(replaced, 15);
        EXPECT_LT(replaced, 45);
    }
}

}  // namespace
}  // namespace astrelle
