// The galaxy and composite preview: one galaxy object of a single type or composite,
// seen from its core distance by a fixed camera, with all its star events and a cloud of
// ambient stars around it. The properties dialog and the welcome screen drive it through
// SetupSurface and RunPreview; the dialog reads its fields and passes plain values.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/engine_state.h"

namespace astrelle {

enum class SurfaceSize : uint8_t {
    Normal,
    Small,  // the welcome screen: PixelSize 1, FocalLength 1, frame delay 32 ms
};

// Prepares ctx.Surface, which the host has sized to its drawing area: clears it, derives
// the geometry from its size and the current Geometry.FocalLength / PixelSize, and seeds
// the random source from the host's clock seed.
void SetupSurface(EngineContext& ctx, SurfaceSize size);

enum class PreviewSubject : uint8_t { GalaxyType, CompositeType };

struct PreviewParams {
    int16_t typeIndex = 0;  // galaxy type 0..31 or composite row 0..15
    PreviewSubject subject = PreviewSubject::GalaxyType;
    bool limited = false;  // stop after frameLimit frames
    int16_t frameLimit = 0;
    int16_t stars = 2500;
    int16_t trail = 2;
    int16_t ambientCount = 200;
    float ambientPersistence = 0.999f;
    float ambientAgeStep = 0.07f;
    float symmetry = 0.1f;
    int16_t flareFrames = 40;
    float extension = 15000.0f;  // ambient flare extension in setting units
    float starScale = 1.0f;
};

// The values a preview of the dialog or of a tool starts from, as read from the fields or
// the settings and before the preview's limits hold them.
struct PreviewInput {
    double stars = 2500;
    double trail = 2;
    double ambientCount = 200;
    double ambientPersistence = 0.999;
    double ambientAgeStep = 0.07;
    double flareFrames = 40;
    double extension = 15000;
    double symmetry = 0.1;
};

// Holds each value to the preview's own limits, which are not the saver's: stars
// 10..30000, trail 1..999, ambient count 1..999, persistence 0.25..0.999, age step 0..10,
// flare frames 0..999, flare extension 1..99999 (the preview draws it at a hundredth of the
// saver's scale), symmetry 0..1. Whole numbers round halves to even first; NaN gives the
// lower limit. The dialog and the render tool both start their previews through this, so
// the same settings look the same in both.
void HoldToPreviewLimits(const PreviewInput& input, PreviewParams& params);

// Runs the preview until the frame limit, a stop from EndOfFrame or the preview stop
// button (PreviewStopRequested, cleared here). Returns the number of frames drawn. The
// type table is handed back exactly as it came in; the engine settings it sets for the
// run (stars, trail, ambient values) and the composite mark stay.
// observer, when given, sees the state after every frame (tools and tests look at it).
using PreviewObserver = std::function<void(EngineContext&, RuntimeArrays&, int32_t frame)>;
int32_t RunPreview(EngineContext& ctx, const PreviewParams& params, const PreviewObserver& observer = {});

}  // namespace astrelle
