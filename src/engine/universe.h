// RunUniverse: the one animation procedure of the saver, used by the full-screen window,
// the windowed program and the preview box. It holds the universe settings to their
// ranges, converts them and the galaxy type table to engine units, sizes every runtime
// array once, and then repeats universe cycles (creation, tour, clear) until a stop.
#pragma once

#include "engine/engine_state.h"
#include "engine/frame_loop.h"

namespace astrelle {

// Holds every universe setting to its range, in a fixed order, and converts the ones the
// engine uses in other units: Universe_Damping becomes the per-frame retention
// (1 - d) * 0.5 + 0.5, the trail is limited to 30000 div Universe_Stars entries per star
// (so stars x trail never exceeds 30000), Universe_Expand x 0.001, Universe_DstCen x 0.01,
// Universe_AmMaxExt x 0.01, Universe_GravForce x 1e-7 and Universe_NewPctStEx to a
// fraction. Expects the values as stored (LoadUniverseSettings); converting twice would
// shrink them again.
void PrepareUniverseSettings(EngineSettings& settings);

// Runs universe cycles until StopRequested: after LoadUniverseSettings (settings as
// stored, type table freshly loaded) and PrepareSurface. Leaves the type table in engine
// units; the next LoadUniverseSettings reloads it. The observer, when given, sees every
// frame (tools and tests).
void RunUniverse(EngineContext& ctx, const UniverseObserver& observer = {});

}  // namespace astrelle
