// The gravity pass. At 999 objects a recomputation is about a million pair evaluations,
// so the pair loop runs over raw float pointers with no calls in it; the sums stay in
// index order and single precision, so the result is the same as the plain loop.
#include "engine/gravity.h"

namespace astrelle {

namespace {

constexpr float kSoftening = 1e-9f;  // only keeps coincident objects from dividing by zero

struct Accumulator {
    float x, y, z;
};

// Adds the pull of objects [from, to) on an object at (px, py, pz).
inline void AddPulls(Accumulator& v, const float* x, const float* y, const float* z, int32_t from, int32_t to,
                     float px, float py, float pz, float force) {
    for (int32_t j = from; j < to; ++j) {
        const float dx = x[j] - px;
        const float dy = y[j] - py;
        const float dz = z[j] - pz;
        const float r2 = dx * dx + dy * dy + dz * dz;
        const float f = force / (r2 + kSoftening);
        v.x += dx * f;
        v.y += dy * f;
        v.z += dz * f;
    }
}

}  // namespace

void ApplyGravity(EngineContext& ctx, RuntimeArrays& a) {
    const float force = ctx.Settings.Universe_GravForce;
    if (!(force > 0.0f)) return;
    const int16_t every = ctx.Settings.Universe_GravFrame > 0 ? ctx.Settings.Universe_GravFrame : 1;
    ctx.GravityCounter = static_cast<int16_t>((ctx.GravityCounter + 1) % every);
    const bool recompute = ctx.GravityCounter == 0;

    const int32_t count = a.GalaxyCount;
    float* const x = a.GalWorldX.data();
    float* const y = a.GalWorldY.data();
    float* const z = a.GalWorldZ.data();
    float* const vx = a.GalVelX.data();
    float* const vy = a.GalVelY.data();
    float* const vz = a.GalVelZ.data();
    for (int32_t i = 0; i < count; ++i) {
        if (recompute) {
            Accumulator v{vx[i], vy[i], vz[i]};
            const float px = x[i];
            const float py = y[i];
            const float pz = z[i];
            AddPulls(v, x, y, z, 0, i, px, py, pz, force);
            AddPulls(v, x, y, z, i + 1, count, px, py, pz, force);
            vx[i] = v.x;
            vy[i] = v.y;
            vz[i] = v.z;
        }
        x[i] += vx[i];
        y[i] += vy[i];
        z[i] += vz[i];
    }
}

}  // namespace astrelle
