// PixelSurface: the only drawing target of the animation. The engine sets single pixels to a
// colour 0x00BBGGRR (0 is black and erases); coordinates outside the surface are ignored.
// Nothing clears it during a universe cycle: moving things are erased by redrawing them in
// black. The pixels are kept in the 0x00RRGGBB layout that X11 and QImage::Format_RGB32 use,
// and every write marks its 16x16 tile dirty, so a presenter uploads only what changed.
#pragma once

#include <cstdint>
#include <vector>

namespace astrelle {

class PixelSurface {
public:
    // Small tiles: stars are single scattered pixels, so with 64x64 tiles nearly every tile
    // of the screen changed each frame and the saver copied the whole screen to the display
    // 40 times a second; 16x16 tiles send about a third of that.
    static constexpr int kTileShift = 4;
    static constexpr int kTileSize = 1 << kTileShift;

    PixelSurface() = default;
    PixelSurface(int width, int height) { Resize(width, height); }

    // Sizes the surface, clears it to black and marks every tile dirty. Negative sizes give 0.
    void Resize(int width, int height) {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0u);
        tilesX_ = (width_ + kTileSize - 1) >> kTileShift;
        tilesY_ = (height_ + kTileSize - 1) >> kTileShift;
        dirty_.assign(static_cast<size_t>(tilesX_) * static_cast<size_t>(tilesY_), 1u);
        anyDirty_ = !pixels_.empty();
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Sets one pixel; colour is 0x00BBGGRR. Outside the surface nothing happens.
    void SetPixel(int32_t x, int32_t y, uint32_t colour) {
        if (static_cast<uint32_t>(x) >= static_cast<uint32_t>(width_) ||
            static_cast<uint32_t>(y) >= static_cast<uint32_t>(height_)) {
            return;
        }
        pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
            ToNative(colour);
        dirty_[static_cast<size_t>(y >> kTileShift) * static_cast<size_t>(tilesX_) +
               static_cast<size_t>(x >> kTileShift)] = 1u;
        anyDirty_ = true;
    }

    // A handle for loops that set many pixels (the star loop): SetPixel with the same
    // semantics, but with the sizes and buffers held in the handle, so that a loop keeps
    // them in registers instead of reloading them after every write. The surface counts
    // as changed from the moment the handle is taken. Valid until the next Resize.
    class Writer {
    public:
        void SetPixel(int32_t x, int32_t y, uint32_t colour) const {
            if (static_cast<uint32_t>(x) >= width_ || static_cast<uint32_t>(y) >= height_) return;
            pixels_[static_cast<size_t>(y) * width_ + static_cast<size_t>(x)] = ToNative(colour);
            dirty_[static_cast<size_t>(y >> kTileShift) * tilesX_ + static_cast<size_t>(x >> kTileShift)] = 1u;
        }

    private:
        friend class PixelSurface;
        uint32_t* pixels_ = nullptr;
        uint8_t* dirty_ = nullptr;
        uint32_t width_ = 0;
        uint32_t height_ = 0;
        size_t tilesX_ = 0;
    };

    Writer BeginWrites() {
        Writer w;
        w.pixels_ = pixels_.data();
        w.dirty_ = dirty_.data();
        w.width_ = static_cast<uint32_t>(width_);
        w.height_ = static_cast<uint32_t>(height_);
        w.tilesX_ = static_cast<size_t>(tilesX_);
        anyDirty_ = anyDirty_ || !pixels_.empty();
        return w;
    }

    // The colour at (x, y) as 0x00BBGGRR; 0 outside the surface.
    uint32_t GetPixel(int32_t x, int32_t y) const {
        if (static_cast<uint32_t>(x) >= static_cast<uint32_t>(width_) ||
            static_cast<uint32_t>(y) >= static_cast<uint32_t>(height_)) {
            return 0;
        }
        return ToNative(pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) +
                                static_cast<size_t>(x)]);  // the swap is its own inverse
    }

    // Clears everything to black (between universe cycles only).
    void Clear() {
        for (uint32_t& p : pixels_) p = 0;
        for (uint8_t& d : dirty_) d = 1;
        anyDirty_ = !pixels_.empty();
    }

    // Row-major pixels in 0x00RRGGBB, Width() per row.
    const uint32_t* NativePixels() const { return pixels_.data(); }

    bool AnyDirty() const { return anyDirty_; }
    int TilesX() const { return tilesX_; }
    int TilesY() const { return tilesY_; }
    bool TileDirty(int tx, int ty) const {
        return dirty_[static_cast<size_t>(ty) * static_cast<size_t>(tilesX_) + static_cast<size_t>(tx)] != 0;
    }

    // Calls f(x, y, w, h) for every dirty tile, in rows, then marks all tiles clean.
    template <class F>
    void TakeDirtyTiles(F&& f) {
        if (!anyDirty_) return;
        for (int ty = 0; ty < tilesY_; ++ty) {
            for (int tx = 0; tx < tilesX_; ++tx) {
                uint8_t& d = dirty_[static_cast<size_t>(ty) * static_cast<size_t>(tilesX_) +
                                    static_cast<size_t>(tx)];
                if (!d) continue;
                d = 0;
                const int x = tx << kTileShift;
                const int y = ty << kTileShift;
                const int w = (x + kTileSize <= width_) ? kTileSize : width_ - x;
                const int h = (y + kTileSize <= height_) ? kTileSize : height_ - y;
                f(x, y, w, h);
            }
        }
        anyDirty_ = false;
    }

    void MarkAllDirty() {
        for (uint8_t& d : dirty_) d = 1;
        anyDirty_ = !pixels_.empty();
    }

private:
    // 0x00BBGGRR <-> 0x00RRGGBB: swap the red and blue bytes.
    static uint32_t ToNative(uint32_t c) {
        return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    }

    int width_ = 0;
    int height_ = 0;
    int tilesX_ = 0;
    int tilesY_ = 0;
    std::vector<uint32_t> pixels_;
    std::vector<uint8_t> dirty_;
    bool anyDirty_ = false;
};

}  // namespace astrelle
