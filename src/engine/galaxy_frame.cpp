// The per-frame star loop. This is the hot loop of the saver (up to 30000 stars): it
// touches no allocator, and it works through local copies of the array pointers and the
// geometry, because every pixel write marks a dirty tile through a byte store, after which
// the compiler would otherwise reload every pointer it had read from the structs.
#include "engine/galaxy_frame.h"

#include "engine/fast_trig.h"
#include "engine/projection.h"
#include "engine/star_events.h"

namespace astrelle {

void UpdateGalaxyFrame(EngineContext& ctx, RuntimeArrays& a, int16_t g, int16_t s, float t, bool visiting,
                       PreviewKind preview) {
    FrameInfo frame;
    frame.g = g;
    frame.s = s;
    frame.t = t;
    float sine = 0.0f;
    float cosine = 0.0f;
    SinCos(t * kPi, sine, cosine);
    frame.w = (cosine + 1.0f) * 0.5f;
    frame.visiting = visiting;
    frame.preview = preview;
    const int16_t quota = NewStarQuota(ctx, a, frame);

    // Per-type values the loop needs, gathered once per frame.
    int16_t axisPlane[kGalaxyTypeCount];
    for (int k = 0; k < kGalaxyTypeCount; ++k) {
        axisPlane[k] = ctx.GalaxyTypes[static_cast<size_t>(k)].AxisPlane;
    }
    const std::array<float, kGalaxyTypeCount> spinSin = a.TypeSpinSin;
    const std::array<float, kGalaxyTypeCount> spinCos = a.TypeSpinCos;

    const EngineGeometry geo = ctx.Geometry;
    const int32_t starCount = a.StarCount;
    const size_t trail = static_cast<size_t>(a.TrailLength);
    const size_t cursor = static_cast<size_t>(a.TrailCursor);
    const DotWriter dot(ctx);

    float* const radius = a.StarRadius.data();
    float* const angle = a.StarAngle.data();
    const float* const angVel = a.StarAngVel.data();
    float* const height = a.StarHeight.data();
    const uint32_t* const colour = a.StarColor.data();
    const int16_t* const type = a.StarType.data();
    const int16_t* const galaxy = a.StarGalaxy.data();
    int32_t* const age = a.StarAge.data();
    int16_t* const rebirthWait = a.StarRebirthWait.data();
    int16_t* const newLeft = a.StarNewLeft.data();
    int16_t* const novaLeft = a.StarNovaLeft.data();
    int32_t* const trailX = a.TrailX.data();
    int32_t* const trailY = a.TrailY.data();
    const float* const galX = a.GalViewX.data();
    const float* const galY = a.GalViewY.data();
    const float* const galZ = a.GalViewZ.data();

    // Sine and cosine of every star's next angle in one vectorised pass; a star that does
    // not move this frame simply does not use them.
    SinCosOfSteppedAngles(angle, angVel, a.StepSin.data(), a.StepCos.data(), static_cast<size_t>(starCount));
    const float* const stepSin = a.StepSin.data();
    const float* const stepCos = a.StepCos.data();

    for (int32_t star = 0; star < starCount; ++star) {
        const size_t i = static_cast<size_t>(star);
        const size_t j = i * trail + cursor;
        age[i] += 1;

        // Erase what the star showed in the previous frame.
        if (newLeft[i] < 1) {
            if (novaLeft[i] < 1) {
                dot(trailX[j], trailY[j], 0);
            } else if (a.NovaZ[i] > kMinDepth) {
                DrawNovaBurst(ctx, a.NovaX[i], a.NovaY[i], a.NovaZ[i], novaLeft[i], 0, a.BurstFrames[i],
                              a.BurstExt[i]);
            }
        } else {
            if (a.BurstZ[i] > kMinDepth) {
                DrawNewStarBurst(ctx, a.BurstX[i], a.BurstY[i], a.BurstZ[i], newLeft[i], a.BurstFrames[i],
                                 a.BurstExt[i], 0);
            }
            newLeft[i] = static_cast<int16_t>(newLeft[i] - 1);
        }

        // Move and draw.
        if (rebirthWait[i] >= 1) {
            rebirthWait[i] = static_cast<int16_t>(rebirthWait[i] - 1);
            if (rebirthWait[i] == 0) RebirthAfterDying(ctx, a, star, frame);
            continue;
        }
        if (novaLeft[i] >= 1) {
            novaLeft[i] = static_cast<int16_t>(novaLeft[i] - 1);
            if (novaLeft[i] == 0) {
                RebirthAfterNova(ctx, a, star);
                continue;
            }
        }
        const size_t k = static_cast<size_t>(type[i]);
        const size_t gal = static_cast<size_t>(galaxy[i]);
        angle[i] += angVel[i];
        const Vec3 v = RotateStarSinCos(radius[i], stepSin[i], stepCos[i], height[i], spinSin[k], spinCos[k],
                                        axisPlane[k], galX[gal], galY[gal], galZ[gal]);
        if (novaLeft[i] >= 1) {
            a.NovaZ[i] = v.z;
            if (v.z > kMinDepth) {
                a.NovaX[i] = v.x;
                a.NovaY[i] = v.y;
                DrawNovaBurst(ctx, v.x, v.y, v.z, novaLeft[i],
                              NovaColour(ctx, type[i], a.BurstFrames[i], novaLeft[i]), a.BurstFrames[i],
                              a.BurstExt[i]);
            }
            continue;
        }
        if (!(v.z > kMinDepth)) continue;  // behind the viewer: nothing stored or drawn
        PixelPoint p;
        if (!ProjectPoint(geo, v.x, v.y, v.z, p)) continue;
        if (newLeft[i] < 1) {
            trailX[j] = p.x;
            trailY[j] = p.y;
            dot(p.x, p.y, colour[i]);
        } else {
            a.BurstX[i] = p.x;
            a.BurstY[i] = p.y;
            a.BurstZ[i] = v.z;
            DrawNewStarBurst(ctx, p.x, p.y, v.z, newLeft[i], a.BurstFrames[i], a.BurstExt[i], kWhite);
        }
    }

    if (visiting && ctx.Settings.Universe_GravForce == 0.0f) UpdateComets(ctx, a, frame);
    a.TrailCursor = (a.TrailCursor + 1) % a.TrailLength;
    SelectRebirths(ctx, a, quota);
}

}  // namespace astrelle
