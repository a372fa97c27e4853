// Starting, running and stopping the dialog's preview.
#include "ui/logic/props_preview.h"

#include <algorithm>
#include <cmath>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/process_values.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "settings/value_utils.h"
#include "ui/logic/props_text.h"

namespace astrelle {

namespace {

template <class T>
T Held(double value, T low, T high) {
    if (std::isnan(value)) return low;
    return static_cast<T>(std::clamp<double>(value, low, high));
}

double NumberOf(const PropsView& view, std::string_view key) {
    return LeadingNumber(view.Text(Field(key)));
}

}  // namespace

PreviewRequest ReadPreviewRequest(const PropsView& view, SettingsStore& store, PreviewSubject subject,
                                  int16_t typeIndex) {
    PreviewRequest request;
    request.params.subject = subject;
    request.params.typeIndex = typeIndex;
    const SettingDef& pixelSize = *FindSetting("PixelSize");
    const SettingDef& focalLength = *FindSetting("FocalLength");
    const SettingDef& hueStart = *FindSetting("Universe_HW_Start");
    const SettingDef& hueEnd = *FindSetting("Universe_HW_End");
    request.pixelSize =
        Held<int16_t>(RoundHalfEven(NumberOf(view, pixelSize.key)), pixelSize.low, pixelSize.high);
    request.focalLength = Held<float>(NumberOf(view, focalLength.key), focalLength.low, focalLength.high);
    request.hueStart =
        Held<int16_t>(RoundHalfEven(NumberOf(view, hueStart.key)), hueStart.low, hueStart.high);
    request.hueEnd = Held<int16_t>(RoundHalfEven(NumberOf(view, hueEnd.key)), hueEnd.low, hueEnd.high);
    PreviewInput input;
    input.stars = NumberOf(view, "Universe_Stars");
    input.trail = NumberOf(view, "Universe_STrail");
    input.ambientCount = NumberOf(view, "Universe_AmStar");
    input.ambientPersistence = NumberOf(view, "Universe_AmPers");
    input.ambientAgeStep = NumberOf(view, "Universe_AmCAge");
    input.flareFrames = NumberOf(view, "Universe_AmFrames");
    input.extension = NumberOf(view, "Universe_AmMaxExt");
    input.symmetry = NumberOf(view, "Universe_Symetry");
    HoldToPreviewLimits(input, request.params);
    const SettingDef& delay = *FindSetting("Adv_TimeDelay");
    request.frameDelayMs = HoldInt32(delay, GetSettingInt32(store, delay));
    return request;
}

PropsPreview::PropsPreview(PropsView& view, const PropsEnvironment& env)
    : view_(view),
      env_(env),
      ctx_(std::make_unique<EngineContext>(view.Preview().Host(), view.Preview().Surface(), env.galaxyTypes,
                                           env.composites)) {}

PropsPreview::~PropsPreview() = default;

void PropsPreview::RebuildColourTables() {
    BuildHueTable(*ctx_);
}

void PropsPreview::RequestStop() {
    env_.process.PreviewStopRequested = kTrue16;
}

int32_t PropsPreview::Toggle(PreviewSubject subject) {
    const bool galaxy = subject == PreviewSubject::GalaxyType;
    const Control button = Own(galaxy ? ControlId::GalaxyPreview : ControlId::CompositePreview);
    if (running_) {
        RequestStop();  // the button reads "Stop"
        return 0;
    }
    const Control list = Own(galaxy ? ControlId::GalaxyTypeList : ControlId::CompositeList);
    const int row = view_.Selected(list);
    if (row < 0) {
        view_.ShowMessage(galaxy ? props_text::kSelectGalaxyType : props_text::kSelectCompositeType);
        view_.Focus(list);
        return 0;
    }
    const PreviewRequest request = ReadPreviewRequest(view_, env_.store, subject, static_cast<int16_t>(row));

    running_ = true;
    env_.process.PreviewStopRequested = kFalse16;
    view_.SetText(button, props_text::kStop);
    view_.SetPreviewRunning(button, true);
    view_.Focus(button);

    const int32_t frames = Run(request);  // events are handled meanwhile

    running_ = false;
    env_.process.PreviewStopRequested = kFalse16;
    view_.SetText(button, galaxy ? props_text::kGalPreview : props_text::kCompPreview);
    view_.SetPreviewRunning(button, false);
    return frames;
}

int32_t PropsPreview::Run(const PreviewRequest& request) {
    EngineContext& ctx = *ctx_;
    PreviewTarget& target = view_.Preview();
    target.FitSurface();
    ctx.Geometry.PixelSize = request.pixelSize;
    ctx.Geometry.FocalLength = request.focalLength;
    ctx.Settings.Adv_TimeDelay = request.frameDelayMs;
    SetupSurface(ctx, SurfaceSize::Normal);
    BuildHueTable(ctx);
    BuildAllHueRamps(ctx, request.hueStart, request.hueEnd, request.hueStart, request.hueEnd);
    const int32_t frames = RunPreview(ctx, request.params);
    target.Present();
    return frames;
}

}  // namespace astrelle
