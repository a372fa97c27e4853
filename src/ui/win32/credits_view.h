// The credits window on Windows: stars flying out of a gradient towards the viewer, drawn
// pixel by pixel into the star field's surface (each dot drawn twice erases it), and the
// credit lines scrolling up through a frame in front of them. Resizable; a double click on
// the stars maximizes it or gives it its size back; any new size starts a new flight.
#pragma once

#include <windows.h>

#include "engine/random_source.h"
#include "ui/logic/credit_stars.h"
#include "ui/win32/dialog_window.h"
#include "ui/win32/surface_picture.h"

namespace astrelle {
struct EngineContext;
}

namespace astrelle::win32 {

inline constexpr char kCreditsCaption[] = "Astrelle Credits";

class CreditsWindow final : private DialogHandler {
  public:
    explicit CreditsWindow(const CreditsSetup& setup);

    // Shows the window modally over owner and runs the flight until it is dismissed; the
    // frames are paced by ctx's host (the welcome window's), which handles the messages.
    void Run(HWND owner, EngineContext& ctx);

  private:
    void OnCommand(int item, int code) override;
    void OnCancel() override;
    void OnClose() override;
    void OnPaintPicture(int item, HDC dc, const RECT& area) override;
    void OnPictureDoubleClick(int item) override;
    void OnResized(int width, int height) override;
    void OnLayout() override;

    void Dismiss();
    void NewBackground();
    void Dot(float sx, float sy, int width);
    void PaintText(HDC dc);
    void ShowText();

    CreditsSetup setup_;
    DialogWindow window_;
    SurfacePicture field_;
    EngineContext* ctx_ = nullptr;
    CreditStarField stars_;
    RandomSource random_;
    HFONT font_ = nullptr;
    double top_ = 0;
    int lineHeight_ = 0;
    bool restart_ = false;
};

}  // namespace astrelle::win32
