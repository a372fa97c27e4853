// Frame-loop helpers shared by the saver run and the previews: the conversion of the
// galaxy type table to engine units and back, the per-frame step of every type's spin and
// hue, and the end of a frame (wait for the frame delay inside the host's event loop,
// preview-parent check, lock-message refresh).
#pragma once

#include <cstdint>
#include <functional>

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
// 3000 ms (only where there is a drawing surface). True when the run must end.
bool EndOfFrame(EngineContext& ctx);

// Between universe cycles: clears the surface and redraws the lock message. The preview
// box has no drawing surface of its own, so there it does nothing.
void ClearSurface(EngineContext& ctx);

// Where a frame of a universe cycle belongs.
enum class UniversePhase : uint8_t { Creation, Visit, ReturnLeg };

// What an observer learns about a frame of RunUniverse.
struct UniverseFrame {
    UniversePhase phase = UniversePhase::Creation;
    int64_t cycle = 0;          // universe cycle of this run, from 0
    int64_t frameInCycle = 0;   // from 0 at the first creation frame
    int64_t frameInRun = 0;     // from 0 at the first frame of the run
    int32_t creationFrame = 0;  // e, during the creation
    int16_t g = 0;              // visited galaxy object (0 on the return leg)
    int16_t k = 0;              // control step of the visit or of the return leg, from 1
    float t = 0.0f;             // spline parameter
};

// Sees every frame of a run once it is drawn, before the frame waits out its delay.
// Tools take pictures here and tests look at the state; an observer that sets
// StopRequested ends the run at this frame's EndOfFrame, as an input event would.
using UniverseObserver = std::function<void(EngineContext&, RuntimeArrays&, const UniverseFrame&)>;

// Counts the frames of a run and hands each to the observer, if there is one.
class FrameReporter {
  public:
    explicit FrameReporter(const UniverseObserver& observer) : observer_(observer) {}

    void StartCycle(int64_t cycle) {
        frame_.cycle = cycle;
        frame_.frameInCycle = 0;
    }
    UniverseFrame& Frame() { return frame_; }
    void Report(EngineContext& ctx, RuntimeArrays& arrays) {
        if (observer_) observer_(ctx, arrays, frame_);
        ++frame_.frameInCycle;
        ++frame_.frameInRun;
    }

  private:
    const UniverseObserver& observer_;
    UniverseFrame frame_;
};

}  // namespace astrelle
