// The dialog's preview: the engine context over the picture and the preview start-up.
#include "ui/preview_runner.h"

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/preview.h"
#include "ui/preview_view.h"

namespace astrelle {

PreviewRunner::PreviewRunner(PreviewView& view, GalaxyTypeTable& galaxyTypes, CompositeTable& composites,
                             ProcessValues& process)
    : view_(view),
      host_(process, [&view] { view.PresentDirty(); }),
      ctx_(std::make_unique<EngineContext>(host_, view.Surface(), galaxyTypes, composites)) {}

PreviewRunner::~PreviewRunner() = default;

void PreviewRunner::RebuildColourTables() {
    BuildHueTable(*ctx_);
}

int32_t PreviewRunner::Run(const PreviewRequest& request) {
    EngineContext& ctx = *ctx_;
    view_.PrepareSurface();
    ctx.Geometry.PixelSize = request.pixelSize;
    ctx.Geometry.FocalLength = request.focalLength;
    ctx.Settings.Adv_TimeDelay = request.frameDelayMs;
    SetupSurface(ctx, SurfaceSize::Normal);
    BuildHueTable(ctx);
    BuildAllHueRamps(ctx, request.hueStart, request.hueEnd, request.hueStart, request.hueEnd);

    PreviewParams params;
    params.typeIndex = request.typeIndex;
    params.subject = request.subject;
    params.limited = false;
    params.frameLimit = 0;
    params.stars = request.stars;
    params.trail = request.trail;
    params.ambientCount = request.ambientCount;
    params.ambientPersistence = request.ambientPersistence;
    params.ambientAgeStep = request.ambientAgeStep;
    params.symmetry = request.symmetry;
    params.flareFrames = request.flareFrames;
    params.extension = request.extension;
    params.starScale = 1.0f;
    const int32_t frames = RunPreview(ctx, params);
    view_.PresentDirty();
    return frames;
}

}  // namespace astrelle
