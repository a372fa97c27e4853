// The dialog's preview: the engine context over the picture and the preview start-up.
#include "ui/qt/preview_runner.h"

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/preview.h"
#include "ui/qt/surface_picture.h"

namespace astrelle {

PreviewRunner::PreviewRunner(SurfacePicture& view, GalaxyTypeTable& galaxyTypes, CompositeTable& composites,
                             ProcessValues& process)
    : view_(view),
      host_(process, [&view] { view.Present(); }),
      ctx_(std::make_unique<EngineContext>(host_, view.Surface(), galaxyTypes, composites)) {}

PreviewRunner::~PreviewRunner() = default;

void PreviewRunner::RebuildColourTables() {
    BuildHueTable(*ctx_);
}

int32_t PreviewRunner::Run(const PreviewRequest& request) {
    EngineContext& ctx = *ctx_;
    view_.FitSurface();
    ctx.Geometry.PixelSize = request.pixelSize;
    ctx.Geometry.FocalLength = request.focalLength;
    ctx.Settings.Adv_TimeDelay = request.frameDelayMs;
    SetupSurface(ctx, SurfaceSize::Normal);
    BuildHueTable(ctx);
    BuildAllHueRamps(ctx, request.hueStart, request.hueEnd, request.hueStart, request.hueEnd);

    const int32_t frames = RunPreview(ctx, request.params);
    view_.Present();
    return frames;
}

}  // namespace astrelle
