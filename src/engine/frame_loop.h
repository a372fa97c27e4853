// Frame-loop helpers shared by the saver run and the previews: the conversion of the
// galaxy type table to engine units and back, the per-frame step of every type's spin and
// hue, and the end of a frame (wait for the frame delay inside the host's event loop,
// preview-parent check, lock-message refresh).
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

namespace astrelle {

// Rows 0..31 to engine units in place: Radius and Distance x 0.01, Rotation x 1e-6,
// ColorMult x 0.1, NewExtMult x 0.001, NovaFreq, NovaExtMult and CometFreq x 1e-4,
// CometOrbit, CometSpeed and CometSWind x 1e-5, AngleTilt to negated radians and
// AngleTInc to radians.
void ScaleTypeTable(GalaxyTypeTable& table);

// The inverse of ScaleTypeTable. Values pass through single precision each way, so the
// last digit may change; callers that must give back exactly what they got keep a copy.
void UnscaleTypeTable(GalaxyTypeTable& table);

// Advances every type's spin angle by AngleTInc (wrapping once at 2 pi) with its sine and
// cosine, and its hue offset by HWheelInc (wrapping once at 360).
void StepTypeSpin(const GalaxyTypeTable& table, RuntimeArrays& arrays);

// Processes events, sleeping in the host's event loop until Adv_TimeDelay ms have passed
// since FrameStartTick (at least one event pass even with delay 0). True when a stop was
// requested.
bool FrameWait(EngineContext& ctx);

// FrameWait, then the preview-box parent check and the lock-message refresh every
// 3000 ms. True when the run must end.
bool EndOfFrame(EngineContext& ctx);

// Between universe cycles: clears the surface and redraws the lock message. The preview
// box has no drawing surface of its own, so there it does nothing.
void ClearSurface(EngineContext& ctx);

}  // namespace astrelle
