// Engine calls of the host sequences.
// TEMPORARY: the universe cycle (RunUniverse and its set-up) is not in this branch yet.
// Until it is merged the hosts show the galaxy preview loop instead: one galaxy type after
// another from the stored table, each for a while, with the stored display, message and
// star settings. It is a stand-in to exercise the windows, not the saver's animation.
#include "shell/animation_glue.h"

#include <algorithm>
#include <string>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/frame_loop.h"
#include "engine/preview.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "settings/value_utils.h"
#include "shell/stored_settings.h"

namespace astrelle {
namespace {

constexpr int32_t kFramesPerType = 1200;

int16_t Int16Of(SettingsStore& store, const char* key) {
    return GetSettingInt16(store, *FindSetting(key));
}
float FloatOf(SettingsStore& store, const char* key) {
    return GetSettingFloat(store, *FindSetting(key));
}

// The message values as the display set-up loads them: trimmed and cut text, a font name
// that is never empty, size and hue held to their ranges.
MessageStyle LoadMessage(SettingsStore& store) {
    MessageStyle style;
    std::string text(TrimBlanks(GetSettingText(store, *FindSetting("LockMessage"))));
    if (text.size() > 50) text.resize(50);
    style.text = QString::fromStdString(text);
    style.fontName = QString::fromStdString(GetSettingText(store, *FindSetting("Adv_FontName")));
    style.pointSize = ClampInt16(Int16Of(store, "Adv_FontSize"), 10, 80);
    style.colour = HueColor(ClampInt16(Int16Of(store, "Adv_FontHueV"), 0, 359));
    return style;
}

}  // namespace

void RunHostSequence(HostWindow kind, QtEngineHost& host, PixelSurface& surface) {
    ProcessValues& process = host.Process();
    SettingsStore& store = ProcessSettingsStore();
    const bool preview = kind == HostWindow::PreviewBox;

    GalaxyTypeTable& types = ProcessGalaxyTypes();
    CompositeTable& composites = ProcessComposites();
    if (!preview) EnsureFirstRunGalaxyTypes(store, types);
    LoadAllGalaxyTypes(store, types);
    LoadAllComposites(store, composites);

    EngineContext ctx(host, surface, types, composites);
    ctx.HasDrawingSurface = !preview;
    ctx.Settings.Adv_TimeDelay = GetSettingInt32(store, *FindSetting("Adv_TimeDelay"));
    ctx.Geometry.PixelSize = ClampInt16(Int16Of(store, "PixelSize"), 1, 9);
    ctx.Geometry.FocalLength = ClampFloat(FloatOf(store, "FocalLength"), 0.01f, 9999.0f);
    const MessageStyle message = LoadMessage(store);
    host.SetMessageSource([message] { return message; });
    SetupSurface(ctx, SurfaceSize::Normal);
    BuildHueTable(ctx);
    BuildAllHueRamps(ctx, -1, -1, Int16Of(store, "Universe_HW_Start"), Int16Of(store, "Universe_HW_End"));
    if (!preview) host.RefreshMessage();
    ctx.LastMessageTick = host.TickCount();

    PreviewParams p;
    p.subject = PreviewSubject::GalaxyType;
    p.limited = true;
    p.frameLimit = kFramesPerType;
    p.stars = GetSettingInt16(store, "Universe", "Universe_Stars", 2500);
    p.starScale = preview ? 0.65f : 1.0f;
    p.trail = Int16Of(store, "Universe_STrail");
    p.ambientCount = RoundToInt16Saturated(Int16Of(store, "Universe_AmStar") * (preview ? 0.5 : 1.0));
    p.ambientPersistence = FloatOf(store, "Universe_AmPers");
    p.ambientAgeStep = FloatOf(store, "Universe_AmCAge");
    p.symmetry = FloatOf(store, "Universe_Symetry");
    p.flareFrames = Int16Of(store, "Universe_AmFrames");
    p.extension = FloatOf(store, "Universe_AmMaxExt");
    for (int16_t type = 0; process.StopRequested == kFalse16; type = static_cast<int16_t>((type + 1) % 32)) {
        if (types[static_cast<size_t>(type)].Weight <= 0) {
            host.ProcessEvents(0);
            if (type == 31 && std::none_of(types.begin(), types.begin() + kGalaxyTypeCount,
                                           [](const GalaxyTypeRecord& r) { return r.Weight > 0; })) {
                p.typeIndex = 0;  // nothing weighted: show the first type anyway
            } else {
                continue;
            }
        } else {
            p.typeIndex = type;
        }
        RunPreview(ctx, p);
        if (process.StopRequested != kFalse16) break;
        ClearSurface(ctx);
    }
}

}  // namespace astrelle
