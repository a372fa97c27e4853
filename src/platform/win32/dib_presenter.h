// Presents the pixel surface in a window: a DIB section holds what the window shows; every
// frame the surface's changed tiles (with the lock message laid over them) are copied into
// it and the changed part of each tile row is sent to the window with one BitBlt, so a
// frame of scattered stars moves a fraction of the screen. WM_PAINT repaints from the DIB.
#pragma once

#include <windows.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "engine/pixel_surface.h"
#include "platform/win32/message_overlay.h"

namespace astrelle::win32 {

class DibPresenter {
  public:
    DibPresenter() = default;
    ~DibPresenter();
    DibPresenter(const DibPresenter&) = delete;
    DibPresenter& operator=(const DibPresenter&) = delete;

    // Makes the DIB width x height (black). False when the system refused; then nothing is
    // shown until a later Resize succeeds.
    [[nodiscard]] bool Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Takes the surface's changed tiles into the DIB and shows them on target (may be null
    // to only take them). Returns the number of BitBlt calls made.
    int Present(PixelSurface& surface, const MessageOverlay& message, HDC target);

    // Takes the rows [top, top + height) of the surface afresh (the message over them
    // changed) and shows them.
    void PresentRows(const PixelSurface& surface, const MessageOverlay& message, int top, int height,
                     HDC target);

    // Shows the part of the DIB that the window asks to repaint.
    void Paint(HDC target, const RECT& area) const;

    // A pixel of the DIB as 0x00RRGGBB; 0 outside.
    uint32_t PixelAt(int x, int y) const;

  private:
    void CopyRect(const PixelSurface& surface, const MessageOverlay& message, int x, int y, int w, int h);
    void Release();

    // The changed part of one tile row in a frame; empty when right <= left.
    struct RowSpan {
        int left = INT_MAX;
        int right = 0;
        int height = 0;
    };

    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<RowSpan> spans_;  // one per tile row of the DIB, sized by Resize
};

}  // namespace astrelle::win32
