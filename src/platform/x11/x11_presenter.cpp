// The X11 presenter: points by colour, fills, and images through MIT-SHM or XPutImage.
#include "platform/x11/x11_presenter.h"

#include "platform/x11/point_groups.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

namespace astrelle::x11 {
namespace {

inline uint32_t Blend(uint32_t dst, uint32_t src) {
    // src is premultiplied: out = src + dst * (1 - alpha), per channel.
    const uint32_t inv = 255u - (src >> 24);
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t d = (dst >> shift) & 0xFFu;
        const uint32_t s = (src >> shift) & 0xFFu;
        const uint32_t v = s + (d * inv + 127u) / 255u;
        out |= (v > 255u ? 255u : v) << shift;
    }
    return out;
}

int MaskShift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int MaskBits(unsigned long mask) {
    int bits = 0;
    for (; mask; mask >>= 1) bits += static_cast<int>(mask & 1u);
    return bits;
}

constexpr int kFillBatch = 1024;

// Set bits of a tile mask (std::popcount becomes a library call without -mpopcnt).
inline int CountBits(uint64_t v) {
    v = v - ((v >> 1) & 0x5555555555555555u);
    v = (v & 0x3333333333333333u) + ((v >> 2) & 0x3333333333333333u);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((v * 0x0101010101010101u) >> 56);
}

bool Overlaps(const Rect& r, const Overlay* overlay) {
    return overlay && overlay->pixels && r.x < overlay->x + overlay->width && overlay->x < r.x + r.width &&
           r.y < overlay->y + overlay->height && overlay->y < r.y + r.height;
}

}  // namespace

struct Presenter::Batches {
    PointGroups points;
    std::vector<XRectangle> fills;
    std::vector<uint32_t> row;  // one row of an image piece

    Batches() {
        fills.reserve(kFillBatch);
        row.resize(kSlotWidth);
    }
};

// The point batches go to XDrawPoints as they are.
static_assert(sizeof(PointGroups::Point) == sizeof(XPoint) && offsetof(XPoint, y) == sizeof(short));

Presenter::Presenter(Connection& connection, WindowId window, SharedMemory shm)
    : connection_(connection),
      window_(window),
      shmAllowed_(shm == SharedMemory::Allowed),
      batches_(std::make_unique<Batches>()) {  // all a frame needs: presenting allocates nothing
    Display* display = connection_.Raw();
    XWindowAttributes attributes;
    ErrorTrap trap(display);
    if (window_ == 0 || XGetWindowAttributes(display, window_, &attributes) == 0 || !trap.Ok()) return;
    Visual* visual = attributes.visual;
    if (visual->c_class != TrueColor && visual->c_class != DirectColor) return;
    depth_ = attributes.depth;
    visual_ = visual;
    directLayout_ = visual->red_mask == 0xFF0000u && visual->green_mask == 0xFF00u &&
                    visual->blue_mask == 0xFFu && (depth_ == 24 || depth_ == 32);
    if (depth_ == 32) alphaBits_ = 0xFF000000u;
    rs_ = MaskShift(visual->red_mask);
    gs_ = MaskShift(visual->green_mask);
    bs_ = MaskShift(visual->blue_mask);
    rb_ = std::min(8, MaskBits(visual->red_mask));
    gb_ = std::min(8, MaskBits(visual->green_mask));
    bb_ = std::min(8, MaskBits(visual->blue_mask));
    ErrorTrap gcTrap(display);
    gc_ = XCreateGC(display, window_, 0, nullptr);
    valid_ = gcTrap.Ok() && gc_ != nullptr && EnsureImage();
    errorsSeen_ = ProtocolErrorCount();
}

Presenter::~Presenter() {
    ReleaseImage();
    if (gc_) XFreeGC(connection_.Raw(), gc_);
}

void Presenter::ReleaseImage() {
    Display* display = connection_.Raw();
    if (shmImage_) {
        auto* info = static_cast<XShmSegmentInfo*>(shmInfo_);
        ErrorTrap trap(display);
        XShmDetach(display, info);
        trap.Ok();
        XDestroyImage(shmImage_);
        shmdt(info->shmaddr);
    }
    if (plainImage_) {
        plainImage_->data = nullptr;  // owned by plainData_
        XDestroyImage(plainImage_);
    }
    delete static_cast<XShmSegmentInfo*>(shmInfo_);
    shmInfo_ = nullptr;
    shmImage_ = nullptr;
    plainImage_ = nullptr;
    shmAttached_ = false;
    plainData_.clear();
}

bool Presenter::EnsureImage() {
    if (plainImage_) return true;
    Display* display = connection_.Raw();
    Visual* visual = static_cast<Visual*>(visual_);
    // One slot: XPutImage copies the pixels into the request, so the slot is free again at
    // once.
    const auto w = static_cast<unsigned>(kSlotWidth);
    const auto h = static_cast<unsigned>(kSlotHeight);
    const int pad = 32;
    XImage* plain =
        XCreateImage(display, visual, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr, w, h, pad, 0);
    if (!plain) return false;
    plainData_.assign(static_cast<size_t>(plain->bytes_per_line) * h, 0);
    plain->data = plainData_.data();
    plainImage_ = plain;
    if (!shmAllowed_ || !XShmQueryExtension(display)) return true;

    // The shared strip: one slot-wide column of slots, slot i holding rows i * kSlotHeight on.
    const auto stripHeight = static_cast<unsigned>(kSlotHeight * kSlots);
    auto* info = new XShmSegmentInfo{};
    XImage* image = XShmCreateImage(display, visual, static_cast<unsigned>(depth_), ZPixmap, nullptr, info, w,
                                    stripHeight);
    if (image) {
        info->shmid =
            shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * stripHeight, IPC_CREAT | 0600);
        if (info->shmid >= 0) {
            void* address = shmat(info->shmid, nullptr, 0);
            if (address != reinterpret_cast<void*>(-1)) {
                info->shmaddr = image->data = static_cast<char*>(address);
                info->readOnly = False;
                // A remote display or a restricted server refuses the attach; that
                // arrives as a protocol error, so the trap decides.
                ErrorTrap trap(display);
                const Bool attached = XShmAttach(display, info);
                const bool ok = trap.Ok() && attached;
                // Marked for removal now, so the segment cannot outlive the process.
                shmctl(info->shmid, IPC_RMID, nullptr);
                if (ok) {
                    shmImage_ = image;
                    shmInfo_ = info;
                    shmAttached_ = true;
                    return true;
                }
                shmdt(address);
            } else {
                shmctl(info->shmid, IPC_RMID, nullptr);
            }
        }
        image->data = nullptr;
        XDestroyImage(image);
    }
    delete info;
    return true;  // the plain image serves alone
}

void Presenter::DrainSlots() {
    // XPutImage copies the pixels into the request at once; shared slots are read by the
    // server later, so they are reusable only after a round trip.
    if (shmAttached_ && nextSlot_ > 0) XSync(connection_.Raw(), False);
    nextSlot_ = 0;
}

unsigned long Presenter::PixelValue(uint32_t c) const {
    if (directLayout_) return c | alphaBits_;
    // Any other true-colour layout (16-bit displays, swapped byte order).
    return ((((c >> 16) & 0xFFu) >> (8 - rb_)) << rs_) | ((((c >> 8) & 0xFFu) >> (8 - gb_)) << gs_) |
           (((c & 0xFFu) >> (8 - bb_)) << bs_) | alphaBits_;
}

void Presenter::SetForeground(unsigned long pixel) {
    if (foregroundKnown_ && pixel == foreground_) return;
    XSetForeground(connection_.Raw(), gc_, pixel);
    foreground_ = pixel;
    foregroundKnown_ = true;
    ++requests_;
}

void Presenter::SendPiece(const PixelSurface& surface, const Overlay* overlay, const Rect& r) {
    // A few pieces go through the socket; the shared strip pays off only for more, since
    // reusing it means waiting for the server.
    const bool shared = shmAttached_ && piecesThisFrame_ >= kPiecesBeforeSharing;
    ++piecesThisFrame_;
    XImage* image = plainImage_;
    int slotTop = 0;
    if (shared) {
        if (nextSlot_ == kSlots) DrainSlots();
        image = shmImage_;
        slotTop = nextSlot_ * kSlotHeight;
        ++nextSlot_;
    }
    const bool direct = directLayout_ && image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    const auto width = static_cast<size_t>(r.width);
    for (int row = 0; row < r.height; ++row) {
        const int y = r.y + row;
        const uint32_t* over = nullptr;
        int overFrom = 0, overTo = 0;  // columns within r
        if (overlay && overlay->pixels && y >= overlay->y && y < overlay->y + overlay->height) {
            overFrom = std::max(r.x, overlay->x) - r.x;
            overTo = std::min(r.x + r.width, overlay->x + overlay->width) - r.x;
            over = overlay->pixels +
                   static_cast<size_t>(y - overlay->y) * static_cast<size_t>(overlay->stride) +
                   (r.x - overlay->x);
        }
        const int outRow = slotTop + row;
        if (direct) {
            auto* out = reinterpret_cast<uint32_t*>(image->data +
                                                    static_cast<size_t>(outRow) * image->bytes_per_line);
            surface.ReadRow(y, r.x, std::span<uint32_t>(out, width));
            for (int x = overFrom; over && x < overTo; ++x) out[x] = Blend(out[x], over[x]);
            if (alphaBits_ != 0) {
                for (size_t x = 0; x < width; ++x) out[x] |= alphaBits_;
            }
        } else {
            uint32_t* in = batches_->row.data();
            surface.ReadRow(y, r.x, std::span<uint32_t>(in, width));
            for (int x = 0; x < r.width; ++x) {
                uint32_t c = in[x];
                if (over && x >= overFrom && x < overTo) c = Blend(c, over[x]);
                XPutPixel(image, x, outRow, PixelValue(c));
            }
        }
    }
    Display* display = connection_.Raw();
    const auto w = static_cast<unsigned>(r.width);
    const auto h = static_cast<unsigned>(r.height);
    if (shared) {
        XShmPutImage(display, window_, gc_, image, 0, slotTop, r.x, r.y, w, h, False);
    } else {
        XPutImage(display, window_, gc_, image, 0, slotTop, r.x, r.y, w, h);
    }
    ++requests_;
}

void Presenter::QueueFill(const Rect& r) {
    Rect& run = fillRun_;
    if (run.width > 0 && r.y == run.y && r.height == run.height && r.x == run.x + run.width) {
        run.width += r.width;
        return;
    }
    if (run.width > 0) {
        if (batches_->fills.size() == batches_->fills.capacity()) FlushFills();
        batches_->fills.push_back(XRectangle{static_cast<short>(run.x), static_cast<short>(run.y),
                                             static_cast<unsigned short>(run.width),
                                             static_cast<unsigned short>(run.height)});
    }
    run = r;
}

void Presenter::QueueImage(const PixelSurface& surface, const Overlay* overlay, const Rect& r) {
    Rect& run = imageRun_;
    if (run.width > 0 && r.y == run.y && r.height == run.height && r.x == run.x + run.width &&
        run.width + r.width <= kSlotWidth) {
        run.width += r.width;
        return;
    }
    if (run.width > 0) SendPiece(surface, overlay, run);
    run = r;
}

void Presenter::FlushRuns(const PixelSurface& surface, const Overlay* overlay) {
    QueueFill(Rect{});
    if (imageRun_.width > 0) SendPiece(surface, overlay, imageRun_);
    imageRun_ = Rect{};
}

void Presenter::FlushFills() {
    std::vector<XRectangle>& fills = batches_->fills;
    if (fills.empty()) return;
    SetForeground(PixelValue(0));
    XFillRectangles(connection_.Raw(), window_, gc_, fills.data(), static_cast<int>(fills.size()));
    ++requests_;
    fills.clear();
}

void Presenter::FlushPoints() {
    PointGroups& points = batches_->points;
    if (points.Empty()) return;
    Display* display = connection_.Raw();
    points.Take([&](uint32_t pixel, PointGroups::Point* group, int count) {
        SetForeground(pixel);
        XDrawPoints(display, window_, gc_, reinterpret_cast<XPoint*>(group), count, CoordModeOrigin);
        ++requests_;
    });
}

void Presenter::TakeTile(const PixelSurface& surface, const PixelSurface::ChangedTile& tile,
                         const Overlay* overlay) {
    const Rect area{tile.x, tile.y, tile.width, tile.height};
    const bool covered = Overlaps(area, overlay);
    const int changed = CountBits(tile.changed);
    if (!tile.lit && !covered) {
        if (changed >= kFillFrom) {
            QueueFill(area);
            return;
        }
    } else if (changed >= kImageFrom) {
        QueueImage(surface, overlay, area);
        return;
    }
    PointGroups& points = batches_->points;
    for (uint64_t bits = tile.changed; bits != 0; bits &= bits - 1) {
        const int within = std::countr_zero(bits);
        const int column = within & (PixelSurface::kTileSize - 1);
        const int row = within >> PixelSurface::kTileShift;
        const int x = tile.x + column;
        const int y = tile.y + row;
        uint32_t colour = tile.pixels[row * PixelSurface::kTileStride + column];
        if (covered && y >= overlay->y && y < overlay->y + overlay->height && x >= overlay->x &&
            x < overlay->x + overlay->width) {
            colour = Blend(
                colour,
                overlay->pixels[static_cast<size_t>(y - overlay->y) * static_cast<size_t>(overlay->stride) +
                                static_cast<size_t>(x - overlay->x)]);
        }
        const auto pixel = static_cast<uint32_t>(PixelValue(colour));
        if (!points.Add(static_cast<int16_t>(x), static_cast<int16_t>(y), pixel)) {
            FlushPoints();
            static_cast<void>(points.Add(static_cast<int16_t>(x), static_cast<int16_t>(y), pixel));
        }
    }
}

void Presenter::SendForced(const PixelSurface& surface, const Overlay* overlay, const Rect& r) {
    constexpr int kTile = PixelSurface::kTileSize;
    const int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
    const int x1 = std::min(surface.Width(), r.x + r.width), y1 = std::min(surface.Height(), r.y + r.height);
    for (int y = y0; y < y1;) {
        const int bandEnd = std::min(y1, (y | (kTile - 1)) + 1);
        for (int x = x0; x < x1;) {
            const int tileEnd = std::min(x1, (x | (kTile - 1)) + 1);
            const Rect part{x, y, tileEnd - x, bandEnd - y};
            if (!surface.TileLit(x / kTile, y / kTile) && !Overlaps(part, overlay)) {
                QueueFill(part);
            } else {
                QueueImage(surface, overlay, part);
            }
            x = tileEnd;
        }
        y = bandEnd;
    }
}

bool Presenter::Present(PixelSurface& surface, const Overlay* overlay, std::span<const Rect> forced) {
    if (!valid_) return false;
    const uint64_t requestsBefore = requests_;
    nextSlot_ = 0;
    piecesThisFrame_ = 0;
    surface.TakeChanges([&](const PixelSurface::ChangedTile& tile) { TakeTile(surface, tile, overlay); });
    for (const Rect& r : forced) SendForced(surface, overlay, r);
    FlushRuns(surface, overlay);
    FlushFills();
    FlushPoints();
    Display* display = connection_.Raw();
    if (nextSlot_ > 0) {
        // The shared slots may be filled again only once the server has read them.
        XSync(display, False);
    } else if (requests_ != requestsBefore) {
        // Nothing else waits for the server: the frame goes out, and the errors it may cause
        // (a window gone) are counted when the connection is next read.
        XFlush(display);
    }
    nextSlot_ = 0;
    const uint64_t errors = ProtocolErrorCount();
    const bool ok = errors == errorsSeen_;
    errorsSeen_ = errors;
    return ok;
}

}  // namespace astrelle::x11
