// Copying changed tiles into the DIB section and on to the window.
#include "platform/win32/dib_presenter.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace astrelle::win32 {

DibPresenter::~DibPresenter() {
    Release();
}

void DibPresenter::Release() {
    if (memory_ != nullptr) {
        if (original_ != nullptr) SelectObject(memory_, original_);
        DeleteDC(memory_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    memory_ = nullptr;
    bitmap_ = nullptr;
    original_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
    spans_.clear();
}

bool DibPresenter::Resize(int width, int height) {
    Release();
    if (width <= 0 || height <= 0) return true;
    memory_ = CreateCompatibleDC(nullptr);
    if (memory_ == nullptr) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, row 0 first, as the surface keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;  // 0x00RRGGBB per pixel: the surface's own layout
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr || bits == nullptr) {
        Release();
        return false;
    }
    original_ = SelectObject(memory_, bitmap_);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    std::memset(bits_, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * sizeof(uint32_t));
    spans_.assign(static_cast<size_t>((height + PixelSurface::kTileSize - 1) >> PixelSurface::kTileShift),
                  RowSpan{});
    return true;
}

void DibPresenter::CopyRect(const PixelSurface& surface, const MessageOverlay& message, int x, int y, int w,
                            int h) {
    // The surface and the DIB have the same size once both were fitted to the window; a
    // frame taken between the two resizes copies only what both hold.
    const int right = std::min({x + w, width_, surface.Width()});
    const int bottom = std::min({y + h, height_, surface.Height()});
    if (x >= right || y >= bottom) return;
    const size_t stride = static_cast<size_t>(width_);
    const auto count = static_cast<size_t>(right - x);
    for (int row = y; row < bottom; ++row) {
        uint32_t* line = bits_ + static_cast<size_t>(row) * stride;
        surface.ReadRow(row, x, std::span(line + x, count));
        message.Blend(line, row, x, right);
    }
}

int DibPresenter::Present(PixelSurface& surface, const MessageOverlay& message, HDC target) {
    if (bits_ == nullptr) {
        surface.TakeDirtyTiles([](int, int, int, int) {});
        return 0;
    }
    // GDI may still be reading the DIB for an earlier call.
    GdiFlush();
    // The changed tiles come in no particular order; each tile row's span is gathered and
    // then sent with one blit, clean tiles between them included (their DIB pixels are what
    // the window shows anyway).
    surface.TakeDirtyTiles([&](int x, int y, int w, int h) {
        CopyRect(surface, message, x, y, w, h);
        const auto row = static_cast<size_t>(y >> PixelSurface::kTileShift);
        if (row >= spans_.size()) return;
        RowSpan& span = spans_[row];
        span.left = std::min(span.left, x);
        span.right = std::max(span.right, x + w);
        span.height = h;
    });
    int blits = 0;
    for (size_t row = 0; row < spans_.size(); ++row) {
        RowSpan& span = spans_[row];
        if (span.right <= span.left) continue;
        if (target != nullptr) {
            const int top = static_cast<int>(row) << PixelSurface::kTileShift;
            BitBlt(target, span.left, top, span.right - span.left, span.height, memory_, span.left, top,
                   SRCCOPY);
            ++blits;
        }
        span = RowSpan{};
    }
    return blits;
}

void DibPresenter::PresentRows(const PixelSurface& surface, const MessageOverlay& message, int top,
                               int height, HDC target) {
    if (bits_ == nullptr || height <= 0) return;
    GdiFlush();
    CopyRect(surface, message, 0, top, width_, height);
    if (target != nullptr) BitBlt(target, 0, top, width_, height, memory_, 0, top, SRCCOPY);
}

void DibPresenter::Paint(HDC target, const RECT& area) const {
    if (memory_ == nullptr) return;
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, memory_, area.left,
           area.top, SRCCOPY);
}

uint32_t DibPresenter::PixelAt(int x, int y) const {
    if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    GdiFlush();
    return bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

}  // namespace astrelle::win32
