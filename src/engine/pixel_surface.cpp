// The sparse storage of PixelSurface: sizing, slots of the tile pool, clearing, row reads.
#include "engine/pixel_surface.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace astrelle {

void PixelSurface::Resize(int width, int height) {
    // The record of writes holds 16-bit coordinates; no window is larger.
    width_ = std::clamp(width, 0, kMaxSide);
    height_ = std::clamp(height, 0, kMaxSide);
    if (width_ == 0 || height_ == 0) width_ = height_ = 0;
    tilesX_ = (width_ + kTileSize - 1) >> kTileShift;
    tilesY_ = (height_ + kTileSize - 1) >> kTileShift;
    const size_t tiles = static_cast<size_t>(tilesX_) * static_cast<size_t>(tilesY_);
    tiles_.assign(tiles, TileState{0, 0});
    // new[] without an initialiser leaves the memory untouched: the system maps a page of
    // these arrays only when a slot or a change entry on it is first used.
    pool_.reset(new uint32_t[(tiles + 1) * kSlotWords]);
    std::memset(pool_.get(), 0, sizeof(uint32_t) * kSlotWords);  // slot 0: the dark tile
    lit_.reset(new uint64_t[tiles + 1]);
    lit_[0] = 0;
    freeSlots_.reset(new uint32_t[tiles + 1]);
    changedTiles_.reset(new uint32_t[tiles + 1]);
    changed_.reset(new uint64_t[tiles + 1]);
    freeCount_ = 0;
    freshSlot_ = 1;
    changedCount_ = 0;
    allChanged_ = tiles > 0;
    if (!log_) log_.reset(new Write[kLogCapacity]);
    logged_ = 0;
}

void PixelSurface::ApplyWrites() const {
    uint32_t* pool = pool_.get();
    uint64_t* changed = changed_.get();
    const auto tilesX = static_cast<size_t>(tilesX_);
    for (uint32_t n = 0; n < logged_; ++n) {
        const Write w = log_[n];
        const unsigned tileX = w.x >> kTileShift;
        const unsigned tileY = w.y >> kTileShift;
        const size_t tile = static_cast<size_t>(tileY) * tilesX + tileX;
        uint32_t slot = tiles_[tile].slot;
        if (slot == 0) {
            if (w.native == 0) continue;  // black on a dark tile changes nothing
            slot = TakeSlot(tile);
        }
        const unsigned row = w.y & (kTileSize - 1u);
        const unsigned column = w.x & (kTileSize - 1u);
        // The pixel is only stored, never compared: whether it really changed, and whether
        // its tile has gone dark, is worked out when the changes are taken.
        pool[static_cast<size_t>(slot) * kSlotWords + row * kTileStride + column] = w.native;
        uint32_t entry = tiles_[tile].change;
        if (entry == 0) {
            entry = NewChangeEntry(tile, (tileY << 16) | tileX);
            if (entry == 0) continue;  // everything counts as changed already
        }
        changed[entry - 1] |= uint64_t{1} << ((row << kTileShift) | column);
    }
    logged_ = 0;
}

uint32_t PixelSurface::TakeSlot(size_t tile) const {
    uint32_t slot = 0;
    if (freeCount_ > 0) {
        slot = freeSlots_[static_cast<size_t>(--freeCount_)];  // black already
    } else {
        // Every tile can hold at most one slot, so the pool never runs out.
        slot = static_cast<uint32_t>(freshSlot_++);
        std::memset(pool_.get() + static_cast<size_t>(slot) * kSlotWords, 0, sizeof(uint32_t) * kSlotWords);
        lit_[slot] = 0;
    }
    tiles_[tile].slot = slot;
    return slot;
}

uint32_t PixelSurface::NewChangeEntry(size_t tile, uint32_t position) const {
    if (allChanged_) return 0;
    const uint32_t entry = ++changedCount_;
    tiles_[tile].change = entry;
    changedTiles_[entry - 1] = position;
    changed_[entry - 1] = 0;
    return entry;
}

uint64_t PixelSurface::Settle(size_t tile, uint64_t written, Report report) {
    const uint32_t slot = tiles_[tile].slot;
    // A dark tile written to since the last take was cleared: every written pixel is news.
    if (slot == 0) return written;
    uint32_t* pixels = pool_.get() + static_cast<size_t>(slot) * kSlotWords;
    // Only the written pixels are looked at (the presenter reads them next anyway); the
    // others are as the last take found them.
    uint64_t lit = lit_[slot];
    uint64_t changed = 0;
    for (; written != 0; written &= written - 1) {
        const int within = std::countr_zero(written);
        const uint64_t bit = uint64_t{1} << within;
        uint32_t* at = pixels + (within >> kTileShift) * kTileStride + (within & (kTileSize - 1));
        const uint32_t pixel = at[0];
        if (pixel != at[kTileSize] || report == Report::Written) changed |= bit;
        at[kTileSize] = pixel;
        lit = pixel != 0 ? (lit | bit) : (lit & ~bit);
    }
    lit_[slot] = lit;
    if (lit == 0) GiveBackSlot(tile);
    return changed;
}

void PixelSurface::GiveBackSlot(size_t tile) const {
    freeSlots_[static_cast<size_t>(freeCount_++)] = tiles_[tile].slot;
    tiles_[tile].slot = 0;
}

void PixelSurface::Clear() {
    Apply();
    for (int ty = 0; ty < tilesY_; ++ty) {
        for (int tx = 0; tx < tilesX_; ++tx) {
            const size_t tile = TileIndex(tx, ty);
            const uint32_t slot = tiles_[tile].slot;
            if (slot == 0) continue;
            uint32_t* pixels = pool_.get() + static_cast<size_t>(slot) * kSlotWords;
            // What turns black is what the last take found lit; pixels lit since then were
            // never shown and are recorded as written already.
            uint64_t shown = 0;
            for (int i = 0; i < kTilePixels; ++i) {
                shown |=
                    uint64_t{pixels[(i >> kTileShift) * kTileStride + kTileSize + (i & (kTileSize - 1))] != 0}
                    << i;
            }
            std::memset(pixels, 0, sizeof(uint32_t) * kSlotWords);
            lit_[slot] = 0;
            GiveBackSlot(tile);
            uint32_t entry = tiles_[tile].change;
            if (entry == 0 && shown != 0) {
                entry = NewChangeEntry(tile, (static_cast<uint32_t>(ty) << 16) | static_cast<uint32_t>(tx));
            }
            if (entry != 0) changed_[entry - 1] |= shown;
        }
    }
}

void PixelSurface::ReadRow(int y, int x, std::span<uint32_t> out) const {
    Apply();
    std::fill(out.begin(), out.end(), 0u);
    if (y < 0 || y >= height_) return;
    const int from = std::max(x, 0);
    const int to = static_cast<int>(
        std::min<int64_t>(static_cast<int64_t>(x) + static_cast<int64_t>(out.size()), width_));
    const int row = (y & (kTileSize - 1)) * kTileStride;
    for (int column = from; column < to;) {
        const uint32_t* tile = TilePixels(column >> kTileShift, y >> kTileShift) + row;
        const int end = std::min(to, (column | (kTileSize - 1)) + 1);
        for (; column < end; ++column) out[static_cast<size_t>(column - x)] = tile[column & (kTileSize - 1)];
    }
}

uint64_t PixelSurface::WholeTile(int tx, int ty) const {
    const int w = std::min(kTileSize, width_ - (tx << kTileShift));
    const int h = std::min(kTileSize, height_ - (ty << kTileShift));
    const uint64_t row = (uint64_t{1} << w) - 1u;
    uint64_t all = 0;
    for (int r = 0; r < h; ++r) all |= row << (r << kTileShift);
    return all;
}

}  // namespace astrelle
