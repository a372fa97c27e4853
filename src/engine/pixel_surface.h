// PixelSurface: the only drawing target of the animation. The engine sets single pixels to a
// colour 0x00BBGGRR (0 is black and erases); coordinates outside the surface are ignored.
// Nothing clears it during a universe cycle: moving things are erased by redrawing them in
// black. The pixels are kept in the 0x00RRGGBB layout that X11 and QImage::Format_RGB32 use.
//
// A star field is almost all black, so the storage is sparse: the surface is cut into 8x8
// tiles, and only a tile holding a lit pixel has memory (a slot of a pool reserved once by
// Resize, whose pages the system maps only when a slot is first used; a tile that goes dark
// again gives its slot back). A 3840x2160 star field needs a megabyte or so this way instead
// of 33 MB. A write is only recorded; the record is applied in one go when the surface is
// read, which lets the scattered memory reads of many writes overlap instead of stalling the
// star loop at every star. Every pixel written is marked (a tile's 64 pixels make one 64-bit
// mask), and when the changes are taken the marked pixels are compared with what the last
// take found, so that a presenter sends only the pixels that really changed: much of a frame
// puts back the colour a pixel had (a star erased and drawn again where it stood).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace astrelle {

class PixelSurface {
    struct TileState;
    struct Write;

  public:
    static constexpr int kTileShift = 3;
    static constexpr int kTileSize = 1 << kTileShift;
    static constexpr int kTilePixels = kTileSize * kTileSize;  // the bits of a tile mask
    // A tile row in memory: its pixels, then the same pixels as the last take found them, so
    // that comparing the two costs one cache line (64 bytes). TilePixels rows are this far
    // apart.
    static constexpr int kTileStride = 2 * kTileSize;
    static constexpr int kSlotWords = kTileSize * kTileStride;
    // Sides are cut to this (16-bit coordinates; no window is larger).
    static constexpr int kMaxSide = 65535;

    PixelSurface() = default;
    PixelSurface(int width, int height) { Resize(width, height); }
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    // Sizes the surface, clears it to black and counts every pixel as changed (the window
    // behind it shows nothing of ours yet). Negative sizes give 0, larger than kMaxSide
    // kMaxSide.
    void Resize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // The bit of pixel (column, row) of a tile in a tile mask.
    static constexpr uint64_t Bit(int column, int row) {
        return uint64_t{1} << ((row << kTileShift) | column);
    }

    // A handle for loops that set many pixels (the star loop): SetPixel with the same
    // semantics, but with the sizes and buffers held in the handle, so that a loop keeps
    // them in registers instead of reloading them after every write. Valid until the next
    // Resize.
    class Writer {
      public:
        void SetPixel(int32_t x, int32_t y, uint32_t colour) const {
            if (static_cast<uint32_t>(x) >= width_ || static_cast<uint32_t>(y) >= height_) return;
            // Only recorded here, in order: finding a star's tile and its slot means reading
            // memory the star loop has long evicted, and the loop would wait for it at every
            // star. Applied in one go, the reads overlap (see Apply).
            uint32_t& n = *logged_;
            log_[n] = Write{static_cast<uint16_t>(x), static_cast<uint16_t>(y), ToNative(colour)};
            if (++n == kLogCapacity) surface_->Apply();
        }

      private:
        friend class PixelSurface;
        const PixelSurface* surface_ = nullptr;
        struct Write* log_ = nullptr;
        uint32_t* logged_ = nullptr;
        uint32_t width_ = 0;
        uint32_t height_ = 0;
    };

    Writer BeginWrites() {
        Writer w;
        w.surface_ = this;
        w.log_ = log_.get();
        w.logged_ = &logged_;
        w.width_ = static_cast<uint32_t>(width_);
        w.height_ = static_cast<uint32_t>(height_);
        return w;
    }

    // Sets one pixel; colour is 0x00BBGGRR. Outside the surface nothing happens.
    void SetPixel(int32_t x, int32_t y, uint32_t colour) { BeginWrites().SetPixel(x, y, colour); }

    // The colour at (x, y) as 0x00BBGGRR; 0 outside the surface.
    uint32_t GetPixel(int32_t x, int32_t y) const {
        if (static_cast<uint32_t>(x) >= static_cast<uint32_t>(width_) ||
            static_cast<uint32_t>(y) >= static_cast<uint32_t>(height_)) {
            return 0;
        }
        Apply();
        return ToNative(TilePixels(
            x >> kTileShift, y >> kTileShift)[(y & (kTileSize - 1)) * kTileStride + (x & (kTileSize - 1))]);
    }

    // Clears everything to black (between universe cycles only). Only the pixels that were
    // lit count as changed.
    void Clear();

    // Copies the pixels of row y from column x on into out, in 0x00RRGGBB; black where the
    // row or columns lie outside the surface.
    void ReadRow(int y, int x, std::span<uint32_t> out) const;

    int TilesX() const { return tilesX_; }
    int TilesY() const { return tilesY_; }
    // The pixels of a tile, 0x00RRGGBB, row stride kTileStride; all zero for a dark tile.
    const uint32_t* TilePixels(int tx, int ty) const {
        Apply();
        return pool_.get() + static_cast<size_t>(tiles_[TileIndex(tx, ty)].slot) * kSlotWords;
    }
    // False when the tile holds no memory, so that every pixel of it is black.
    bool TileLit(int tx, int ty) const {
        Apply();
        return tiles_[TileIndex(tx, ty)].slot != 0;
    }
    // Tiles that hold memory now (what the storage costs); a tile gone dark keeps its slot
    // until the changes are taken.
    int LitTiles() const {
        Apply();
        return freshSlot_ - 1 - freeCount_;
    }

    // --- What changed since the last TakeChanges or TakeDirtyTiles -----------------------

    bool AnyDirty() const {
        Apply();
        return allChanged_ || changedCount_ > 0;
    }
    bool TileDirty(int tx, int ty) const {
        Apply();
        return allChanged_ || tiles_[TileIndex(tx, ty)].change != 0;
    }

    struct ChangedTile {
        int x = 0;  // the tile's top-left pixel
        int y = 0;
        int width = 0;  // the part inside the surface
        int height = 0;
        uint64_t changed = 0;  // Bit(column, row) set when that pixel changed
        // The tile's pixels as TilePixels gives them.
        const uint32_t* pixels = nullptr;
        bool lit = false;  // false: every pixel of the tile is black
    };

    // Calls f(const ChangedTile&) for every tile with a pixel that differs from what the
    // last take found, then counts nothing as changed. After Resize every pixel counts, the
    // tiles in rows; otherwise they come in the order they were first written to.
    template <class F>
    void TakeChanges(F&& f) {
        Apply();
        if (allChanged_) {
            allChanged_ = false;
            changedCount_ = 0;
            for (int ty = 0; ty < tilesY_; ++ty) {
                for (int tx = 0; tx < tilesX_; ++tx) {
                    const uint64_t all = WholeTile(tx, ty);
                    Settle(TileIndex(tx, ty), all, Report::Written);
                    f(Describe(tx, ty, all));
                }
            }
            return;
        }
        for (uint32_t n = 0; n < changedCount_; ++n) {
            const uint32_t position = changedTiles_[n];
            const int tx = static_cast<int>(position & 0xFFFFu);
            const int ty = static_cast<int>(position >> 16);
            const size_t tile = TileIndex(tx, ty);
            tiles_[tile].change = 0;
            const uint64_t changed = Settle(tile, changed_[n], Report::Differences);
            if (changed != 0) f(Describe(tx, ty, changed));
        }
        changedCount_ = 0;
    }

    // TakeChanges for a presenter that repaints whole rectangles: f(x, y, w, h) per tile.
    template <class F>
    void TakeDirtyTiles(F&& f) {
        TakeChanges([&f](const ChangedTile& t) { f(t.x, t.y, t.width, t.height); });
    }

  private:
    // 0x00BBGGRR <-> 0x00RRGGBB: swap the red and blue bytes.
    static uint32_t ToNative(uint32_t c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }

    // The writes recorded since, applied in order to the tiles (pixels, changes). Reading
    // the surface applies them first, so no reader ever sees the record: hence const, with
    // the bookkeeping it touches mutable.
    void Apply() const {
        if (logged_ != 0) ApplyWrites();
    }
    void ApplyWrites() const;
    // A dark tile gets a slot of the pool; a tile that changes for the first time since the
    // changes were last taken gets an entry (none, 0, while everything counts as changed).
    uint32_t TakeSlot(size_t tile) const;
    uint32_t NewChangeEntry(size_t tile, uint32_t position) const;
    // Takes the written pixels of a tile: returns those that differ from the last take (or
    // all of them, with Written), records them as taken, brings the lit mask up to date
    // and gives the tile's slot back when every pixel is black again.
    enum class Report { Differences, Written };
    uint64_t Settle(size_t tile, uint64_t written, Report report);
    void GiveBackSlot(size_t tile) const;
    // Every pixel of the tile that lies inside the surface.
    uint64_t WholeTile(int tx, int ty) const;

    ChangedTile Describe(int tx, int ty, uint64_t changed) const {
        ChangedTile t;
        t.x = tx << kTileShift;
        t.y = ty << kTileShift;
        t.width = width_ - t.x < kTileSize ? width_ - t.x : kTileSize;
        t.height = height_ - t.y < kTileSize ? height_ - t.y : kTileSize;
        t.changed = changed;
        t.pixels = TilePixels(tx, ty);
        t.lit = t.pixels != pool_.get();
        return t;
    }

    size_t TileIndex(int tx, int ty) const {
        return static_cast<size_t>(ty) * static_cast<size_t>(tilesX_) + static_cast<size_t>(tx);
    }

    int width_ = 0;
    int height_ = 0;
    int tilesX_ = 0;
    int tilesY_ = 0;
    struct TileState {
        uint32_t slot;    // in pool_; 0 for a dark tile (slot 0 is all black and never written)
        uint32_t change;  // 0 when unchanged, else the place + 1 in changedTiles_, changed_
    };
    mutable std::vector<TileState> tiles_;
    // kSlotWords per slot (rows of pixels and taken pixels). Reserved for every tile at once
    // but left untouched, so only the slots in use cost memory; a slot given back is black
    // and is reused first.
    std::unique_ptr<uint32_t[]> pool_;
    // Per slot: which of its pixels are not black, as of the last take.
    std::unique_ptr<uint64_t[]> lit_;
    std::unique_ptr<uint32_t[]> freeSlots_;
    mutable int freeCount_ = 0;
    mutable int freshSlot_ = 1;  // the first slot never used yet
    // The tiles changed since the last take: position (row << 16 | column) and changed pixels.
    std::unique_ptr<uint32_t[]> changedTiles_;
    std::unique_ptr<uint64_t[]> changed_;
    mutable uint32_t changedCount_ = 0;
    bool allChanged_ = false;
    // Writes not yet applied (x, y and colour, a few thousand a frame).
    struct Write {
        uint16_t x;
        uint16_t y;
        uint32_t native;
    };
    static constexpr uint32_t kLogCapacity = 16384;
    std::unique_ptr<Write[]> log_;
    mutable uint32_t logged_ = 0;
};

}  // namespace astrelle
