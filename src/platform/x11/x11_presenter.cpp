// MIT-SHM / XPutImage presenter for foreign and Xlib-created windows.
#include "platform/x11/x11_presenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
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

}  // namespace

Presenter::Presenter(Connection& connection, WindowId window, SharedMemory shm)
    : connection_(connection), window_(window), shmAllowed_(shm == SharedMemory::Allowed) {
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
}

Presenter::~Presenter() {
    ReleaseImage();
    if (gc_) XFreeGC(connection_.Raw(), gc_);
}

void Presenter::ReleaseImage() {
    Display* display = connection_.Raw();
    if (image_) {
        if (shmAttached_) {
            auto* info = static_cast<XShmSegmentInfo*>(shmInfo_);
            ErrorTrap trap(display);
            XShmDetach(display, info);
            trap.Ok();
            XDestroyImage(image_);
            shmdt(info->shmaddr);
        } else {
            image_->data = nullptr;  // owned by plainData_
            XDestroyImage(image_);
        }
    }
    delete static_cast<XShmSegmentInfo*>(shmInfo_);
    shmInfo_ = nullptr;
    image_ = nullptr;
    shmAttached_ = false;
    plainData_.clear();
}

bool Presenter::EnsureImage() {
    if (image_) return true;
    Display* display = connection_.Raw();
    Visual* visual = static_cast<Visual*>(visual_);
    // One slot-wide column of slots: slot i holds rows i * kSlotHeight onwards.
    const auto w = static_cast<unsigned>(kSlotWidth);
    const auto h = static_cast<unsigned>(kSlotHeight * kSlots);

    if (shmAllowed_ && XShmQueryExtension(display)) {
        auto* info = new XShmSegmentInfo{};
        XImage* image =
            XShmCreateImage(display, visual, static_cast<unsigned>(depth_), ZPixmap, nullptr, info, w, h);
        if (image) {
            info->shmid =
                shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * h, IPC_CREAT | 0600);
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
                        image_ = image;
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
    }

    const int pad = 32;
    XImage* image =
        XCreateImage(display, visual, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr, w, h, pad, 0);
    if (!image) return false;
    plainData_.assign(static_cast<size_t>(image->bytes_per_line) * h, 0);
    image->data = plainData_.data();
    image_ = image;
    return true;
}

void Presenter::DrainSlots() {
    // XPutImage copies the pixels into the request at once; shared slots are read by the
    // server later, so they are reusable only after a round trip.
    if (shmAttached_ && nextSlot_ > 0) XSync(connection_.Raw(), False);
    nextSlot_ = 0;
}

void Presenter::SendPiece(const PixelSurface& surface, const Overlay* overlay, const Rect& r) {
    if (nextSlot_ == kSlots) DrainSlots();
    const int slotTop = nextSlot_ * kSlotHeight;
    ++nextSlot_;
    const uint32_t* source = surface.NativePixels();
    const int surfaceWidth = surface.Width();
    const bool direct = directLayout_ && image_->bits_per_pixel == 32 && image_->byte_order == LSBFirst;
    for (int row = 0; row < r.height; ++row) {
        const int y = r.y + row;
        const uint32_t* in = source + static_cast<size_t>(y) * static_cast<size_t>(surfaceWidth) + r.x;
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
            auto* out = reinterpret_cast<uint32_t*>(image_->data +
                                                    static_cast<size_t>(outRow) * image_->bytes_per_line);
            if (alphaBits_ == 0) {
                std::memcpy(out, in, static_cast<size_t>(r.width) * sizeof(uint32_t));
            } else {
                for (int x = 0; x < r.width; ++x) out[x] = in[x] | alphaBits_;
            }
            for (int x = overFrom; over && x < overTo; ++x) out[x] = Blend(in[x], over[x]) | alphaBits_;
        } else {
            // Any other true-colour layout (16-bit displays, swapped byte order): per pixel.
            for (int x = 0; x < r.width; ++x) {
                uint32_t c = in[x];
                if (over && x >= overFrom && x < overTo) c = Blend(c, over[x]);
                const unsigned long pixel = ((((c >> 16) & 0xFFu) >> (8 - rb_)) << rs_) |
                                            ((((c >> 8) & 0xFFu) >> (8 - gb_)) << gs_) |
                                            (((c & 0xFFu) >> (8 - bb_)) << bs_) | alphaBits_;
                XPutPixel(image_, x, outRow, pixel);
            }
        }
    }
    Display* display = connection_.Raw();
    const auto w = static_cast<unsigned>(r.width);
    const auto h = static_cast<unsigned>(r.height);
    if (shmAttached_) {
        XShmPutImage(display, window_, gc_, image_, 0, slotTop, r.x, r.y, w, h, False);
    } else {
        XPutImage(display, window_, gc_, image_, 0, slotTop, r.x, r.y, w, h);
    }
}

void Presenter::SendRect(const PixelSurface& surface, const Overlay* overlay, const Rect& r) {
    for (int y = r.y; y < r.y + r.height; y += kSlotHeight) {
        for (int x = r.x; x < r.x + r.width; x += kSlotWidth) {
            SendPiece(surface, overlay,
                      Rect{x, y, std::min(kSlotWidth, r.x + r.width - x),
                           std::min(kSlotHeight, r.y + r.height - y)});
        }
    }
}

bool Presenter::Present(PixelSurface& surface, const Overlay* overlay, std::span<const Rect> forced) {
    if (!valid_) return false;
    Display* display = connection_.Raw();
    ErrorTrap trap(display, ErrorTrap::Sync::No);
    nextSlot_ = 0;
    bool any = false;
    Rect run;
    surface.TakeDirtyTiles([&](int x, int y, int w, int h) {
        if (run.width > 0 && y == run.y && x == run.x + run.width && run.width + w <= kSlotWidth) {
            run.width += w;
            return;
        }
        if (run.width > 0) SendPiece(surface, overlay, run);
        run = Rect{x, y, w, h};
        any = true;
    });
    if (run.width > 0) SendPiece(surface, overlay, run);
    for (Rect r : forced) {
        const int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
        const int x1 = std::min(surface.Width(), r.x + r.width),
                  y1 = std::min(surface.Height(), r.y + r.height);
        if (x1 <= x0 || y1 <= y0) continue;
        SendRect(surface, overlay, Rect{x0, y0, x1 - x0, y1 - y0});
        any = true;
    }
    nextSlot_ = 0;
    if (!any) return true;
    // The shared slots may only be reused once the server has read them, and a vanished
    // window shows up as an error here; one round trip per frame answers both.
    return trap.Ok();
}

}  // namespace astrelle::x11
