// The birth of a universe: galaxy types are chosen for the galaxy objects by weight (or
// in sequence), then every star flies out of the universe centre on a fading trail while
// the objects drift apart, drops out and reappears as a member of a galaxy object, and
// the flight slows to a stop after Universe_ESteps frames. Ambient stars drift outward
// with the expansion.
#pragma once

#include "engine/engine_state.h"
#include "engine/frame_loop.h"

namespace astrelle {

// Plays the creation of a new universe with engine settings in force (RunUniverse has
// clamped and converted them and called AllocateCreation). Leaves the galaxy objects at
// their final places in GalView*, every star a member of a galaxy object, ExpandStep and
// ExpandRadius as the tour uses them. Returns true when EndOfFrame reported a stop; the
// creation then ends at once.
bool CreateUniverse(EngineContext& ctx, RuntimeArrays& arrays, FrameReporter& report);

}  // namespace astrelle
