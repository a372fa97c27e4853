// Ambient stars: single background stars that flare up white, age through the universe
// ramp and are replaced at random. One call moves and draws all of them for one frame.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

namespace astrelle {

enum class AmbientMode : int16_t {
    Creation = 0,  // replaced stars drift outward with the expansion
    Tour = 1,      // replaced stars take the camera step, so they stand still in the world
};

struct AmbientFrame {
    float dX = 0, dY = 0, dZ = 0;  // camera step
    float cX = 0, cY = 0, cZ = 0;  // camera position
    float D = 0;                   // distance of the universe centre (or galaxy) ahead
    float W = 0;                   // symmetry: smallest fraction of the radius used
    float persist = 1;             // Universe_AmPers: chance a star is kept this frame
    float ageStep = 0;             // Universe_AmCAge
    float expandRadius = 0;        // radius new stars are placed in
    float expandStep = 0;
    AmbientMode mode = AmbientMode::Tour;
};

void UpdateAmbientStars(EngineContext& ctx, RuntimeArrays& arrays, const AmbientFrame& frame);

}  // namespace astrelle
