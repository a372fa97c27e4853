// Presenting on Windows: the changed tiles reach the window with one blit per tile row, in
// the right colours, and the lock message is laid over the stars it covers.
#include "platform/win32/dib_presenter.h"

#include <gtest/gtest.h>

#include "platform/win32/message_overlay.h"

namespace astrelle::win32 {
namespace {

constexpr uint32_t kRed = 0x0000FFu;  // 0x00BBGGRR, as the engine and COLORREF give colours
constexpr uint32_t kGreen = 0x00FF00u;
constexpr uint32_t kBlue = 0xFF0000u;
constexpr uint32_t kOrange = 0x0080FFu;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A memory bitmap standing in for the window.
class Target {
  public:
    Target(int width, int height) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        Fill(kWhite);
    }
    ~Target() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    void Fill(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

  private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TEST(DibPresenter, ChangedTilesReachTheWindowOneBlitPerTileRow) {
    constexpr int T = PixelSurface::kTileSize;
    PixelSurface surface(4 * T, 3 * T);  // 4 x 3 tiles
    DibPresenter presenter;
    ASSERT_TRUE(presenter.Resize(4 * T, 3 * T));
    Target window(4 * T, 3 * T);
    const MessageOverlay none;
    EXPECT_EQ(presenter.Present(surface, none, window.dc()), 3);  // everything is new
    EXPECT_EQ(window.At(3 * T, 2 * T), RGB(0, 0, 0));
    EXPECT_EQ(presenter.Present(surface, none, window.dc()), 0);  // nothing changed since

    window.Fill(kWhite);  // so that every pixel the next present sends shows
    // Written out of row order: the tiles come back in the order they were first written.
    surface.SetPixel(3 * T + 2, 1, kGreen);     // tile (3, 0)
    surface.SetPixel(T + 4, 2 * T + 4, kBlue);  // tile (1, 2)
    surface.SetPixel(1, 1, kRed);               // tile (0, 0)
    EXPECT_EQ(presenter.Present(surface, none, window.dc()), 2);
    EXPECT_EQ(window.At(1, 1), kRed);
    EXPECT_EQ(window.At(3 * T + 2, 1), kGreen);
    EXPECT_EQ(window.At(T + 4, 2 * T + 4), kBlue);
    EXPECT_EQ(presenter.PixelAt(T + 4, 2 * T + 4), 0x0000FFu);  // the DIB holds 0x00RRGGBB
    EXPECT_EQ(window.At(2 * T, 1), RGB(0, 0, 0));               // between two changed tiles of a row
    EXPECT_EQ(window.At(T, T + 1), kWhite);                     // a row without changes
    EXPECT_EQ(window.At(3 * T, 2 * T + 1), kWhite);             // beyond the changed tiles of its row
    EXPECT_EQ(window.At(1, 2 * T + 1), kWhite);

    // A repaint shows the DIB as it stands.
    window.Fill(kWhite);
    presenter.Paint(window.dc(), RECT{0, 0, 4 * T, 3 * T});
    EXPECT_EQ(window.At(3 * T + 2, 1), kGreen);
    EXPECT_EQ(window.At(3 * T, 2 * T), RGB(0, 0, 0));
}

TEST(DibPresenter, ASurfaceOfAnotherSizeIsCopiedWhereBothReach) {
    PixelSurface surface(100, 20);
    surface.SetPixel(90, 3, kRed);
    surface.SetPixel(10, 3, kGreen);
    DibPresenter presenter;
    ASSERT_TRUE(presenter.Resize(50, 50));
    const MessageOverlay none;
    presenter.Present(surface, none, nullptr);
    EXPECT_EQ(presenter.PixelAt(10, 3), 0x00FF00u);
    EXPECT_EQ(presenter.PixelAt(90, 3), 0u);  // outside the DIB: not copied, nothing broken
    EXPECT_FALSE(surface.AnyDirty());
    ASSERT_TRUE(presenter.Resize(0, 0));
    surface.SetPixel(1, 1, kRed);
    EXPECT_EQ(presenter.Present(surface, none, nullptr), 0);
    EXPECT_FALSE(surface.AnyDirty());
}

TEST(MessageOverlay, TheMessageCoversItsBandInItsColour) {
    MessageOverlay message;
    EXPECT_TRUE(message.Empty());
    ASSERT_TRUE(message.Set("WWWW", "MS Sans Serif", 20, kOrange, 300, 240, 96));
    ASSERT_FALSE(message.Empty());
    EXPECT_EQ(message.Top(), 240 / 12);
    EXPECT_GE(message.Height(), 20);  // 20 points at 96 dpi are about 27 pixels
    EXPECT_LT(message.Height(), 60);
    EXPECT_FALSE(message.Set("WWWW", "MS Sans Serif", 20, kOrange, 300, 240, 96));  // unchanged

    // Over a band of stars: the glyphs' pixels take the colour, the rest keep the stars.
    int full = 0, untouched = 0, mixed = 0;
    std::vector<uint32_t> row(300);
    for (int y = message.Top(); y < message.Top() + message.Height(); ++y) {
        std::fill(row.begin(), row.end(), 0x00102030u);
        message.Blend(row.data(), y, 0, 300);
        for (uint32_t p : row) {
            if (p == 0x00FF8000u) {
                ++full;
            } else if (p == 0x00102030u) {
                ++untouched;
            } else {
                ++mixed;
                EXPECT_GE((p >> 16) & 0xFF, 0x10u);  // between the star and the colour
            }
        }
    }
    EXPECT_GT(full, 30);
    EXPECT_GT(untouched, full);
    // Centred: the left and right quarters of the band are empty.
    std::fill(row.begin(), row.end(), 0u);
    for (int y = message.Top(); y < message.Top() + message.Height(); ++y) {
        message.Blend(row.data(), y, 0, 60);
        message.Blend(row.data(), y, 240, 300);
    }
    EXPECT_EQ(std::count(row.begin(), row.end(), 0u), 300);
    // Rows outside the band are never touched.
    message.Blend(row.data(), message.Top() - 1, 0, 300);
    message.Blend(row.data(), message.Top() + message.Height(), 0, 300);
    EXPECT_EQ(std::count(row.begin(), row.end(), 0u), 300);

    message.Clear();
    EXPECT_TRUE(message.Empty());
    EXPECT_FALSE(message.Set("", "MS Sans Serif", 20, kOrange, 300, 240, 96));
    EXPECT_TRUE(message.Empty());
}

TEST(DibPresenter, TheMessageIsLaidOverTheStarsItCovers) {
    PixelSurface surface(300, 240);
    MessageOverlay message;
    ASSERT_TRUE(message.Set("WWWW", "MS Sans Serif", 20, kOrange, 300, 240, 96));
    DibPresenter presenter;
    ASSERT_TRUE(presenter.Resize(300, 240));
    presenter.Present(surface, message, nullptr);
    int coloured = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 300; ++x) coloured += presenter.PixelAt(x, y) == 0x00FF8000u;
    }
    EXPECT_GT(coloured, 30);
    // Rows redrawn after the message went show the stars alone.
    const int top = message.Top(), height = message.Height();
    message.Clear();
    presenter.PresentRows(surface, message, top, height, nullptr);
    for (int y = top; y < top + height; ++y) {
        for (int x = 0; x < 300; ++x) ASSERT_EQ(presenter.PixelAt(x, y), 0u) << x << "," << y;
    }
}

}  // namespace
}  // namespace astrelle::win32
