// Loading the display and universe settings, and the host sequences.
#include "engine/engine_setup.h"

#include <algorithm>

#include "engine/colour.h"
#include "engine/universe.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "settings/value_utils.h"

namespace astrelle {

namespace {

constexpr size_t kLockMessageChars = 50;
constexpr double kPreviewStarScale = 0.65;
constexpr double kPreviewAmbientScale = 0.5;

const SettingDef& Def(std::string_view key) {
    return *FindSetting(key);
}

int16_t Int16Of(SettingsStore& store, std::string_view key) {
    return GetSettingInt16(store, Def(key));
}
int32_t Int32Of(SettingsStore& store, std::string_view key) {
    return GetSettingInt32(store, Def(key));
}
float FloatOf(SettingsStore& store, std::string_view key) {
    return GetSettingFloat(store, Def(key));
}
// Flags are true for any stored number but 0, and held as -1 / 0.
int16_t FlagOf(SettingsStore& store, std::string_view key) {
    return Int16Of(store, key) != 0 ? kTrue16 : kFalse16;
}

// Pixels across a measured length. A units-per-pixel value below 1 (never set by a real
// display) counts as 1 rather than dividing by zero.
int32_t ToPixels(int32_t length, SizeUnits units, int16_t unitsPerPixel) {
    const double divisor = units == SizeUnits::Twips && unitsPerPixel >= 1 ? unitsPerPixel : 1.0;
    return RoundToInt32Saturated(static_cast<double>(length) / divisor);
}

}  // namespace

void LoadDisplaySettings(EngineContext& ctx, SettingsStore& store, int32_t innerWidth, int32_t innerHeight,
                         SizeUnits units) {
    EngineSettings& st = ctx.Settings;
    st.Adv_TimeDelay = Int32Of(store, "Adv_TimeDelay");
    const int16_t pixelSize = HoldInt16(Def("PixelSize"), Int16Of(store, "PixelSize"));
    const float focalLength = HoldFloat(Def("FocalLength"), FloatOf(store, "FocalLength"));
    st.MessageFontName = GetSettingText(store, Def("Adv_FontName"));
    if (st.MessageFontName.empty()) st.MessageFontName = Def("Adv_FontName").missingText;
    st.MessageFontSize = HoldInt16(Def("Adv_FontSize"), Int16Of(store, "Adv_FontSize"));
    st.MessageHue = HoldInt16(Def("Adv_FontHueV"), Int16Of(store, "Adv_FontHueV"));
    const std::string message = GetSettingText(store, Def("LockMessage"));
    st.MessageText = std::string(Utf8Prefix(TrimBlanks(message), kLockMessageChars));

    const ProcessValues& process = ctx.Host.Process();
    const int32_t width = ToPixels(innerWidth, units, process.TwipsPerPixelX);
    const int32_t height = ToPixels(innerHeight, units, process.TwipsPerPixelY);
    ComputeGeometry(ctx.Geometry, width, height, focalLength, pixelSize);
}

void LoadUniverseSettings(EngineContext& ctx, SettingsStore& store, HostKind kind) {
    EngineSettings& st = ctx.Settings;
    st.Universe_Stars = Int32Of(store, "Universe_Stars");
    st.Universe_Galaxy = Int16Of(store, "Universe_Galaxy");
    st.Universe_STrail = RoundToInt16Saturated(FloatOf(store, "Universe_STrail"));
    st.Universe_Expand = FloatOf(store, "Universe_Expand");
    st.Universe_ESteps = Int16Of(store, "Universe_ESteps");
    st.Universe_Symetry = FloatOf(store, "Universe_Symetry");
    st.Universe_Persist = FloatOf(store, "Universe_Persist");
    st.Universe_Damping = FloatOf(store, "Universe_Damping");
    st.Universe_HWRatio = FloatOf(store, "Universe_HWRatio");
    st.Universe_Profile = Int16Of(store, "Universe_Profile");
    st.Universe_NewFreq = Int16Of(store, "Universe_NewFreq");
    st.Universe_NewPctStEx = Int16Of(store, "Universe_NewPctStEx");
    st.Universe_Tour = FlagOf(store, "Universe_Tour");
    st.Universe_GSteps = Int16Of(store, "Universe_GSteps");
    st.Universe_GPCtrl = Int16Of(store, "Universe_GPCtrl");
    st.Universe_GCCtrl = Int16Of(store, "Universe_GCCtrl");
    st.Universe_GVisit = Int16Of(store, "Universe_GVisit");
    st.Universe_DstCen = static_cast<float>(Int32Of(store, "Universe_DstCen"));
    st.Universe_AmStar = Int16Of(store, "Universe_AmStar");
    st.Universe_AmFrames = Int16Of(store, "Universe_AmFrames");
    st.Universe_AmMaxExt = FloatOf(store, "Universe_AmMaxExt");
    st.Universe_AmPers = FloatOf(store, "Universe_AmPers");
    st.Universe_AmCAge = FloatOf(store, "Universe_AmCAge");
    st.Universe_AmProf = FlagOf(store, "Universe_AmProf");
    st.Universe_GravForce = FloatOf(store, "Universe_GravForce");
    st.Universe_GravFrame = Int16Of(store, "Universe_GravFrame");

    // The small preview box shows fewer stars; both counts end as 16-bit values. A count
    // too large for 16 bits saturates, and the frame loop's clamp then takes it to its
    // upper bound as it would have anyway.
    const bool preview = kind == HostKind::PreviewBox;
    st.Universe_Stars = RoundToInt16Saturated(st.Universe_Stars * (preview ? kPreviewStarScale : 1.0));
    st.Universe_AmStar = RoundToInt16Saturated(st.Universe_AmStar * (preview ? kPreviewAmbientScale : 1.0));

    LoadAllGalaxyTypes(store, ctx.GalaxyTypes);
    LoadAllComposites(store, ctx.Composites);

    BuildHueTable(ctx);
    st.Universe_HW_Start = Int16Of(store, "Universe_HW_Start");
    st.Universe_HW_End = Int16Of(store, "Universe_HW_End");
    BuildAllHueRamps(ctx, -1, -1, st.Universe_HW_Start, st.Universe_HW_End);
}

void PrepareSurface(EngineContext& ctx) {
    ctx.Surface.Clear();
}

void RunSaverHostSequence(EngineContext& ctx, SettingsStore& store, HostKind kind,
                          const UniverseObserver& observer) {
    EngineHost& host = ctx.Host;
    ProcessValues& process = host.Process();
    process.StopRequested = kFalse16;
    const int32_t width = ctx.Surface.Width();
    const int32_t height = ctx.Surface.Height();
    if (kind == HostKind::Window) {
        ctx.HasDrawingSurface = true;
        LoadDisplaySettings(ctx, store, width, height, SizeUnits::Pixels);
        // Before the first run there are no galaxy types stored: store the factory ones.
        EnsureFirstRunGalaxyTypes(store, ctx.GalaxyTypes);
        ctx.Random.Seed(host.ClockSeed());
        ClearSurface(ctx);
    } else {
        // The preview's picture is measured in logical units and has no surface of its own
        // to clear between universes or to show the lock message on.
        ctx.HasDrawingSurface = false;
        LoadDisplaySettings(ctx, store, width * std::max<int32_t>(1, process.TwipsPerPixelX),
                            height * std::max<int32_t>(1, process.TwipsPerPixelY), SizeUnits::Twips);
        ctx.Random.Seed(host.ClockSeed());
    }
    while (process.StopRequested == 0) {
        LoadUniverseSettings(ctx, store, kind);
        PrepareSurface(ctx);
        RunUniverse(ctx, observer);
    }
}

}  // namespace astrelle
