// The per-frame star loop. This is the hot loop of the saver (up to 30000 stars): it
// reads per-type values once per star from small arrays and touches no allocator.
#include "engine/galaxy_frame.h"

#include <cmath>

#include "engine/projection.h"
#include "engine/star_events.h"

namespace astrelle {

void UpdateGalaxyFrame(EngineContext& ctx, RuntimeArrays& a, int16_t g, int16_t s, float t, bool visiting,
                       PreviewKind preview) {
    FrameInfo frame;
    frame.g = g;
    frame.s = s;
    frame.t = t;
    frame.w = (std::cos(t * kPi) + 1.0f) * 0.5f;
    frame.visiting = visiting;
    frame.preview = preview;
    const int16_t quota = NewStarQuota(ctx, a, frame);

    // Per-type values the loop needs, gathered once per frame.
    int16_t axisPlane[kGalaxyTypeCount];
    for (int k = 0; k < kGalaxyTypeCount; ++k)
        axisPlane[k] = ctx.GalaxyTypes[static_cast<size_t>(k)].AxisPlane;

    const EngineGeometry& geo = ctx.Geometry;
    const int32_t trail = a.TrailLength;
    const int32_t cursor = a.TrailCursor;
    const bool singlePixel = geo.PixelSize == 1;
    PixelSurface& surface = ctx.Surface;
    auto dot = [&](int32_t x, int32_t y, uint32_t colour) {
        if (singlePixel) {
            surface.SetPixel(x, y, colour);
        } else {
            PlotPixel(surface, geo.PixelSize, x, y, colour);
        }
    };

    for (int32_t star = 0; star < a.StarCount; ++star) {
        const size_t i = static_cast<size_t>(star);
        const size_t j = static_cast<size_t>(star) * static_cast<size_t>(trail) + static_cast<size_t>(cursor);
        a.StarAge[i] += 1;

        // Erase what the star showed in the previous frame.
        if (a.StarNewLeft[i] < 1) {
            if (a.StarNovaLeft[i] < 1) {
                dot(a.TrailX[j], a.TrailY[j], 0);
            } else if (a.NovaZ[i] > kMinDepth) {
                DrawNovaBurst(ctx, a.NovaX[i], a.NovaY[i], a.NovaZ[i], a.StarNovaLeft[i], 0, a.BurstFrames[i],
                              a.BurstExt[i]);
            }
        } else {
            if (a.BurstZ[i] > kMinDepth) {
                DrawNewStarBurst(ctx, a.BurstX[i], a.BurstY[i], a.BurstZ[i], a.StarNewLeft[i],
                                 a.BurstFrames[i], a.BurstExt[i], 0);
            }
            a.StarNewLeft[i] = static_cast<int16_t>(a.StarNewLeft[i] - 1);
        }

        // Move and draw.
        if (a.StarRebirthWait[i] >= 1) {
            a.StarRebirthWait[i] = static_cast<int16_t>(a.StarRebirthWait[i] - 1);
            if (a.StarRebirthWait[i] == 0) RebirthAfterDying(ctx, a, star, frame);
            continue;
        }
        const size_t type = static_cast<size_t>(a.StarType[i]);
        const size_t gal = static_cast<size_t>(a.StarGalaxy[i]);
        if (a.StarNovaLeft[i] >= 1) {
            a.StarNovaLeft[i] = static_cast<int16_t>(a.StarNovaLeft[i] - 1);
            if (a.StarNovaLeft[i] == 0) {
                RebirthAfterNova(ctx, a, star);
                continue;
            }
            a.StarAngle[i] += a.StarAngVel[i];
            const Vec3 v = RotateStar(a.StarRadius[i], a.StarAngle[i], a.StarHeight[i], a.TypeSpinSin[type],
                                      a.TypeSpinCos[type], axisPlane[type], a.GalViewX[gal], a.GalViewY[gal],
                                      a.GalViewZ[gal]);
            a.NovaZ[i] = v.z;
            if (v.z > kMinDepth) {
                a.NovaX[i] = v.x;
                a.NovaY[i] = v.y;
                DrawNovaBurst(ctx, v.x, v.y, v.z, a.StarNovaLeft[i],
                              NovaColour(ctx, a.StarType[i], a.BurstFrames[i], a.StarNovaLeft[i]),
                              a.BurstFrames[i], a.BurstExt[i]);
            }
            continue;
        }

        a.StarAngle[i] += a.StarAngVel[i];
        const Vec3 v = RotateStar(a.StarRadius[i], a.StarAngle[i], a.StarHeight[i], a.TypeSpinSin[type],
                                  a.TypeSpinCos[type], axisPlane[type], a.GalViewX[gal], a.GalViewY[gal],
                                  a.GalViewZ[gal]);
        if (!(v.z > kMinDepth)) continue;  // behind the viewer: nothing stored or drawn
        PixelPoint p;
        if (!ProjectPoint(geo, v.x, v.y, v.z, p)) continue;
        if (a.StarNewLeft[i] < 1) {
            a.TrailX[j] = p.x;
            a.TrailY[j] = p.y;
            dot(p.x, p.y, a.StarColor[i]);
        } else {
            a.BurstX[i] = p.x;
            a.BurstY[i] = p.y;
            a.BurstZ[i] = v.z;
            DrawNewStarBurst(ctx, p.x, p.y, v.z, a.StarNewLeft[i], a.BurstFrames[i], a.BurstExt[i], kWhite);
        }
    }

    if (visiting && ctx.Settings.Universe_GravForce == 0.0f) UpdateComets(ctx, a, frame);
    a.TrailCursor = (a.TrailCursor + 1) % trail;
    SelectRebirths(ctx, a, quota);
}

}  // namespace astrelle
