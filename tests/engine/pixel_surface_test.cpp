// The pixel surface's sparse storage and its record of changes: exactly the pixels that
// changed are reported, once; tiles that go dark give their memory back; a clear reports
// only what was lit.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "engine/pixel_surface.h"

namespace astrelle {
namespace {

using Changes = std::map<std::pair<int, int>, bool>;  // changed pixel -> its tile was lit

Changes Take(PixelSurface& s) {
    Changes out;
    s.TakeChanges([&](const PixelSurface::ChangedTile& t) {
        for (int r = 0; r < PixelSurface::kTileSize; ++r) {
            for (int c = 0; c < PixelSurface::kTileSize; ++c) {
                if ((t.changed & PixelSurface::Bit(c, r)) == 0) continue;
                EXPECT_LT(c, t.width);
                EXPECT_LT(r, t.height);
                out[{t.x + c, t.y + r}] = t.lit;
                // The pixels seen through the tile are the surface's own (native layout).
                const uint32_t p = s.GetPixel(t.x + c, t.y + r);
                EXPECT_EQ(t.pixels[r * PixelSurface::kTileStride + c],
                          ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu));
            }
        }
    });
    return out;
}

TEST(PixelSurface, ReportsExactlyTheChangedPixelsOnce) {
    static_assert(PixelSurface::kTileSize == 8);  // the places below are chosen for 8x8 tiles
    PixelSurface s(37, 20);  // 5 x 3 tiles, the right column 5 wide, the bottom row 4 high
    const Changes first = Take(s);
    EXPECT_EQ(first.size(), 37u * 20u);  // a new surface: all of it, and nothing beyond
    EXPECT_FALSE(s.AnyDirty());
    EXPECT_TRUE(Take(s).empty());

    s.SetPixel(1, 1, 0x0000FFu);
    s.SetPixel(17, 2, 0xFF0000u);
    s.SetPixel(36, 19, 0x00FF00u);
    s.SetPixel(17, 2, 0x123456u);  // twice: one change
    s.SetPixel(20, 18, 0u);        // black on a dark tile changes nothing
    for (auto [x, y] : {std::pair{-1, 0}, {37, 0}, {0, -1}, {0, 20}}) s.SetPixel(x, y, 0xFFFFFFu);
    EXPECT_TRUE(s.AnyDirty());
    EXPECT_TRUE(s.TileDirty(2, 0));
    EXPECT_FALSE(s.TileDirty(2, 2));
    const Changes expected{{{1, 1}, true}, {{17, 2}, true}, {{36, 19}, true}};
    EXPECT_EQ(Take(s), expected);
    EXPECT_EQ(s.GetPixel(17, 2), 0x123456u);
    EXPECT_EQ(s.GetPixel(36, 19), 0x00FF00u);
    EXPECT_TRUE(Take(s).empty());

    // What a take found is what the next compares with: a star erased and drawn again where
    // it stood, or a colour put back, is no change; a colour that came and went is none.
    s.SetPixel(1, 1, 0u);
    s.SetPixel(1, 1, 0x0000FFu);
    s.SetPixel(17, 2, 0x123456u);
    s.SetPixel(2, 1, 0xFFFFFFu);
    s.SetPixel(2, 1, 0u);
    s.SetPixel(3, 1, 0x00FF00u);
    EXPECT_TRUE(s.AnyDirty());  // written to, so far as the surface knew then
    EXPECT_EQ(Take(s), (Changes{{{3, 1}, true}}));

    // The rectangles for painters that repaint whole tiles: clipped to the surface.
    s.SetPixel(36, 19, 0u);
    std::vector<std::vector<int>> rects;
    s.TakeDirtyTiles([&](int x, int y, int w, int h) { rects.push_back({x, y, w, h}); });
    EXPECT_EQ(rects, (std::vector<std::vector<int>>{{32, 16, 5, 4}}));
}

TEST(PixelSurface, DarkTilesGiveTheirMemoryBackWhenTheChangesAreTaken) {
    PixelSurface s(3840, 2160);
    s.TakeChanges([](const PixelSurface::ChangedTile&) {});
    EXPECT_EQ(s.LitTiles(), 0);
    s.SetPixel(100, 100, 0xFFFFFFu);
    s.SetPixel(101, 100, 0xFFFFFFu);
    s.SetPixel(3000, 2000, 0x0000FFu);
    EXPECT_EQ(s.LitTiles(), 2);
    EXPECT_TRUE(s.TileLit(100 / PixelSurface::kTileSize, 100 / PixelSurface::kTileSize));
    Take(s);
    s.SetPixel(100, 100, 0u);
    Take(s);
    EXPECT_EQ(s.LitTiles(), 2);  // one pixel of the tile is still lit
    s.SetPixel(101, 100, 0u);
    s.SetPixel(3000, 2000, 0u);
    EXPECT_EQ(s.LitTiles(), 2);  // given back only when the changes are taken...
    const Changes expected{{{101, 100}, false}, {{3000, 2000}, false}};
    EXPECT_EQ(Take(s), expected);  // ...and then reported dark
    EXPECT_EQ(s.LitTiles(), 0);
    EXPECT_FALSE(s.TileLit(100 / PixelSurface::kTileSize, 100 / PixelSurface::kTileSize));
    for (int r = 0; r < PixelSurface::kTileSize; ++r) {
        for (int c = 0; c < PixelSurface::kTileSize; ++c)
            EXPECT_EQ(s.TilePixels(12, 12)[r * PixelSurface::kTileStride + c], 0u);
    }
    // A slot given back is black when it is used again.
    s.SetPixel(3001, 2001, 0x0000FFu);
    EXPECT_EQ(s.LitTiles(), 1);
    EXPECT_EQ(s.GetPixel(3000, 2000), 0u);
    EXPECT_EQ(s.GetPixel(3001, 2001), 0x0000FFu);
}

TEST(PixelSurface, ClearReportsOnlyWhatWasLit) {
    PixelSurface s(64, 64);
    Take(s);
    s.SetPixel(3, 4, 0x0000FFu);
    s.SetPixel(40, 50, 0x00FF00u);
    s.SetPixel(41, 50, 0x00FF00u);
    Take(s);
    s.SetPixel(41, 50, 0u);
    s.SetPixel(20, 20, 0xFF0000u);  // lit since the last take
    s.Clear();
    const Changes expected{{{3, 4}, false}, {{40, 50}, false}, {{41, 50}, false}, {{20, 20}, false}};
    EXPECT_EQ(Take(s), expected);
    EXPECT_EQ(s.LitTiles(), 0);
    for (auto [x, y] : {std::pair{3, 4}, {40, 50}, {20, 20}}) EXPECT_EQ(s.GetPixel(x, y), 0u);
}

TEST(PixelSurface, ReadRowCrossesTilesAndIsBlackOutside) {
    PixelSurface s(40, 20);
    for (int x = 0; x < 40; ++x) s.SetPixel(x, 7, 0x010000u * static_cast<uint32_t>(x + 1));  // blue ramp
    struct Case {
        int y, x, count;
        std::vector<uint32_t> expected;  // native 0x00RRGGBB
    };
    const std::vector<Case> cases = {
        {7, 6, 4, {7, 8, 9, 10}}, {7, -2, 4, {0, 0, 1, 2}}, {7, 38, 4, {39, 40, 0, 0}},
        {6, 14, 2, {0, 0}},       {-1, 0, 2, {0, 0}},       {20, 0, 2, {0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> row(static_cast<size_t>(c.count), 0xDEADu);
        s.ReadRow(c.y, c.x, row);
        EXPECT_EQ(row, c.expected) << c.y << "," << c.x;
    }
}

// Writes are recorded and applied when the surface is read; a frame with more writes than
// the record holds loses none, in order.
TEST(PixelSurface, ManyWritesBeforeAReadAllArriveInOrder) {
    PixelSurface s(256, 256);
    Take(s);
    for (int pass = 0; pass < 3; ++pass) {
        for (int i = 0; i < 256 * 256; ++i)
            s.SetPixel(i % 256, i / 256, static_cast<uint32_t>(pass * 7 + i % 5));
    }
    std::vector<uint32_t> row(256);
    for (int y = 0; y < 256; ++y) {
        s.ReadRow(y, 0, row);
        for (int x = 0; x < 256; ++x) {
            const auto c = static_cast<uint32_t>(14 + (y * 256 + x) % 5);  // the last pass, native
            ASSERT_EQ(row[static_cast<size_t>(x)], c << 16) << x << "," << y;
        }
    }
    EXPECT_EQ(Take(s).size(), 256u * 256u);
}

TEST(PixelSurface, AnEmptySurfaceHasNothingToReport) {
    PixelSurface s(0, 7);
    EXPECT_EQ(s.Width(), 0);
    EXPECT_EQ(s.Height(), 0);
    s.SetPixel(0, 0, 0xFFFFFFu);
    EXPECT_TRUE(Take(s).empty());
    s.Clear();
    EXPECT_FALSE(s.AnyDirty());
}

}  // namespace
}  // namespace astrelle
