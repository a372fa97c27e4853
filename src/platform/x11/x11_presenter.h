// Copies the changed tiles of a PixelSurface into an X11 window that is not a Qt window
// (the preview child, the xscreensaver window). Tiles pass through a small staging strip
// of tile-sized slots (MIT-SHM when the server offers it, else plain XPutImage), so the
// memory cost does not grow with the screen. An optional overlay (the lock message,
// premultiplied ARGB) is blended over the tiles it touches.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/pixel_surface.h"
#include "platform/x11/x11_display.h"

typedef struct _XImage XImage;
typedef struct _XGC* GC;

namespace astrelle::x11 {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Premultiplied ARGB32 pixels (QImage::Format_ARGB32_Premultiplied on little-endian), placed
// at (x, y) on the surface; stride is in pixels.
struct Overlay {
    const uint32_t* pixels = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int stride = 0;
};

class Presenter {
  public:
    enum class SharedMemory { Allowed, Forbidden };

    Presenter(Connection& connection, WindowId window, SharedMemory shm = SharedMemory::Allowed);
    ~Presenter();
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // False when the window was gone or has an unusual visual we cannot draw on.
    bool Valid() const { return valid_; }
    bool UsesSharedMemory() const { return shmAttached_; }

    // Sends the dirty tiles of surface (and then marks them clean), plus every rectangle of
    // forced (an overlay that moved, an exposure). The staging image follows the surface's
    // size. Returns false when the window has gone away meanwhile.
    bool Present(PixelSurface& surface, const Overlay* overlay, std::span<const Rect> forced = {});

  private:
  public:
    // A slot holds one tile high and up to eight tiles wide: neighbouring changed tiles of
    // a row go out as one request, as the server's cost is per request as much as per pixel.
    static constexpr int kSlotHeight = PixelSurface::kTileSize;
    static constexpr int kSlotWidth = 8 * PixelSurface::kTileSize;
    // 2 MB of staging: a frame rarely changes more, and a fuller frame waits for the
    // server once per strip.
    static constexpr int kSlots = (2 << 20) / (kSlotWidth * kSlotHeight * 4);

  private:
    bool EnsureImage();
    void ReleaseImage();
    // Sends r (at most one slot in size) through the next free slot.
    void SendPiece(const PixelSurface& surface, const Overlay* overlay, const Rect& r);
    void SendRect(const PixelSurface& surface, const Overlay* overlay, const Rect& r);
    // Waits until the server has read every slot in use, so they can be filled again.
    void DrainSlots();

    Connection& connection_;
    WindowId window_;
    bool valid_ = false;
    bool shmAllowed_ = true;
    bool shmAttached_ = false;
    bool directLayout_ = false;  // the visual is 0x00RRGGBB in 32-bit pixels
    uint32_t alphaBits_ = 0;     // set on depth-32 visuals, where the top byte is opacity
    int depth_ = 0;
    void* visual_ = nullptr;
    GC gc_ = nullptr;
    XImage* image_ = nullptr;
    void* shmInfo_ = nullptr;  // XShmSegmentInfo
    std::vector<char> plainData_;
    int nextSlot_ = 0;
    int rs_ = 0, gs_ = 0, bs_ = 0;  // channel shifts and widths of an unusual visual
    int rb_ = 8, gb_ = 8, bb_ = 8;
};

}  // namespace astrelle::x11
