// PreviewRunner: runs the engine's galaxy and composite preview in the dialog's picture.
// It owns the engine context of the dialog (colour tables included) and a window engine
// host whose wait for the next frame sleeps in the Qt event loop, so the dialog stays
// responsive: the Stop button, closing and repaints all run nested in that wait.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/preview.h"
#include "settings/settings_model.h"
#include "ui/qt/window_engine_host.h"

namespace astrelle {

class SurfacePicture;

// The values a preview takes from the dialog's fields, already held to their ranges: the
// engine's preview parameters (unlimited: the dialog's preview runs until stopped) and
// the display values set up before it.
struct PreviewRequest {
    PreviewParams params;
    int16_t pixelSize = 1;
    float focalLength = 1.0f;
    int16_t hueStart = 180;
    int16_t hueEnd = 225;
    int32_t frameDelayMs = 25;
};

class PreviewRunner {
  public:
    PreviewRunner(SurfacePicture& view, GalaxyTypeTable& galaxyTypes, CompositeTable& composites,
                  ProcessValues& process);
    ~PreviewRunner();

    // Rebuilds the engine's tinted hue wheels from the galaxy type table.
    void RebuildColourTables();

    // Runs until the preview stop flag is set (or the engine stops). Returns the frames drawn.
    int32_t Run(const PreviewRequest& request);

  private:
    SurfacePicture& view_;
    WindowEngineHost host_;  // hands every finished frame to the picture
    std::unique_ptr<EngineContext> ctx_;
};

}  // namespace astrelle
