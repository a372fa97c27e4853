// Surface set-up and the preview loop.
#include "engine/preview.h"

#include <algorithm>
#include <cmath>

#include "engine/ambient_stars.h"
#include "engine/frame_loop.h"
#include "engine/galaxy_frame.h"
#include "engine/star_events.h"
#include "engine/star_generation.h"
#include "settings/rounding.h"

namespace astrelle {

void SetupSurface(EngineContext& ctx, SurfaceSize size) {
    ctx.Surface.Clear();
    EngineGeometry& g = ctx.Geometry;
    if (size == SurfaceSize::Small) {
        g.PixelSize = 1;
        g.FocalLength = 1.0f;
        ctx.Settings.Adv_TimeDelay = 32;
    }
    ComputeGeometry(g, ctx.Surface.Width(), ctx.Surface.Height(), g.FocalLength, g.PixelSize);
    ctx.Random.Seed(ctx.Host.ClockSeed());
}

namespace {

// The numeric part of rows 0..31, to give the table back exactly after a run.
struct SavedTypes {
    std::array<GalaxyTypeRecord, kGalaxyTypeCount> rows;
};

template <class T>
T HeldTo(double value, double low, double high) {
    if (std::isnan(value)) return static_cast<T>(low);
    return static_cast<T>(std::clamp(value, low, high));
}

int16_t WholeHeldTo(double value, double low, double high) {
    return HeldTo<int16_t>(RoundHalfEven(value), low, high);
}

}  // namespace

void HoldToPreviewLimits(const PreviewInput& in, PreviewParams& p) {
    p.stars = WholeHeldTo(in.stars, 10, 30000);
    p.trail = WholeHeldTo(in.trail, 1, 999);
    p.ambientCount = WholeHeldTo(in.ambientCount, 1, 999);
    p.ambientPersistence = HeldTo<float>(in.ambientPersistence, 0.25, 0.999);
    p.ambientAgeStep = HeldTo<float>(in.ambientAgeStep, 0, 10);
    p.flareFrames = WholeHeldTo(in.flareFrames, 0, 999);
    p.extension = HeldTo<float>(in.extension, 1, 99999);
    p.symmetry = HeldTo<float>(in.symmetry, 0, 1);
}

int32_t RunPreview(EngineContext& ctx, const PreviewParams& in, const PreviewObserver& observer) {
    const bool simple = in.subject == PreviewSubject::GalaxyType;
    const int maxIndex = simple ? kGalaxyTypeCount - 1 : kCompositeCount - 1;
    if (in.typeIndex < 0 || in.typeIndex > maxIndex) return 0;

    // 1. Engine settings for the run. The star count is kept at 1..30000 so the trail
    //    limit never divides by zero.
    EngineSettings& st = ctx.Settings;
    int16_t stars = 0;
    if (!TryRoundToInt16(static_cast<double>(in.stars) * in.starScale, stars)) stars = 30000;
    stars = std::clamp<int16_t>(stars, 1, 30000);
    st.Universe_Stars = stars;
    st.Universe_Galaxy = 1;
    st.Universe_STrail =
        static_cast<int16_t>(std::clamp<int>(std::min<int>(in.trail, 30000 / stars), 1, 999));
    st.Universe_NewPctStEx = 0.0f;
    st.Universe_AmStar = std::max<int16_t>(0, in.ambientCount);
    st.Universe_AmFrames = in.flareFrames;
    st.Universe_AmPers = in.ambientPersistence;
    st.Universe_AmCAge = in.ambientAgeStep;
    st.Universe_Symetry = in.symmetry;
    st.Universe_AmMaxExt = static_cast<float>(in.extension * 0.0001);

    // 2. Arrays, engine units.
    RuntimeArrays a;
    a.Allocate(st.Universe_Stars, st.Universe_STrail, 1, st.Universe_AmStar);
    SavedTypes saved;
    std::copy_n(ctx.GalaxyTypes.begin(), kGalaxyTypeCount, saved.rows.begin());
    ScaleTypeTable(ctx.GalaxyTypes);
    a.TrailCursor = 0;

    // 3. The galaxy object, straight ahead at its type's core distance.
    int16_t baseType = in.typeIndex;
    const CompositeRecord* composite = nullptr;
    if (simple) {
        a.GalType[0] = in.typeIndex;
    } else {
        composite = &ctx.Composites[static_cast<size_t>(in.typeIndex)];
        ctx.GalaxyTypes[static_cast<size_t>(kGalaxyTypeCount + in.typeIndex)].CompositeFlag = kTrue16;
        baseType = static_cast<int16_t>(std::clamp<int>(composite->Members[0], 0, kGalaxyTypeCount - 1));
        a.GalType[0] = static_cast<int16_t>(kGalaxyTypeCount + in.typeIndex);
    }
    ctx.CurrentGalType = baseType;
    const GalaxyTypeRecord& base = ctx.GalaxyTypes[static_cast<size_t>(baseType)];
    const float dist = base.Distance;
    a.GalViewX[0] = 0.0f;
    a.GalViewY[0] = 0.0f;
    a.GalViewZ[0] = dist;
    const float ambientRadius = 5.0f * dist;
    a.EvtSlotStride = CometSlotCount(base.CometStars);

    // 4. Hue offsets.
    for (size_t t = 0; t < static_cast<size_t>(kGalaxyTypeCount); ++t) {
        a.TypeHueAngle[t] = static_cast<float>(ctx.GalaxyTypes[t].HueStart);
    }

    // 5. Stars.
    for (int32_t s = 0; s < a.StarCount; ++s) {
        a.StarGalaxy[static_cast<size_t>(s)] = 0;
        int16_t type = in.typeIndex;
        if (!simple) {
            const int count = std::clamp<int>(composite->Count, 0, kCompositeMembers);
            const int pick = std::clamp(static_cast<int>(ctx.Random.Next() * static_cast<float>(count)), 0,
                                        kCompositeMembers - 1);
            type = static_cast<int16_t>(
                std::clamp<int>(composite->Members[static_cast<size_t>(pick)], 0, kGalaxyTypeCount - 1));
        }
        a.StarType[static_cast<size_t>(s)] = type;
        GenerateStar(ctx, a, s, type, a.TypeHueAngle[static_cast<size_t>(type)]);
    }

    // 6. Ambient stars, in the half of the cloud in front of the camera.
    for (size_t i = 0; i < static_cast<size_t>(a.AmbientCount); ++i) {
        a.AmbAge[i] = 0.0f;
        const float radius =
            ((1.0f - st.Universe_Symetry) * ctx.Random.Next() + st.Universe_Symetry) * ambientRadius;
        const Vec3 p = RandomInBall(ctx.Random, radius);
        a.AmbX[i] = p.x;
        a.AmbY[i] = p.y;
        a.AmbZ[i] = std::fabs(p.z) + dist;
    }

    // 7. Spin angles start at each type's tilt.
    for (size_t t = 0; t < static_cast<size_t>(kGalaxyTypeCount); ++t) {
        a.TypeSpinAngle[t] = ctx.GalaxyTypes[t].AngleTilt;
    }

    // 8. The frame loop.
    const PreviewKind kind = simple ? PreviewKind::Galaxy : PreviewKind::Composite;
    AmbientFrame ambient;
    ambient.D = dist;
    ambient.W = st.Universe_Symetry;
    ambient.persist = st.Universe_AmPers;
    ambient.ageStep = st.Universe_AmCAge;
    ambient.expandRadius = ambientRadius;
    ambient.expandStep = 0.0f;
    ambient.mode = AmbientMode::Tour;
    ProcessValues& process = ctx.Host.Process();
    int32_t frames = 0;
    for (;;) {
        // Each frame is paced from its own start, so the frame delay holds in previews too.
        ctx.FrameStartTick = ctx.Host.TickCount();
        StepTypeSpin(ctx.GalaxyTypes, a);
        UpdateGalaxyFrame(ctx, a, 0, 32000, 0.0f, true, kind);
        UpdateAmbientStars(ctx, a, ambient);
        ++frames;
        if (observer) observer(ctx, a, frames);
        if (in.limited && frames >= in.frameLimit) break;
        if (EndOfFrame(ctx)) break;
        if (process.PreviewStopRequested != 0) {
            process.PreviewStopRequested = kFalse16;
            break;
        }
    }

    // 9. Give the table back exactly as it came in (the composite mark on rows 32..47 stays).
    std::copy(saved.rows.begin(), saved.rows.end(), ctx.GalaxyTypes.begin());
    return frames;
}

}  // namespace astrelle
