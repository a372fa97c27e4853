// UpdateGalaxyFrame: one frame of every star of every galaxy object. Each star erases
// what it showed last frame, moves along its orbit, and is drawn as a dot (leaving a
// trail of its last T positions), a white sparkle or a nova burst; dying stars vanish
// tail first and are reborn. Then the comets run, the trail ring advances and the stars
// that die next are chosen. The surface is never cleared; erasing is redrawing in black.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

namespace astrelle {

// g: visited galaxy object; s: control step within the visit (previews pass 32000);
// t: camera spline parameter 0..1; visiting: false on the return leg; preview: the kind
// of preview, or None for the saver. Comets run only while visiting with no gravity.
void UpdateGalaxyFrame(EngineContext& ctx, RuntimeArrays& arrays, int16_t g, int16_t s, float t,
                       bool visiting, PreviewKind preview);

}  // namespace astrelle
