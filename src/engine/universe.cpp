// The clamps and conversions of a run and the cycle loop.
#include "engine/universe.h"

#include <algorithm>

#include "engine/tour.h"
#include "engine/universe_creation.h"

namespace astrelle {

namespace {

const SettingDef& Def(std::string_view key) {
    return *FindSetting(key);
}

void Hold(std::string_view key, int16_t& value) {
    value = HoldInt16(Def(key), value);
}
void Hold(std::string_view key, int32_t& value) {
    value = HoldInt32(Def(key), value);
}
void Hold(std::string_view key, float& value) {
    value = HoldFloat(Def(key), value);
}

float Times(float value, double factor) {
    return static_cast<float>(static_cast<double>(value) * factor);
}

}  // namespace

void PrepareUniverseSettings(EngineSettings& st) {
    Hold("Universe_Stars", st.Universe_Stars);
    Hold("Universe_Galaxy", st.Universe_Galaxy);
    Hold("Universe_STrail", st.Universe_STrail);
    Hold("Universe_Expand", st.Universe_Expand);
    Hold("Universe_ESteps", st.Universe_ESteps);
    Hold("Universe_Symetry", st.Universe_Symetry);
    Hold("Universe_Persist", st.Universe_Persist);
    Hold("Universe_Damping", st.Universe_Damping);
    st.Universe_Damping = static_cast<float>((1.0 - static_cast<double>(st.Universe_Damping)) * 0.5 + 0.5);
    Hold("Universe_HWRatio", st.Universe_HWRatio);
    Hold("Universe_Profile", st.Universe_Profile);
    Hold("Universe_NewFreq", st.Universe_NewFreq);
    Hold("Universe_NewPctStEx", st.Universe_NewPctStEx);  // rounded first: whole percents
    st.Universe_NewPctStEx = Times(st.Universe_NewPctStEx, 0.01);
    Hold("Universe_GSteps", st.Universe_GSteps);
    Hold("Universe_GPCtrl", st.Universe_GPCtrl);
    Hold("Universe_GCCtrl", st.Universe_GCCtrl);
    Hold("Universe_DstCen", st.Universe_DstCen);
    Hold("Universe_AmStar", st.Universe_AmStar);
    Hold("Universe_AmFrames", st.Universe_AmFrames);
    Hold("Universe_AmMaxExt", st.Universe_AmMaxExt);
    Hold("Universe_AmPers", st.Universe_AmPers);
    Hold("Universe_AmCAge", st.Universe_AmCAge);
    Hold("Universe_GravForce", st.Universe_GravForce);
    Hold("Universe_GravFrame", st.Universe_GravFrame);

    // Universe_Stars is at least 10 here, so the division is safe.
    st.Universe_STrail =
        static_cast<int16_t>(std::min<int32_t>(st.Universe_STrail, 30000 / st.Universe_Stars));
    st.Universe_Expand = Times(st.Universe_Expand, 0.001);
    st.Universe_DstCen = Times(st.Universe_DstCen, 0.01);
    st.Universe_AmMaxExt = Times(st.Universe_AmMaxExt, 0.01);
    st.Universe_GravForce = Times(st.Universe_GravForce, 0.0000001);
}

void RunUniverse(EngineContext& ctx, const UniverseObserver& observer) {
    EngineSettings& st = ctx.Settings;
    PrepareUniverseSettings(st);

    // Everything the cycles need is sized here, once: no frame allocates.
    RuntimeArrays a;
    a.Allocate(st.Universe_Stars, st.Universe_STrail, st.Universe_Galaxy, st.Universe_AmStar);
    a.AllocateCreation();
    ScaleTypeTable(ctx.GalaxyTypes);

    ctx.CurrentGalType = 0;  // no visit yet; a run stopped in a core may have left one
    ProcessValues& process = ctx.Host.Process();
    FrameReporter report(observer);
    for (int64_t cycle = 0;; ++cycle) {
        report.StartCycle(cycle);
        a.TrailCursor = 0;
        a.ExpandStep = st.Universe_Expand;
        a.ExpandRadius = st.Universe_Expand;
        for (size_t k = 0; k < static_cast<size_t>(kGalaxyTypeCount); ++k) {
            a.TypeHueAngle[k] = static_cast<float>(ctx.GalaxyTypes[k].HueStart);
        }

        if (CreateUniverse(ctx, a, report) || process.StopRequested != 0) return;

        // The tour starts from the creation's final places, at rest, with the control
        // window at the origin where the camera stood during the creation.
        std::copy(a.GalViewX.begin(), a.GalViewX.end(), a.GalWorldX.begin());
        std::copy(a.GalViewY.begin(), a.GalViewY.end(), a.GalWorldY.begin());
        std::copy(a.GalViewZ.begin(), a.GalViewZ.end(), a.GalWorldZ.begin());
        std::fill(a.GalVelX.begin(), a.GalVelX.end(), 0.0f);
        std::fill(a.GalVelY.begin(), a.GalVelY.end(), 0.0f);
        std::fill(a.GalVelZ.begin(), a.GalVelZ.end(), 0.0f);
        a.Control.fill(Vec3{});
        a.PrevCamera = Vec3{};
        a.Camera = Vec3{};
        a.TourStep = 1.0f / static_cast<float>(st.Universe_GSteps);

        if (RunTour(ctx, a, report)) return;
        ClearSurface(ctx);
    }
}

}  // namespace astrelle
