// The host of a preview drawn in a dialog's picture: the engine draws into the picture's
// pixel surface; every pass over the window events first shows the finished frame, then
// handles the dialog's messages (its Stop button among them) through the dialogs' own
// pump, and waits for the next frame without spinning.
#pragma once

#include "engine/engine_host.h"
#include "platform/win32/message_wait.h"
#include "ui/logic/dialog_view.h"
#include "ui/win32/surface_picture.h"

namespace astrelle::win32 {

class PreviewHost final : public PreviewTarget, public EngineHost {
  public:
    PreviewHost(SurfacePicture& picture, ProcessValues& process) : picture_(picture), process_(process) {}

    // PreviewTarget
    EngineHost& Host() override { return *this; }
    PixelSurface& Surface() override { return picture_.Surface(); }
    void FitSurface() override;
    void Present() override { picture_.Present(); }

    // EngineHost
    uint32_t TickCount() override;
    void ProcessEvents(uint32_t maxWaitMs) override;
    ProcessValues& Process() override { return process_; }
    bool PreviewParentExists() override;
    void RefreshMessage() override {}  // a preview shows no lock message
    uint64_t ClockSeed() override;

  private:
    SurfacePicture& picture_;
    ProcessValues& process_;
    MessageWait wait_;
};

}  // namespace astrelle::win32
