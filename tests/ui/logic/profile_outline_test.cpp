// The profile outlines of the pictograms: one unbroken line per profile through the quadrant,
// ending at the rim in the galaxy plane, the shapes told apart by where they start and bend.
#include "ui/logic/profile_outline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace astrelle {
namespace {

constexpr int kProfiles = 7;
constexpr double kTolerance = 1e-9;

TEST(ProfileOutline, EachProfileIsOneUnbrokenLineWithinTheQuadrantEndingAtTheRim) {
    for (int profile = 0; profile < kProfiles; ++profile) {
        SCOPED_TRACE(profile);
        const std::vector<OutlinePoint> outline = ProfileOutline(profile);
        ASSERT_GE(outline.size(), 2u);
        for (size_t i = 0; i < outline.size(); ++i) {
            EXPECT_GE(outline[i].radius, -kTolerance);
            EXPECT_LE(outline[i].radius, 1 + kTolerance);
            EXPECT_GE(outline[i].height, -kTolerance);
            EXPECT_LE(outline[i].height, 1 + kTolerance);
            // No jumps along the arcs: an arc drawn the wrong way round or a piece left out
            // would leave one. (Conical is one straight line; the last two profiles close
            // with one.)
            const bool arcStep = i > 0 && profile != 3 && !(profile >= 5 && i == outline.size() - 1);
            if (arcStep) {
                const double step = std::hypot(outline[i].radius - outline[i - 1].radius,
                                               outline[i].height - outline[i - 1].height);
                EXPECT_LE(step, 0.15) << "between points " << i - 1 << " and " << i;
            }
        }
        EXPECT_NEAR(outline.back().radius, 1.0, kTolerance);
        EXPECT_NEAR(outline.back().height, 0.0, kTolerance);
        EXPECT_NEAR(outline.front().radius, 0.0, kTolerance);
    }
}

TEST(ProfileOutline, TheShapesDifferWhereTheyShould) {
    // Standard: up the axis to the top of the core, down the waist to the disk's edge.
    const std::vector<OutlinePoint> standard = ProfileOutline(0);
    EXPECT_NEAR(standard.front().height, 1.0, kTolerance);
    bool waist = false;
    for (const OutlinePoint& p : standard)
        waist = waist || (std::abs(p.radius - 0.5) < 1e-6 && std::abs(p.height - 0.4) < 1e-6);
    EXPECT_TRUE(waist) << "the flank meets the disk at (0.5, 0.4)";
    // Spherical: every point on the unit circle.
    for (const OutlinePoint& p : ProfileOutline(2)) EXPECT_NEAR(std::hypot(p.radius, p.height), 1.0, 1e-9);
    // Conical: the straight line from the tip to the rim.
    const std::vector<OutlinePoint> cone = ProfileOutline(3);
    ASSERT_EQ(cone.size(), 2u);
    EXPECT_NEAR(cone.front().height, 1.0, kTolerance);
    // The height halfway out: Hyperbolic bends in below the cone's 0.5, Spherical bulges
    // out above it; Outer-Hyperbolic rises late, Inner-Hyperbolic early.
    auto halfway = [](int profile) {
        const std::vector<OutlinePoint> outline = ProfileOutline(profile, 64);
        for (size_t i = 1; i < outline.size(); ++i) {
            const OutlinePoint& a = outline[i - 1];
            const OutlinePoint& b = outline[i];
            if ((a.radius - 0.5) * (b.radius - 0.5) <= 0 && a.radius != b.radius) {
                return a.height + (b.height - a.height) * (0.5 - a.radius) / (b.radius - a.radius);
            }
        }
        return -1.0;
    };
    EXPECT_NEAR(halfway(3), 0.5, 1e-9);
    EXPECT_NEAR(halfway(2), std::sqrt(0.75), 1e-3);
    EXPECT_NEAR(halfway(4), 1 - std::sqrt(0.75), 1e-3);
    EXPECT_NEAR(halfway(5), 1 - std::sqrt(0.75), 1e-3);
    EXPECT_NEAR(halfway(6), std::sqrt(0.75), 1e-3);
    // Outer- and inner-hyperbolic start in the plane at the axis and close at the rim's top.
    for (const int profile : {5, 6}) {
        const std::vector<OutlinePoint> outline = ProfileOutline(profile);
        EXPECT_NEAR(outline.front().height, 0.0, kTolerance);
        EXPECT_NEAR(outline[outline.size() - 2].height, 1.0, kTolerance);
    }
}

TEST(ProfileOutline, ArcsTakeTheStepsAskedForAndUnknownProfilesNone) {
    EXPECT_EQ(ProfileOutline(2, 16).size(), 17u);  // a quarter turn: 16 steps, 17 points
    EXPECT_EQ(ProfileOutline(2, 4).size(), 5u);
    EXPECT_EQ(ProfileOutline(2, 0).size(), 3u);  // at least two steps per arc
    EXPECT_TRUE(ProfileOutline(-1).empty());
    EXPECT_TRUE(ProfileOutline(7).empty());
}

}  // namespace
}  // namespace astrelle
