// The universe tour: after the creation the camera flies along a uniform cubic B-spline
// over a sliding window of four control points, placed relative to each galaxy object in
// turn (approach, then through its core), and after the last one pulls back out of the
// universe. The control points follow objects that gravity moves.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"
#include "engine/frame_loop.h"

namespace astrelle {

// One point of the uniform cubic B-spline segment over p0..p3 at t (0..1): near p1 at
// t = 0, near p2 at t = 1, and continuous in position, velocity and acceleration when the
// window shifts by one point.
Vec3 EvalBSpline(float t, const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3);

// Shifts the control window by one point: p becomes the newest.
void PushControlPoint(RuntimeArrays& arrays, const Vec3& p);

enum class TourLeg : uint8_t { Visit, Return };

// One frame of the tour at spline parameter t of control step k of the visit of object g
// (g = 0 on the return leg): camera, camera step, gravity (visits only), the objects
// relative to the camera, spin, stars, ambient stars, EndOfFrame. Visit frames restart
// the frame clock; return-leg frames do not. True when the run must end.
bool RunTourFrame(EngineContext& ctx, RuntimeArrays& arrays, FrameReporter& report, TourLeg leg, int16_t g,
                  int16_t k, float t);

// Every frame of one cycle after the creation: the visits of all galaxy objects in index
// order with Universe_GPCtrl + Universe_GCCtrl control steps each, then the return leg of
// Universe_GPCtrl + 1 steps; each step runs the frames t = 0, dt, 2 dt, ... while t <= 1.
// Expects GalWorld* set, GalVel* cleared, the control window and PrevCamera at the
// origin and TourStep = 1 / Universe_GSteps. Returns true when the run must end.
bool RunTour(EngineContext& ctx, RuntimeArrays& arrays, FrameReporter& report);

}  // namespace astrelle
