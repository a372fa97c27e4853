// The rules of the universe's creation, of the ambient stars and of the preview's
// geometry, each checked directly where a reference run could only say that something
// changed. Surfaces are wider than high, so no height/width ratio is 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/ambient_stars.h"
#include "engine/engine_setup.h"
#include "engine/preview.h"
#include "engine/star_generation.h"
#include "engine_test_support.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::RunSmallUniverse;

// Objects drift, birth stars fly and ambient stars move apart by steps that all shrink by
// the same factor m per frame, as does the expansion step. Damping 0.2 gives m = 0.9 until
// three quarters of the 20 frames have passed; after frame e > 15, m = 0.9 cos(pi/2 (e -
// 15) / 5) holds for the next frame.
TEST(CreateUniverse, EverythingSlowsByTheDampingThenAlongAQuarterCosine) {
    EngineFixture f;
    struct Seen {
        float step, radius, galZ, velZ, ambZ;
    };
    std::vector<Seen> seen;
    RunSmallUniverse(
        f, {{"Universe_ESteps", "20"}, {"Universe_Damping", "0.2"}, {"Universe_AmPers", "1"}},
        [&](EngineContext&, RuntimeArrays& a, const UniverseFrame& fr) {
            if (fr.phase != UniversePhase::Creation) return true;
            seen.push_back({a.ExpandStep, a.ExpandRadius, a.GalViewZ[1], a.BirthVelZ[7], a.AmbDeltaZ[3]});
            return false;
        });
    ASSERT_EQ(seen.size(), 20u);
    const float expand = f.ctx.Settings.Universe_Expand;
    const auto m = [](size_t e) { return e <= 16 ? 0.9 : 0.9 * std::cos(M_PI / 2 * (e - 16.0) / 5.0); };
    EXPECT_NEAR(seen[0].step / expand, m(0), 1e-6);
    EXPECT_FLOAT_EQ(seen[0].radius, expand + seen[0].step);
    for (size_t e = 1; e < seen.size(); ++e) {
        EXPECT_NEAR(seen[e].step / seen[e - 1].step, m(e), 1e-6) << e;
        EXPECT_FLOAT_EQ(seen[e].radius, seen[e - 1].radius + seen[e].step) << e;
        EXPECT_NEAR(seen[e].velZ / seen[e - 1].velZ, m(e), 1e-6) << e;
        EXPECT_NEAR(seen[e].ambZ / seen[e - 1].ambZ, m(e), 1e-6) << e;
        if (e >= 2) {  // the drift an object moved by in frame e was slowed in frame e - 1
            EXPECT_NEAR((seen[e].galZ - seen[e - 1].galZ) / (seen[e - 1].galZ - seen[e - 2].galZ), m(e - 1),
                        2e-3)
                << e;
        }
    }
}

// Frame e of 8 draws the flight in entry round(e x 100 / 8) of the universe ramp, halves to
// even (stars that start together erase parts of each other's flight).
TEST(CreateUniverse, StarsInFlightTakeTheRampColourOfTheirFrame) {
    EngineFixture f;
    const int entries[] = {0, 12, 25, 38, 50, 62, 75, 88};
    RunSmallUniverse(f, {{"Universe_ESteps", "8"}, {"Universe_Persist", "1"}, {"Universe_STrail", "1"}},
                     [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
                         if (fr.phase != UniversePhase::Creation) return true;
                         const uint32_t colour =
                             ctx.UniverseHueRamp[static_cast<size_t>(entries[fr.creationFrame])];
                         int shown = 0;
                         int matching = 0;
                         for (size_t s = 0; s < a.BirthZ.size(); ++s) {
                             const int x = a.TrailX[s];
                             const int y = a.TrailY[s];
                             if (!(a.BirthZ[s] > kMinDepth) || x < 0 || y < 0 || x >= 800 || y >= 600)
                                 continue;
                             ++shown;
                             matching += ctx.Surface.GetPixel(x, y) == colour;
                         }
                         EXPECT_GT(shown, 100);
                         EXPECT_GT(matching, shown / 2) << "frame " << fr.creationFrame;
                         return false;
                     });
}

// Stars may drop out of the flight from frame round(E / 4) on (2.5 to the even 2); every
// star is a member of a galaxy object when the tour starts.
TEST(CreateUniverse, StarsDropOutFromAQuarterOfTheFramesOnAndAllJoinInTheEnd) {
    for (auto [steps, first] : {std::pair{"1", 0}, {"10", 2}, {"14", 4}}) {
        EngineFixture f;
        int firstFading = -1;
        RunSmallUniverse(f, {{"Universe_ESteps", steps}, {"Universe_Persist", "0.25"}},
                         [&](EngineContext&, RuntimeArrays& a, const UniverseFrame& fr) {
                             if (fr.phase == UniversePhase::Creation) {
                                 const bool fading =
                                     std::count(a.BirthState.begin(), a.BirthState.end(), 1) > 0;
                                 if (fading && firstFading < 0) firstFading = fr.creationFrame;
                                 return false;
                             }
                             for (size_t s = 0; s < a.StarRadius.size(); ++s) {
                                 EXPECT_GT(a.StarRadius[s], 0.0f) << s;
                                 EXPECT_TRUE(a.StarGalaxy[s] >= 0 && a.StarGalaxy[s] < a.GalaxyCount) << s;
                             }
                             return true;
                         });
        EXPECT_EQ(firstFading, first) << steps;
    }
}

// ColorComp 2 with the smallest multiplier makes a new star's hue index its hue offset:
// stars that join during the flight take their type's wheel position of that frame, those
// still flying at the end the type's Galaxy_HueStart.
TEST(CreateUniverse, JoinersTakeTheHueWheelOfTheirFrameAndLateOnesTheHueStart) {
    EngineFixture f;
    MemorySettingsStore store;
    testing::StoreSmallUniverse(store, {{"Universe_ESteps", "30"}, {"Universe_Persist", "0.97"}});
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
    int late = 0;
    RunSaverHostSequence(
        f.ctx, store, HostKind::Window, [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
            if (fr.phase == UniversePhase::Creation) {
                wheel.push_back(a.TypeHueAngle);
                for (size_t s = 0; s < joined.size(); ++s) {
                    if (a.BirthState[s] == 2 && joined[s] < 0) joined[s] = fr.creationFrame;
                }
                return;
            }
            for (size_t s = 0; s < joined.size(); ++s) {
                const size_t type = static_cast<size_t>(a.StarType[s]);
                const float hue = joined[s] >= 0 ? wheel[static_cast<size_t>(joined[s])][type]
                                                 : static_cast<float>(ctx.GalaxyTypes[type].HueStart);
                (joined[s] >= 0 ? early : late) += 1;
                EXPECT_EQ(a.StarColor[s],
                          ctx.HueAt(static_cast<int>(hue) % kHueCount, static_cast<int>(type)))
                    << "star " << s << " joined in frame " << joined[s];
            }
            ctx.Host.Process().StopRequested = kTrue16;
        });
    EXPECT_GT(early, 30);
    EXPECT_GT(late, 30);
}

// One ambient star, replayed draw by draw: it is replaced when a draw reaches the
// persistence (and it is not flaring), at a point of the shell blend or, with
// Universe_AmProf, of the universe profile; in the creation it then drifts outward by
// the expansion ratio, in the tour it takes the camera step; its place is relative to the
// camera and the centre ahead. Otherwise it moves and ages.
TEST(AmbientStars, ReplacementChanceDriftOffsetAndProfileAsReplayed) {
    const struct {
        AmbientMode mode;
        int16_t profileDisplay;
    } cases[] = {{AmbientMode::Creation, 0}, {AmbientMode::Creation, 1}, {AmbientMode::Tour, 0}};
    for (const auto& c : cases) {
        EngineFixture f(800, 600, 3);
        EngineFixture replay(800, 600);
        for (EngineFixture* x : {&f, &replay}) {
            x->ctx.Settings.Universe_AmProf = c.profileDisplay;
            x->ctx.Settings.Universe_AmFrames = 0;  // no flare, so a star may be replaced every frame
            x->ctx.Settings.Universe_Profile = 0;
            x->ctx.Settings.Universe_HWRatio = 0.6f;
        }
        RuntimeArrays a;
        a.Allocate(1, 1, 1, 1);
        AmbientFrame fr{.dX = 0.1f, .dY = -0.2f, .dZ = 0.3f, .cX = 1, .cY = 2, .cZ = 3, .D = 30, .W = 0.4f};
        fr.persist = 0.5f;
        fr.ageStep = 0.25f;
        fr.expandRadius = 10;
        fr.expandStep = 2;
        fr.mode = c.mode;
        const bool creation = c.mode == AmbientMode::Creation;
        int replaced = 0;
        for (int frame = 0; frame < 60; ++frame) {
            replay.ctx.Random = f.ctx.Random;
            Vec3 pos{a.AmbX[0] + a.AmbDeltaX[0], a.AmbY[0] + a.AmbDeltaY[0], a.AmbZ[0] + a.AmbDeltaZ[0]};
            Vec3 delta{a.AmbDeltaX[0], a.AmbDeltaY[0], a.AmbDeltaZ[0]};
            float age = a.AmbAge[0] + fr.ageStep;
            if (replay.ctx.Random.Next() >= fr.persist) {
                const Vec3 p = c.profileDisplay != 0 ? PlaceInUniverse(replay.ctx, 10, 0.4f)
                                                     : RandomInShellBlend(replay.ctx, 10, 0.4f);
                delta = creation ? Vec3{p.x * 0.2f, p.y * 0.2f, p.z * 0.2f} : Vec3{0.1f, -0.2f, 0.3f};
                pos = {p.x - 1, p.y - 2, p.z - 3 + 30};
                age = 0;
                ++replaced;
            }
            UpdateAmbientStars(f.ctx, a, fr);
            ASSERT_EQ(a.AmbX[0], pos.x) << frame;
            ASSERT_EQ(a.AmbY[0], pos.y) << frame;
            ASSERT_EQ(a.AmbZ[0], pos.z) << frame;
            ASSERT_EQ(a.AmbDeltaX[0], delta.x) << frame;
            ASSERT_EQ(a.AmbDeltaZ[0], delta.z) << frame;
            ASSERT_EQ(a.AmbAge[0], age) << frame;
        }
        EXPECT_GT(replaced, 15);
        EXPECT_LT(replaced, 45);
    }
}

// A star that does not flare ages by Universe_AmCAge a frame and is drawn in ramp entry
// round(age), never beyond entry 99; a replaced star flares white for Universe_AmFrames
// frames with Universe_AmMaxExt and is not drawn in the frame it is placed.
TEST(AmbientStars, AgeThroughTheRampAndFlareWhiteWhenReplaced) {
    EngineFixture f(160, 120);
    f.ctx.Settings.Universe_AmFrames = 3;
    f.ctx.Settings.Universe_AmMaxExt = 4.0f;
    RuntimeArrays a;
    a.Allocate(1, 1, 1, 1);
    a.AmbZ[0] = 5.0f;
    AmbientFrame fr{.D = 5, .persist = 1, .ageStep = 20.6f, .expandRadius = 0.001f};
    for (int entry : {21, 41, 62, 82, 99, 99}) {  // ages 20.6, 41.2, 61.8, 82.4, 103, 123.6
        UpdateAmbientStars(f.ctx, a, fr);
        EXPECT_EQ(testing::LitPixels(f.surface), 1);
        EXPECT_EQ(f.surface.GetPixel(80, 60), f.ctx.UniverseHueRamp[static_cast<size_t>(entry)]) << entry;
    }
    fr.persist = 0;  // replaced at once, then flaring until its frames are spent
    UpdateAmbientStars(f.ctx, a, fr);
    EXPECT_EQ(testing::LitPixels(f.surface), 0);
    ASSERT_EQ(a.AmbFlareLeft[0], 3);
    EXPECT_EQ(a.AmbAge[0], 0.0f);
    // The sparkle bands of 2 / 3 and 1 / 3 at an extension of 4 / z = 0.8 pixels.
    for (auto [left, lit] : {std::pair{2, 17}, {1, 7}}) {
        UpdateAmbientStars(f.ctx, a, fr);
        EXPECT_EQ(a.AmbFlareLeft[0], left);
        EXPECT_EQ(f.surface.GetPixel(a.AmbScreenX[0], a.AmbScreenY[0]), kWhite);
        EXPECT_EQ(testing::LitPixels(f.surface), lit) << left;
    }
    UpdateAmbientStars(f.ctx, a, fr);  // the last flare erased, the star replaced again
    EXPECT_EQ(a.AmbFlareLeft[0], 3);
    EXPECT_EQ(testing::LitPixels(f.surface), 0);
}

// The galaxy object stands at its base type's core distance straight ahead; the ambient
// cloud starts inside the ball of 5 x that distance around it, in the half in front of the
// camera, and replaced stars take places in the whole ball and stand still.
TEST(PreviewGeometry, GalaxyAtTheCoreDistanceInsideItsAmbientCloud) {
    const struct {
        PreviewSubject subject;
        int16_t index, baseType;
    } cases[] = {{PreviewSubject::GalaxyType, 13, 13}, {PreviewSubject::CompositeType, 13, 17}};
    for (const auto& c : cases) {
        EngineFixture f(160, 120);
        LoadFactoryGalaxyTypes(f.types);
        LoadFactoryComposites(f.composites);
        SetupSurface(f.ctx, SurfaceSize::Normal);
        const float dist = f.types[static_cast<size_t>(c.baseType)].Distance * 0.01f;
        PreviewParams p{.typeIndex = c.index,
                        .subject = c.subject,
                        .limited = true,
                        .frameLimit = 40,
                        .stars = 50,
                        .ambientCount = 300,
                        .symmetry = 0.5f};
        for (float persistence : {1.0f, 0.9f}) {
            p.ambientPersistence = persistence;
            int behindCentre = 0;
            float farthest = 0;
            RunPreview(f.ctx, p, [&](EngineContext& ctx, RuntimeArrays& a, int32_t frame) {
                if (frame != (persistence == 1.0f ? 1 : 40)) return;
                EXPECT_EQ(ctx.CurrentGalType, c.baseType);
                EXPECT_EQ(a.GalType[0], c.subject == PreviewSubject::GalaxyType ? c.index : c.index + 32);
                EXPECT_FLOAT_EQ(a.GalViewZ[0], dist);
                EXPECT_EQ(a.GalViewX[0] + a.GalViewY[0], 0.0f);
                for (size_t i = 0; i < 300; ++i) {
                    farthest = std::max(farthest, std::hypot(a.AmbX[i], a.AmbY[i], a.AmbZ[i] - dist));
                    EXPECT_EQ(a.AmbDeltaX[i] + a.AmbDeltaY[i] + a.AmbDeltaZ[i], 0.0f);
                    behindCentre += a.AmbZ[i] < dist;
                }
            });
            EXPECT_LE(farthest, 5 * dist * 1.0001f);
            EXPECT_GT(farthest, 4.5 * dist);
            if (persistence == 1.0f) {
                EXPECT_EQ(behindCentre, 0);
            } else {
                EXPECT_GT(behindCentre, 100);
            }
        }
    }
}

}  // namespace
}  // namespace astrelle
