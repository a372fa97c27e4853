// Pictures of the dialogs drawn through the pixel surface: bands of a ramp on exact pixel
// borders, a colour that fills the picture and comes back after a new size, and what the
// picture paints.
#include "ui/win32/surface_picture.h"

#include "ui/win32/profile_pictogram.h"

#include <gtest/gtest.h>

#include <array>

namespace astrelle::win32 {
namespace {

TEST(SurfacePicture, BandsFallOnTheirPixelBorders) {
    PixelSurface surface(250, 4);
    std::array<uint32_t, 100> ramp{};
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<uint32_t>(i + 1);
    DrawBands(surface, ramp);
    // Band i covers i * 250 / 100 up to (i + 1) * 250 / 100.
    EXPECT_EQ(surface.GetPixel(0, 0), 1u);
    EXPECT_EQ(surface.GetPixel(1, 3), 1u);
    EXPECT_EQ(surface.GetPixel(2, 0), 2u);
    EXPECT_EQ(surface.GetPixel(4, 0), 2u);
    EXPECT_EQ(surface.GetPixel(5, 0), 3u);
    EXPECT_EQ(surface.GetPixel(249, 3), 100u);
    const std::array<uint32_t, 2> two{7u, 9u};
    PixelSurface narrow(3, 1);
    DrawBands(narrow, two);
    EXPECT_EQ(narrow.GetPixel(0, 0), 7u);
    EXPECT_EQ(narrow.GetPixel(1, 0), 9u);
    EXPECT_EQ(narrow.GetPixel(2, 0), 9u);
}

class PictureWindow {
  public:
    PictureWindow(int width, int height) {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~PictureWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

  private:
    HWND window_ = nullptr;
};

COLORREF Painted(const SurfacePicture& picture, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT all{0, 0, 64, 64};
    picture.Paint(memory, all);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return colour;
}

TEST(SurfacePicture, AColourFillsThePictureAndStaysAcrossSizes) {
    PictureWindow window(40, 20);
    SurfacePicture picture;
    picture.Attach(window.Handle());
    picture.Fit();
    EXPECT_EQ(picture.Surface().Width(), 40);
    picture.SetColour(0x0000FFu);  // red, as the engine gives colours
    EXPECT_EQ(Painted(picture, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(Painted(picture, 39, 19), RGB(255, 0, 0));
    SetWindowPos(window.Handle(), nullptr, 0, 0, 60, 30, SWP_NOMOVE | SWP_NOZORDER);
    picture.Fit();
    EXPECT_EQ(picture.Surface().Width(), 60);
    EXPECT_EQ(Painted(picture, 59, 29), RGB(255, 0, 0));
    // Without a drawing the surface is the engine's: black after each new size.
    picture.SetDrawing({});
    picture.Fit();
    EXPECT_EQ(Painted(picture, 10, 10), RGB(0, 0, 0));
}

int Lit(const PixelSurface& surface, int x0, int y0, int x1, int y1) {
    int lit = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) lit += surface.GetPixel(x, y) != 0 ? 1 : 0;
    }
    return lit;
}

TEST(ProfilePictogram, TheOutlineIsMirroredIntoAllFourQuadrantsInsideTheMargin) {
    PixelSurface surface(72, 44);
    DrawProfilePictogram(surface, 2, 96);  // spherical: an ellipse around the middle
    const int w = surface.Width(), h = surface.Height();
    const int quadrant = Lit(surface, 0, 0, w / 2, h / 2);
    EXPECT_GT(quadrant, 20);
    EXPECT_EQ(Lit(surface, w - w / 2, 0, w, h / 2), quadrant);
    EXPECT_EQ(Lit(surface, 0, h - h / 2, w / 2, h), quadrant);
    EXPECT_EQ(Lit(surface, w - w / 2, h - h / 2, w, h), quadrant);
    // Nothing in the margin (4 pixels at 96 DPI, 8 at 192), nothing in the middle.
    EXPECT_EQ(Lit(surface, 0, 0, w, 3), 0);
    EXPECT_EQ(Lit(surface, 0, 0, 3, h), 0);
    EXPECT_EQ(Lit(surface, w / 2 - 5, h / 2 - 5, w / 2 + 5, h / 2 + 5), 0);
    EXPECT_GT(Lit(surface, 0, 0, w, 6), 0);  // the top of the ellipse just inside it
    DrawProfilePictogram(surface, 2, 192);
    EXPECT_EQ(Lit(surface, 0, 0, w, 7), 0);
    EXPECT_EQ(surface.GetPixel(w / 2, 8), 0xFFC8AAu);  // light blue, packed 0x00BBGGRR
}

TEST(ProfilePictogram, ProfilesDifferAndAnUnknownOneLeavesItBlack) {
    PixelSurface cone(72, 44);
    PixelSurface sphere(72, 44);
    DrawProfilePictogram(cone, 3, 96);
    DrawProfilePictogram(sphere, 2, 96);
    int differing = 0;
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 72; ++x) differing += cone.GetPixel(x, y) != sphere.GetPixel(x, y) ? 1 : 0;
    }
    EXPECT_GT(differing, 40);
    DrawProfilePictogram(cone, -1, 96);  // and it clears what was there
    EXPECT_EQ(Lit(cone, 0, 0, 72, 44), 0);
}

}  // namespace
}  // namespace astrelle::win32
