// Life events of stars: how many stars die each frame (the rebirth quota and selection),
// where and as what a dying star is reborn, the white sparkle of a new star, the layered
// burst of a nova, and the comets that stream from a visited core. UpdateGalaxyFrame runs
// these in its fixed order; everything draws single pixels and is erased by drawing the
// same pixels again in black.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

namespace astrelle {

// What a frame was called with, as the event rules need it.
struct FrameInfo {
    int16_t g = 0;   // visited galaxy object (0 on the return leg and in previews)
    int16_t s = 0;   // control step within the visit
    float t = 0.0f;  // camera spline parameter
    float w = 1.0f;  // VisitBlend: 1 at t = 0, 0 at t = 1
    bool visiting = false;
    PreviewKind preview = PreviewKind::None;
};

// The home type of galaxy object g: its type, or a composite's first member.
int16_t HomeType(const EngineContext& ctx, const RuntimeArrays& arrays, int g);

// Rebirths per 100 frames for this frame.
int16_t NewStarQuota(const EngineContext& ctx, const RuntimeArrays& arrays, const FrameInfo& frame);

// Number of rebirths this frame for quota q: q div 100, plus one with chance (q mod 100)
// / 100, rounded as the rules round (q = 50 gives 2 or 0). Draws one U.
int32_t RebirthCount(RandomSource& random, int16_t quota);

// End of frame: marks up to RebirthCount stars (random picks, no retry) as dying.
void SelectRebirths(EngineContext& ctx, RuntimeArrays& arrays, int16_t quota);

// The galaxy type of a reborn star of StarGalaxy(i): the object's type, or a random member
// of its composite.
int16_t ChooseStarType(EngineContext& ctx, const RuntimeArrays& arrays, int32_t i);

// Star i's wait ran out: it is reborn in a galaxy object chosen by the visit, as a new star
// or a nova, and its first image is drawn in white.
void RebirthAfterDying(EngineContext& ctx, RuntimeArrays& arrays, int32_t i, const FrameInfo& frame);

// Star i's nova ended: it is reborn at once as a new star of the same galaxy object.
void RebirthAfterNova(EngineContext& ctx, RuntimeArrays& arrays, int32_t i);

// The white cross-shaped sparkle at pixel (x, y) and depth z: the centre, then the rings
// of the band of left / total. At most 33 pixels, always single device pixels.
void DrawNewStarBurst(EngineContext& ctx, int32_t x, int32_t y, float z, int16_t left, int16_t total,
                      float ext, uint32_t colour);

// The nova image around view-space (x, y, z), in up to five depth layers; at most 97
// pixels, always single device pixels.
void DrawNovaBurst(EngineContext& ctx, float x, float y, float z, int16_t left, uint32_t colour,
                   int16_t total, float ext);

// Ramp colour of a nova in the frames after its first (left already decremented).
uint32_t NovaColour(EngineContext& ctx, int16_t type, int16_t total, int16_t left);

// One frame of comets around the visited core.
void UpdateComets(EngineContext& ctx, RuntimeArrays& arrays, const FrameInfo& frame);

// Erases every comet particle still drawn, frees all comet slots and sets EvtSlotStride
// from CometStars of CurrentGalType. galaxyIndex is the galaxy whose core is entered.
void ResetEventBuffer(EngineContext& ctx, RuntimeArrays& arrays, int16_t galaxyIndex);

// Comet slots for a type with cometStars particles per comet: at most 2500 particles and
// 100 slots in all.
int16_t CometSlotCount(int16_t cometStars);

}  // namespace astrelle
