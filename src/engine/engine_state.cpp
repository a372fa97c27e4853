// Geometry derivation and the one-per-run allocation of the runtime arrays.
#include "engine/engine_state.h"

#include <algorithm>

#include "settings/rounding.h"

namespace astrelle {

void ComputeGeometry(EngineGeometry& geometry, int32_t width, int32_t height, float focalLength,
                     int16_t pixelSize) {
    geometry.ScreenW = std::max(0, width);
    geometry.ScreenH = std::max(0, height);
    if (!(focalLength >= 0.01f)) focalLength = 0.01f;  // also catches NaN
    if (focalLength > 9999.0f) focalLength = 9999.0f;
    geometry.FocalLength = focalLength;
    geometry.PixelSize = std::clamp<int16_t>(pixelSize, 1, 9);
    geometry.InvFocalLength = 1.0f / focalLength;
    geometry.CenterX = static_cast<int32_t>(RoundHalfEven(geometry.ScreenW * 0.5));
    geometry.CenterY = static_cast<int32_t>(RoundHalfEven(geometry.ScreenH * 0.5));
    geometry.CenterXFocal = static_cast<float>(geometry.CenterX) * focalLength;
    geometry.CenterYFocal = static_cast<float>(geometry.CenterY) * focalLength;
    // An empty surface keeps the aspect at 0 rather than dividing by zero.
    geometry.AspectHW = geometry.ScreenW > 0
                            ? static_cast<float>(geometry.ScreenH) / static_cast<float>(geometry.ScreenW)
                            : 0.0f;
}

namespace {

template <class T>
void Fill(std::vector<T>& v, int32_t n) {
    v.assign(static_cast<size_t>(n), T{});
}

}  // namespace

void RuntimeArrays::Allocate(int32_t stars, int32_t trail, int32_t galaxies, int32_t ambient) {
    StarCount = std::max(1, stars);
    TrailLength = std::max(1, trail);
    GalaxyCount = std::max(1, galaxies);
    AmbientCount = std::max(0, ambient);

    TypeSpinAngle.fill(0.0f);
    TypeSpinSin.fill(0.0f);
    TypeSpinCos.fill(1.0f);
    TypeHueAngle.fill(0.0f);

    for (auto* v : {&GalViewX, &GalViewY, &GalViewZ, &GalWorldX, &GalWorldY, &GalWorldZ, &GalVelX, &GalVelY,
                    &GalVelZ, &PullX, &PullY, &PullZ}) {
        Fill(*v, GalaxyCount);
    }
    Fill(GalType, GalaxyCount);

    for (auto* v : {&StarRadius, &StarAngle, &StarAngVel, &StarHeight, &BurstZ, &NovaX, &NovaY, &NovaZ,
                    &BurstExt, &StepSin, &StepCos}) {
        Fill(*v, StarCount);
    }
    Fill(StarColor, StarCount);
    for (auto* v : {&StarType, &StarGalaxy, &StarRebirthWait, &StarNewLeft, &StarNovaLeft, &BurstFrames}) {
        Fill(*v, StarCount);
    }
    for (auto* v : {&StarAge, &BurstX, &BurstY}) Fill(*v, StarCount);

    const int32_t trailEntries = StarCount * TrailLength;
    Fill(TrailX, trailEntries);
    Fill(TrailY, trailEntries);
    TrailCursor = 0;

    for (auto* v : {&AmbX, &AmbY, &AmbZ, &AmbDeltaX, &AmbDeltaY, &AmbDeltaZ, &AmbAge}) {
        Fill(*v, AmbientCount);
    }
    Fill(AmbScreenX, AmbientCount);
    Fill(AmbScreenY, AmbientCount);
    Fill(AmbFlareLeft, AmbientCount);

    Fill(CometActive, kCometSlots);
    Fill(CometLive, kCometSlots);
    for (auto* v : {&CometRadius, &CometHeight, &CometAngle, &CometAngVel}) Fill(*v, kCometSlots);
    for (auto* v : {&ParticleX, &ParticleY, &ParticleZ, &ParticleVX, &ParticleVY, &ParticleVZ}) {
        Fill(*v, kCometParticles);
    }
    Fill(EvtPixelX, kCometParticles);
    Fill(EvtPixelY, kCometParticles);
    Fill(ParticleAge, kCometParticles);
    Fill(EvtPixelDrawn, kCometParticles);
    EvtSlotStride = 0;
}

void RuntimeArrays::AllocateCreation() {
    for (auto* v : {&BirthX, &BirthY, &BirthZ, &BirthVelX, &BirthVelY, &BirthVelZ}) Fill(*v, StarCount);
    Fill(BirthState, StarCount);
    Fill(BirthAge, StarCount);
    for (auto* v : {&GalDriftX, &GalDriftY, &GalDriftZ}) Fill(*v, GalaxyCount);
    TypeWeightSum.fill(0);
}

}  // namespace astrelle
