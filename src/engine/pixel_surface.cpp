// The sparse storage of PixelSurface: sizing, slots of the tile pool, clearing, row reads.
#include "engine/pixel_surface.h"

#include <algorithm>
#include <cstring>

namespace astrelle {

void PixelSurface::Resize(int width, int height) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    if (width_ == 0 || height_ == 0) width_ = height_ = 0;
    tilesX_ = (width_ + kTileSize - 1) >> kTileShift;
    tilesY_ = (height_ + kTileSize - 1) >> kTileShift;
    const size_t tiles = static_cast<size_t>(tilesX_) * static_cast<size_t>(tilesY_);
    tiles_.assign(tiles, TileState{0, 0});
    // new[] without an initialiser leaves the memory untouched: the system maps a page of
    // these arrays only when a slot or a change entry on it is first used.
    pool_.reset(new uint32_t[(tiles + 1) * kTilePixels]);
    std::memset(pool_.get(), 0, sizeof(uint32_t) * kTilePixels);  // slot 0: the dark tile
    litRows_.reset(new uint16_t[(tiles + 1) * kTileSize]);
    std::memset(litRows_.get(), 0, sizeof(uint16_t) * kTileSize);
    freeSlots_.reset(new uint32_t[tiles + 1]);
    changedTiles_.reset(new uint32_t[tiles + 1]);
    changedRows_.reset(new uint16_t[(tiles + 1) * kTileSize]);
    freeCount_ = 0;
    freshSlot_ = 1;
    changedCount_ = 0;
    allChanged_ = tiles > 0;
}

uint32_t PixelSurface::TakeSlot(size_t tile) {
    uint32_t slot = 0;
    if (freeCount_ > 0) {
        slot = freeSlots_[static_cast<size_t>(--freeCount_)];  // black already
    } else {
        // Every tile can hold at most one slot, so the pool never runs out.
        slot = static_cast<uint32_t>(freshSlot_++);
        std::memset(pool_.get() + static_cast<size_t>(slot) * kTilePixels, 0, sizeof(uint32_t) * kTilePixels);
        std::memset(litRows_.get() + static_cast<size_t>(slot) * kTileSize, 0, sizeof(uint16_t) * kTileSize);
    }
    tiles_[tile].slot = slot;
    return slot;
}

uint32_t PixelSurface::NewChangeEntry(size_t tile, uint32_t position) {
    if (allChanged_) return 0;
    const uint32_t entry = ++changedCount_;
    tiles_[tile].change = entry;
    changedTiles_[entry - 1] = position;
    uint16_t* rows = changedRows_.get() + static_cast<size_t>(entry - 1) * kTileSize;
    for (int r = 0; r < kTileSize; ++r) rows[r] = 0;
    return entry;
}

void PixelSurface::GiveBackIfDark(size_t tile, const uint16_t* rows) {
    const uint32_t slot = tiles_[tile].slot;
    if (slot == 0) return;
    const uint32_t* pixels = pool_.get() + static_cast<size_t>(slot) * kTilePixels;
    uint16_t* lit = litRows_.get() + static_cast<size_t>(slot) * kTileSize;
    uint32_t any = 0;
    for (int r = 0; r < kTileSize; ++r) {
        if (rows[r] != 0) {
            // The presenter reads this row for its changed pixels next, so it is in the cache.
            uint32_t bits = 0;
            for (int c = 0; c < kTileSize; ++c) bits |= (pixels[(r << kTileShift) | c] != 0 ? 1u : 0u) << c;
            lit[r] = static_cast<uint16_t>(bits);
        }
        any |= lit[r];
    }
    if (any == 0) GiveBackSlot(tile);
}

void PixelSurface::GiveBackSlot(size_t tile) {
    freeSlots_[static_cast<size_t>(freeCount_++)] = tiles_[tile].slot;
    tiles_[tile].slot = 0;
}

void PixelSurface::Clear() {
    for (int ty = 0; ty < tilesY_; ++ty) {
        for (int tx = 0; tx < tilesX_; ++tx) {
            const size_t tile = TileIndex(tx, ty);
            const uint32_t slot = tiles_[tile].slot;
            if (slot == 0) continue;
            uint32_t* pixels = pool_.get() + static_cast<size_t>(slot) * kTilePixels;
            const auto position = (static_cast<uint32_t>(ty) << 16) | static_cast<uint32_t>(tx);
            for (int r = 0; r < kTileSize; ++r) {
                uint32_t bits = 0;
                for (int c = 0; c < kTileSize; ++c)
                    bits |= (pixels[(r << kTileShift) | c] != 0 ? 1u : 0u) << c;
                if (bits != 0) MarkChanged(tile, position, r, static_cast<uint16_t>(bits));
            }
            std::memset(pixels, 0, sizeof(uint32_t) * kTilePixels);
            std::memset(litRows_.get() + static_cast<size_t>(slot) * kTileSize, 0,
                        sizeof(uint16_t) * kTileSize);
            GiveBackSlot(tile);
        }
    }
}

void PixelSurface::ReadRow(int y, int x, std::span<uint32_t> out) const {
    std::fill(out.begin(), out.end(), 0u);
    if (y < 0 || y >= height_) return;
    const int from = std::max(x, 0);
    const int to = static_cast<int>(
        std::min<int64_t>(static_cast<int64_t>(x) + static_cast<int64_t>(out.size()), width_));
    const int row = (y & (kTileSize - 1)) << kTileShift;
    for (int column = from; column < to;) {
        const uint32_t* tile = TilePixels(column >> kTileShift, y >> kTileShift) + row;
        const int end = std::min(to, (column | (kTileSize - 1)) + 1);
        for (; column < end; ++column) out[static_cast<size_t>(column - x)] = tile[column & (kTileSize - 1)];
    }
}

const uint16_t* PixelSurface::FullRows(int tx, int ty) {
    const int w = std::min(kTileSize, width_ - (tx << kTileShift));
    const int h = std::min(kTileSize, height_ - (ty << kTileShift));
    const auto mask = static_cast<uint16_t>(w >= kTileSize ? kFullRow : (1u << w) - 1u);
    for (int r = 0; r < kTileSize; ++r) fullRows_[r] = r < h ? mask : 0;
    return fullRows_;
}

}  // namespace astrelle
