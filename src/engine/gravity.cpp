// The gravity pass. At 999 objects a recomputation is about a million pair evaluations.
// The pull terms of all objects on one object are independent, so they are computed in
// one loop the compiler runs several objects a step; only the sums over them depend on
// each other, and they stay in index order and single precision, so the result is
// exactly that of the plain loop.
#include "engine/gravity.h"

namespace astrelle {

namespace {

constexpr float kSoftening = 1e-9f;  // only keeps coincident objects from dividing by zero

// The pull of every object j on an object at (px, py, pz), one term per j (the object's
// own term is computed too and left out of the sums).
inline void PullTerms(const float* __restrict x, const float* __restrict y, const float* __restrict z,
                      int32_t count, float px, float py, float pz, float force, float* __restrict tx,
                      float* __restrict ty, float* __restrict tz) {
    for (int32_t j = 0; j < count; ++j) {
        const float dx = x[j] - px;
        const float dy = y[j] - py;
        const float dz = z[j] - pz;
        const float r2 = dx * dx + dy * dy + dz * dz;
        const float f = force / (r2 + kSoftening);
        tx[j] = dx * f;
        ty[j] = dy * f;
        tz[j] = dz * f;
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
    float* const tx = a.PullX.data();
    float* const ty = a.PullY.data();
    float* const tz = a.PullZ.data();
    for (int32_t i = 0; i < count; ++i) {
        if (recompute) {
            PullTerms(x, y, z, count, x[i], y[i], z[i], force, tx, ty, tz);
            float sx = vx[i];
            float sy = vy[i];
            float sz = vz[i];
            for (int32_t j = 0; j < i; ++j) {
                sx += tx[j];
                sy += ty[j];
                sz += tz[j];
            }
            for (int32_t j = i + 1; j < count; ++j) {
                sx += tx[j];
                sy += ty[j];
                sz += tz[j];
            }
            vx[i] = sx;
            vy[i] = sy;
            vz[i] = sz;
        }
        x[i] += vx[i];
        y[i] += vy[i];
        z[i] += vz[i];
    }
}

}  // namespace astrelle
