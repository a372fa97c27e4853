// Ambient star frame: erase, maybe replace, move, draw.
#include "engine/ambient_stars.h"

#include <algorithm>

#include "engine/projection.h"
#include "engine/star_events.h"
#include "engine/star_generation.h"
#include "settings/rounding.h"

namespace astrelle {

void UpdateAmbientStars(EngineContext& ctx, RuntimeArrays& a, const AmbientFrame& f) {
    const EngineSettings& st = ctx.Settings;
    // With no expansion there is nothing to drift with (and nothing to divide by).
    const float ratio = f.expandRadius != 0.0f ? f.expandStep / f.expandRadius : 0.0f;
    const int16_t flareFrames = st.Universe_AmFrames;
    const float flareExt = st.Universe_AmMaxExt;
    for (size_t i = 0; i < static_cast<size_t>(a.AmbientCount); ++i) {
        if (a.AmbFlareLeft[i] == 0) {
            DrawDot(ctx, a.AmbScreenX[i], a.AmbScreenY[i], 0);
            a.AmbAge[i] += f.ageStep;
        } else {
            if (a.AmbZ[i] > kMinDepth) {
                DrawNewStarBurst(ctx, a.AmbScreenX[i], a.AmbScreenY[i], a.AmbZ[i], a.AmbFlareLeft[i],
                                 flareFrames, flareExt, 0);
            }
            a.AmbFlareLeft[i] = static_cast<int16_t>(a.AmbFlareLeft[i] - 1);
        }

        if (ctx.Random.Next() >= f.persist && a.AmbFlareLeft[i] < 1) {
            const Vec3 p = st.Universe_AmProf != 0 ? PlaceInUniverse(ctx, f.expandRadius, f.W)
                                                   : RandomInShellBlend(ctx, f.expandRadius, f.W);
            if (f.mode == AmbientMode::Creation) {
                a.AmbDeltaX[i] = p.x * ratio;
                a.AmbDeltaY[i] = p.y * ratio;
                a.AmbDeltaZ[i] = p.z * ratio;
            } else {
                a.AmbDeltaX[i] = f.dX;
                a.AmbDeltaY[i] = f.dY;
                a.AmbDeltaZ[i] = f.dZ;
            }
            a.AmbX[i] = p.x - f.cX;
            a.AmbY[i] = p.y - f.cY;
            a.AmbZ[i] = p.z - f.cZ + f.D;
            a.AmbFlareLeft[i] = flareFrames;
            a.AmbAge[i] = 0.0f;
            continue;  // shown from the next frame on
        }

        a.AmbX[i] += a.AmbDeltaX[i];
        a.AmbY[i] += a.AmbDeltaY[i];
        a.AmbZ[i] += a.AmbDeltaZ[i];
        if (!(a.AmbZ[i] > kMinDepth)) continue;
        PixelPoint p;
        if (!ProjectPoint(ctx.Geometry, a.AmbX[i], a.AmbY[i], a.AmbZ[i], p)) continue;
        a.AmbScreenX[i] = p.x;
        a.AmbScreenY[i] = p.y;
        if (a.AmbFlareLeft[i] == 0) {
            int index = kRampSize - 1;
            if (a.AmbAge[i] < 100.0f) {
                index = std::min(kRampSize - 1, static_cast<int>(RoundHalfEven(a.AmbAge[i])));
            }
            DrawDot(ctx, p.x, p.y, ctx.UniverseHueRamp[static_cast<size_t>(std::max(0, index))]);
        } else {
            DrawNewStarBurst(ctx, p.x, p.y, a.AmbZ[i], a.AmbFlareLeft[i], flareFrames, flareExt, kWhite);
        }
    }
}

}  // namespace astrelle
