// Shows a PixelSurface in an X11 window (the saver's own windows, the preview child, the
// xscreensaver window), sending only the pixels that changed. A frame of the star field
// changes a thousand or two scattered pixels, so they go out as points, one colour at a time
// (a few kilobytes of requests); dark tiles that changed in bulk (a cleared universe) are
// filled, and lit tiles that changed in bulk, and exposed parts, are sent as images (plain
// XPutImage for a few, a small MIT-SHM strip for more when the server offers it). An optional overlay (the
// lock message, premultiplied ARGB) is blended over what it covers.
#pragma once

#include <cstdint>
#include <memory>
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
    // Drawing requests sent so far (images, point batches, fills, colour changes).
    uint64_t RequestsSent() const { return requests_; }

    // Sends what changed on surface (and then counts it as unchanged), plus every rectangle
    // of forced (an overlay that moved, an exposure). False when a request has failed since
    // the last call, as requests do when the window has gone away. Nothing waits for the
    // server: an error is counted when the connection is next read (the saver's windows
    // read it when it has something to say), so this call or a later one reports it.
    [[nodiscard]] bool Present(PixelSurface& surface, const Overlay* overlay,
                               std::span<const Rect> forced = {});

    // An image piece holds one tile high and up to sixteen tiles wide: neighbouring tiles of
    // a row go out as one request.
    static constexpr int kSlotHeight = PixelSurface::kTileSize;
    static constexpr int kSlotWidth = 16 * PixelSurface::kTileSize;
    // The first pieces of a frame go through the socket (XPutImage); only a frame with more
    // uses the shared strip, which must then wait for the server before it is reused.
    static constexpr int kPiecesBeforeSharing = 8;
    // 256 KB of shared strip: images are the exception (a new label, an exposure, a dense
    // frame); a fuller frame waits for the server once per strip.
    static constexpr int kSlots = (256 << 10) / (kSlotWidth * kSlotHeight * 4);
    // A changed tile goes out as a fill when it is dark and at least this many of its pixels
    // changed, as an image when it is lit and at least this many changed; else as points.
    static constexpr int kFillFrom = 4;
    static constexpr int kImageFrom = 32;

  private:
    struct Batches;

    bool EnsureImage();
    void ReleaseImage();
    unsigned long PixelValue(uint32_t native) const;
    void SetForeground(unsigned long pixel);
    // Sends r (at most one slot in size) through the next free slot.
    void SendPiece(const PixelSurface& surface, const Overlay* overlay, const Rect& r);
    // Routes a changed tile: points, a fill or an image.
    void TakeTile(const PixelSurface& surface, const PixelSurface::ChangedTile& tile, const Overlay* overlay);
    void SendForced(const PixelSurface& surface, const Overlay* overlay, const Rect& r);
    // Queues r for a black fill, or sends it as an image, joining it to the run of its row
    // neighbours of the same kind.
    void QueueFill(const Rect& r);
    void QueueImage(const PixelSurface& surface, const Overlay* overlay, const Rect& r);
    void FlushRuns(const PixelSurface& surface, const Overlay* overlay);
    void FlushPoints();
    void FlushFills();
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
    unsigned long foreground_ = 0;
    bool foregroundKnown_ = false;
    XImage* plainImage_ = nullptr;  // one piece
    XImage* shmImage_ = nullptr;    // kSlots pieces, in shared memory
    void* shmInfo_ = nullptr;       // XShmSegmentInfo
    std::vector<char> plainData_;
    std::unique_ptr<Batches> batches_;
    Rect fillRun_;
    Rect imageRun_;
    int nextSlot_ = 0;  // of the shared strip
    int piecesThisFrame_ = 0;
    uint64_t requests_ = 0;
    uint64_t errorsSeen_ = 0;
    int rs_ = 0, gs_ = 0, bs_ = 0;  // channel shifts and widths of an unusual visual
    int rb_ = 8, gb_ = 8, bb_ = 8;
};

}  // namespace astrelle::x11
