// Gravity between galaxy objects: while the camera visits them, every object accelerates
// towards every other and moves, and the tour's control points follow the moved objects.
#pragma once

#include "engine/engine_state.h"

namespace astrelle {

// One gravity step of a visit frame over GalWorld* and GalVel*. Nothing happens unless
// Universe_GravForce (engine units) is above 0. Velocities are recomputed when
// ctx.GravityCounter, advanced modulo Universe_GravFrame, comes round to 0; positions move
// every frame. Objects are moved one by one, so object i already sees the new positions
// of objects 0..i-1 of the same frame. Every pair attracts with the difference vector
// times force / (r^2 + 1e-9), in single precision and index order.
void ApplyGravity(EngineContext& ctx, RuntimeArrays& arrays);

}  // namespace astrelle
