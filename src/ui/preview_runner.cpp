// The dialog's preview: a Qt EngineHost over the picture and the preview start-up.
#include "ui/preview_runner.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <chrono>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/preview.h"
#include "ui/preview_view.h"

namespace astrelle {

QtPreviewHost::QtPreviewHost(PreviewView& view, ProcessValues& process) : view_(view), process_(process) {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);  // a coarse timer would stretch short frame delays
}

uint32_t QtPreviewHost::TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

uint64_t QtPreviewHost::ClockSeed() {
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<uint64_t>(steady) ^ (static_cast<uint64_t>(wall) << 1);
}

void QtPreviewHost::ProcessEvents(uint32_t maxWaitMs) {
    view_.PresentDirty();
    if (maxWaitMs == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // The wake-up timer is itself an event, so this sleeps in the event loop until input
    // arrives or the frame is due, whichever comes first; it never spins.
    constexpr uint32_t kLongestWaitMs = 1000000;
    wake_.start(static_cast<int>(maxWaitMs > kLongestWaitMs ? kLongestWaitMs : maxWaitMs));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wake_.stop();
}

PreviewRunner::PreviewRunner(PreviewView& view, GalaxyTypeTable& galaxyTypes, CompositeTable& composites,
                             ProcessValues& process)
    : view_(view),
      host_(view, process),
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
