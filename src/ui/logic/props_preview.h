// The properties dialog's preview of one galaxy type or composite in its picture, with the
// values currently typed into the dialog. It runs inside the button's handler until it is
// stopped; the view's host keeps the dialog responsive meanwhile, so the Stop button (the
// same button), Cancel and closing all reach the preview while it runs.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/preview.h"
#include "settings/settings_model.h"
#include "ui/logic/props_view.h"

namespace astrelle {

class SettingsStore;
struct EngineContext;
struct ProcessValues;

// The values a preview takes from the dialog's fields, held to their ranges.
struct PreviewRequest {
    PreviewParams params;
    int16_t pixelSize = 1;
    float focalLength = 1.0f;
    int16_t hueStart = 180;
    int16_t hueEnd = 225;
    int32_t frameDelayMs = 25;
};

// Reads a preview request from the fields of the view and the frame delay from the store.
PreviewRequest ReadPreviewRequest(const PropsView& view, SettingsStore& store, PreviewSubject subject,
                                  int16_t typeIndex);

class PropsPreview {
  public:
    PropsPreview(PropsView& view, const PropsEnvironment& env);
    ~PropsPreview();

    bool Running() const { return running_; }
    // Rebuilds the tinted hue wheels from the galaxy type table.
    void RebuildColourTables();
    // Asks the running preview to stop; it ends at its next frame.
    void RequestStop();
    // The button of a preview: Stop while one runs; otherwise starts one for the chosen
    // line (or says that none is chosen) and returns when it has stopped. Returns the
    // frames drawn.
    int32_t Toggle(PreviewSubject subject);

  private:
    int32_t Run(const PreviewRequest& request);

    PropsView& view_;
    PropsEnvironment env_;
    std::unique_ptr<EngineContext> ctx_;
    bool running_ = false;
};

}  // namespace astrelle
