// Star creation by profile: where a star of a galaxy type sits (distance from the axis,
// orbital angle, signed height), how fast it orbits and its colour, plus the random-point
// rules that place galaxy objects and ambient stars in the universe. Every U in the rules
// is one Next() of ctx.Random, drawn in the order written here; that order is part of
// the behaviour (the same seed gives the same universe).
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

namespace astrelle {

struct RadiusHeight {
    float r = 0.0f;
    float h = 0.0f;
};

// -1, 0 or +1.
inline float Sign(float v) {
    return v > 0.0f ? 1.0f : (v < 0.0f ? -1.0f : 0.0f);
}

// Writes the nine creation fields of star i for type t (0..31), in engine units. The
// colour comes from StarHue with hueOffset (the type's current TypeHueAngle).
void GenerateStar(EngineContext& ctx, RuntimeArrays& arrays, int32_t i, int16_t type, float hueOffset);

// Distance from the axis and signed height of a new star of type t (engine units).
RadiusHeight PlaceStar(EngineContext& ctx, int16_t type);

// The profile's envelope at r for radius R, with a random sign drawn after it (0 when
// the draw is exactly 0.5). Roots of negative arguments are taken as 0. Profiles outside
// 0..6 give 0 (the sign is still drawn).
float ProfileHeight(RandomSource& random, int16_t profile, float r, float R);

// The envelope alone, without the sign (the shape the profile list names); 0 for R = 0.
double ProfileEnvelope(int16_t profile, double r, double R);

// A point for a galaxy object or ambient star by Universe_Profile; m is the smallest
// fraction of the radius used. y is scaled by Universe_HWRatio.
Vec3 PlaceInUniverse(EngineContext& ctx, float radius, float m);

// Two uniform table angles (so points gather towards the z poles); x scaled by AspectHW.
Vec3 RandomOnSphere(EngineContext& ctx, float radius);

// Uniform in the ball by rejection. A negative radius is used as its size and a
// non-finite one as 0, so the loop always ends.
Vec3 RandomInBall(RandomSource& random, float radius);

// A point of the ball pushed towards its surface by m (1 = on the sphere); x scaled by
// AspectHW.
Vec3 RandomInShellBlend(EngineContext& ctx, float radius, float m);

}  // namespace astrelle
