// A picture of a dialog drawn the way the saver draws: into a pixel surface that a DIB
// section presents, only the tiles that changed. The colour samples, ramps and profile
// pictograms are set into the surface here; the previews let the engine draw into it.
// What a picture shows is kept, so that it is drawn again at a new size (another DPI).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "engine/pixel_surface.h"
#include "platform/win32/dib_presenter.h"
#include "platform/win32/message_overlay.h"

namespace astrelle::win32 {

class SurfacePicture {
  public:
    // Draws into a surface of the given size; set by SetDrawing, kept across sizes.
    using Drawing = std::function<void(PixelSurface&)>;

    void Attach(HWND picture) { picture_ = picture; }
    HWND Handle() const { return picture_; }

    // Sizes the surface and the DIB to the picture's client area and draws what it shows.
    void Fit();
    PixelSurface& Surface() { return surface_; }

    // What the picture shows from now on (drawn at once); an empty drawing leaves what the
    // engine draws, black after each Fit.
    void SetDrawing(Drawing drawing);
    void SetColour(uint32_t colour);                   // 0x00BBGGRR
    void SetBands(std::span<const uint32_t> colours);  // equal bands, left to right

    // Shows the tiles changed since the last call.
    void Present();
    // WM_DRAWITEM: the part of the picture Windows asks for.
    void Paint(HDC dc, const RECT& area) const;

  private:
    void Redraw();

    HWND picture_ = nullptr;
    PixelSurface surface_;
    DibPresenter presenter_;
    MessageOverlay noMessage_;
    Drawing drawing_;
};

// The colour bands of a ramp sample: band i of n from i * W / n to (i + 1) * W / n, as tall
// as the surface.
void DrawBands(PixelSurface& surface, std::span<const uint32_t> colours);

}  // namespace astrelle::win32
