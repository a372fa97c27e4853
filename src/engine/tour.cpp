// The camera spline, the control points of the visits and the return leg, and the order
// of work within one tour frame.
#include "engine/tour.h"

#include "engine/ambient_stars.h"
#include "engine/galaxy_frame.h"
#include "engine/gravity.h"
#include "engine/star_events.h"

namespace astrelle {

namespace {

constexpr float kSixth = 0.16666667f;

float SplineValue(float t, float p0, float p1, float p2, float p3) {
    const float t2 = t * t;
    const float t3 = t2 * t;
    return kSixth * ((-p0 + 3.0f * p1 - 3.0f * p2 + p3) * t3 + (3.0f * p0 - 6.0f * p1 + 3.0f * p2) * t2 +
                     (-3.0f * p0 + 3.0f * p2) * t + (p0 + 4.0f * p1 + p2));
}

// The frames of one control step. t accumulates in single precision, so the frame at
// t = 1 may be skipped by rounding, as the schedule allows.
bool StepFrames(EngineContext& ctx, RuntimeArrays& a, FrameReporter& report, TourLeg leg, int16_t g,
                int16_t k) {
    // A step that is not positive would never reach the end of the segment.
    const float dt = a.TourStep > 0.0f ? a.TourStep : 1.0f;
    for (float t = 0.0f; t <= 1.0f; t += dt) {
        if (RunTourFrame(ctx, a, report, leg, g, k, t)) return true;
    }
    return false;
}

}  // namespace

// In the order the picture depends on: camera, gravity, the objects relative to the
// camera, spin, stars, ambient stars, then the wait.
bool RunTourFrame(EngineContext& ctx, RuntimeArrays& a, FrameReporter& report, TourLeg leg, int16_t g,
                  int16_t k, float t) {
    const EngineSettings& st = ctx.Settings;
    const bool visit = leg == TourLeg::Visit;
    const Vec3 s = EvalBSpline(t, a.Control[0], a.Control[1], a.Control[2], a.Control[3]);
    // Only visit frames restart the frame clock: the pull-back is measured from the last
    // visit frame and so runs without the frame delay.
    if (visit) ctx.FrameStartTick = ctx.Host.TickCount();
    a.Camera = (visit && st.Universe_Tour == 0) ? Vec3{} : s;
    const Vec3 d{a.PrevCamera.x - a.Camera.x, a.PrevCamera.y - a.Camera.y, a.PrevCamera.z - a.Camera.z};
    a.PrevCamera = a.Camera;
    // Ambient stars stand still in the world: they move by the camera step.
    for (size_t i = 0; i < static_cast<size_t>(a.AmbientCount); ++i) {
        a.AmbDeltaX[i] = d.x;
        a.AmbDeltaY[i] = d.y;
        a.AmbDeltaZ[i] = d.z;
    }
    if (visit) ApplyGravity(ctx, a);
    for (size_t i = 0; i < static_cast<size_t>(a.GalaxyCount); ++i) {
        a.GalViewX[i] = a.GalWorldX[i] - a.Camera.x;
        a.GalViewY[i] = a.GalWorldY[i] - a.Camera.y;
        a.GalViewZ[i] = a.GalWorldZ[i] - a.Camera.z;
    }
    StepTypeSpin(ctx.GalaxyTypes, a);
    UpdateGalaxyFrame(ctx, a, g, k, t, visit, PreviewKind::None);

    AmbientFrame ambient;
    ambient.dX = d.x;
    ambient.dY = d.y;
    ambient.dZ = d.z;
    ambient.cX = a.Camera.x;
    ambient.cY = a.Camera.y;
    ambient.cZ = a.Camera.z;
    ambient.D = st.Universe_DstCen;
    ambient.W = st.Universe_Symetry;
    ambient.persist = st.Universe_AmPers;
    ambient.ageStep = st.Universe_AmCAge;
    ambient.expandRadius = a.ExpandRadius;
    ambient.expandStep = a.ExpandStep;
    ambient.mode = AmbientMode::Tour;
    UpdateAmbientStars(ctx, a, ambient);

    UniverseFrame& f = report.Frame();
    f.phase = visit ? UniversePhase::Visit : UniversePhase::ReturnLeg;
    f.g = g;
    f.k = k;
    f.t = t;
    report.Report(ctx, a);
    return EndOfFrame(ctx);
}

Vec3 EvalBSpline(float t, const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3) {
    return {SplineValue(t, p0.x, p1.x, p2.x, p3.x), SplineValue(t, p0.y, p1.y, p2.y, p3.y),
            SplineValue(t, p0.z, p1.z, p2.z, p3.z)};
}

void PushControlPoint(RuntimeArrays& a, const Vec3& p) {
    a.Control[0] = a.Control[1];
    a.Control[1] = a.Control[2];
    a.Control[2] = a.Control[3];
    a.Control[3] = p;
}

bool RunTour(EngineContext& ctx, RuntimeArrays& a, FrameReporter& report) {
    const EngineSettings& st = ctx.Settings;
    const int32_t approach = st.Universe_GPCtrl;
    const int32_t core = st.Universe_GCCtrl;

    for (int32_t g = 0; g < a.GalaxyCount; ++g) {
        const int16_t base = HomeType(ctx, a, g);
        const float dist = ctx.GalaxyTypes[static_cast<size_t>(base)].Distance;
        for (int32_t k = 1; k <= approach + core; ++k) {
            // Read now: gravity may have moved the object since the last push.
            const size_t gi = static_cast<size_t>(g);
            const float x = a.GalWorldX[gi];
            const float y = a.GalWorldY[gi];
            const float z = a.GalWorldZ[gi];
            if (k <= approach) {
                PushControlPoint(a, {x, y, z - dist});  // in front of the centre
            } else {
                // Marching along +z through the core, the last 0.5 Dist beyond the centre.
                // core > 0 here, since k > approach.
                const double along = static_cast<double>(dist) * 1.5 * (k - approach) / core;
                PushControlPoint(a, {x, y, static_cast<float>(static_cast<double>(z - dist) + along)});
            }
            if (k == approach + 1) {
                ctx.CurrentGalType = base;
                ResetEventBuffer(ctx, a, static_cast<int16_t>(g));
            }
            if (StepFrames(ctx, a, report, TourLeg::Visit, static_cast<int16_t>(g),
                           static_cast<int16_t>(k))) {
                return true;
            }
        }
    }

    ctx.CurrentGalType = 0;
    if (st.Universe_Tour == 0) a.Control.fill(Vec3{});  // pull back from where the camera stood
    // A galaxy index above 0 makes the reset erase the comet particles still shown, so none
    // stay behind on the picture during the pull-back.
    ResetEventBuffer(ctx, a, static_cast<int16_t>(a.GalaxyCount));

    const float D = st.Universe_DstCen;
    for (int32_t k = 1; k <= approach + 1; ++k) {
        const float z = k < approach ? -D : (k == approach ? -10.0f * D : -5000.0f * D);
        PushControlPoint(a, {0.0f, 0.0f, z});
        if (StepFrames(ctx, a, report, TourLeg::Return, 0, static_cast<int16_t>(k))) return true;
    }
    return false;
}

}  // namespace astrelle
