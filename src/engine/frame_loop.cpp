// Type-table units, per-type spin and hue, and the frame pacing over the host.
#include "engine/frame_loop.h"

#include <cstdlib>

#include "engine/fast_trig.h"

namespace astrelle {

namespace {

constexpr float kDegrees = 360.0f;
constexpr double kMessageRefreshMs = 3000;

template <class F>
void ForEachType(GalaxyTypeTable& table, F&& f) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) f(table[static_cast<size_t>(t)]);
}

float Times(float v, double factor) {
    return static_cast<float>(v * factor);
}

// Milliseconds between two wrapping tick counts, as the magnitude of their 32-bit signed
// difference.
int64_t TickDistance(uint32_t now, uint32_t then) {
    return std::llabs(static_cast<int64_t>(static_cast<int32_t>(now - then)));
}

}  // namespace

void ScaleTypeTable(GalaxyTypeTable& table) {
    const double toRadians = 2.0 * static_cast<double>(kPi) / static_cast<double>(kDegrees);
    ForEachType(table, [toRadians](GalaxyTypeRecord& r) {
        r.Radius = Times(r.Radius, 0.01);
        r.Distance = Times(r.Distance, 0.01);
        r.Rotation = Times(r.Rotation, 0.000001);
        r.ColorMult = Times(r.ColorMult, 0.1);
        r.NewExtMult = Times(r.NewExtMult, 0.001);
        r.NovaFreq = Times(r.NovaFreq, 0.0001);
        r.NovaExtMult = Times(r.NovaExtMult, 0.0001);
        r.CometFreq = Times(r.CometFreq, 0.0001);
        r.CometOrbit = Times(r.CometOrbit, 0.00001);
        r.CometSpeed = Times(r.CometSpeed, 0.00001);
        r.CometSWind = Times(r.CometSWind, 0.00001);
        r.AngleTilt = Times(-r.AngleTilt, toRadians);
        r.AngleTInc = Times(r.AngleTInc, toRadians);
    });
}

void UnscaleTypeTable(GalaxyTypeTable& table) {
    const double toDegrees = static_cast<double>(kDegrees) / static_cast<double>(kTwoPi);
    ForEachType(table, [toDegrees](GalaxyTypeRecord& r) {
        r.Radius = Times(r.Radius, 100);
        r.Distance = Times(r.Distance, 100);
        r.Rotation = Times(r.Rotation, 1e6);
        r.ColorMult = Times(r.ColorMult, 10);
        r.NewExtMult = Times(r.NewExtMult, 1000);
        r.NovaFreq = Times(r.NovaFreq, 10000);
        r.NovaExtMult = Times(r.NovaExtMult, 10000);
        r.CometFreq = Times(r.CometFreq, 10000);
        r.CometOrbit = Times(r.CometOrbit, 100000);
        r.CometSpeed = Times(r.CometSpeed, 100000);
        r.CometSWind = Times(r.CometSWind, 100000);
        r.AngleTilt = Times(-r.AngleTilt, toDegrees);
        r.AngleTInc = Times(r.AngleTInc, toDegrees);
    });
}

void StepTypeSpin(const GalaxyTypeTable& table, RuntimeArrays& a) {
    for (size_t k = 0; k < static_cast<size_t>(kGalaxyTypeCount); ++k) {
        float angle = a.TypeSpinAngle[k] + table[k].AngleTInc;
        if (angle >= kTwoPi) angle -= kTwoPi;
        a.TypeSpinAngle[k] = angle;
        SinCos(angle, a.TypeSpinSin[k], a.TypeSpinCos[k]);
        float hue = a.TypeHueAngle[k] + table[k].HWheelInc;
        if (hue >= kDegrees) hue -= kDegrees;
        a.TypeHueAngle[k] = hue;
    }
}

bool FrameWait(EngineContext& ctx) {
    EngineHost& host = ctx.Host;
    const int64_t delay = ctx.Settings.Adv_TimeDelay;
    for (;;) {
        const int64_t elapsed = TickDistance(host.TickCount(), ctx.FrameStartTick);
        const int64_t remaining = delay - elapsed;
        host.ProcessEvents(remaining > 0 ? static_cast<uint32_t>(remaining) : 0u);
        if (host.Process().StopRequested != 0) return true;
        if (TickDistance(host.TickCount(), ctx.FrameStartTick) >= delay) return false;
    }
}

bool EndOfFrame(EngineContext& ctx) {
    bool result = FrameWait(ctx);
    EngineHost& host = ctx.Host;
    ProcessValues& process = host.Process();
    if (process.RunMode == RunModeValue::Preview && !host.PreviewParentExists()) {
        process.StopRequested = kTrue16;
        result = true;
    }
    const uint32_t now = host.TickCount();
    if (static_cast<int32_t>(now - ctx.LastMessageTick) >= kMessageRefreshMs) {
        ctx.LastMessageTick = now;
        // The preview box is a picture, not a window of ours: no lock message there.
        if (ctx.HasDrawingSurface) host.RefreshMessage();
    }
    return result;
}

void ClearSurface(EngineContext& ctx) {
    if (!ctx.HasDrawingSurface) return;
    ctx.Surface.Clear();
    ctx.Host.RefreshMessage();
}

}  // namespace astrelle
