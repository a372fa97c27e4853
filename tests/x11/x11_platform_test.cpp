// The X11 platform layer against a real server (scripts/x11-tests runs these under Xvfb;
// without a display they are skipped): foreign window queries that must survive windows
// vanishing, the caption search, and the presenter sending exactly the changed tiles.
#include <gtest/gtest.h>
// Xlib's macros (None, Bool, Status) must come after the test framework's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <memory>

#include "engine/pixel_surface.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_presenter.h"

namespace astrelle::x11 {
namespace {

class X11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) GTEST_SKIP() << "no X display";
        std::string error;
        connection_ = Connection::Open(nullptr, &error);
        if (!connection_) GTEST_SKIP() << error;
    }

    // A mapped top-level window of the test's own (the "foreign" owner in these tests).
    WindowId MakeWindow(int w, int h, const char* title = nullptr) {
        Display* d = connection_->Raw();
        const Window window = XCreateSimpleWindow(
            d, connection_->Root(), 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h), 0,
            WhitePixel(d, DefaultScreen(d)), WhitePixel(d, DefaultScreen(d)));
        if (title) XStoreName(d, window, title);
        XMapWindow(d, window);
        XSync(d, False);
        return window;
    }

    // The pixel (0x00RRGGBB) at (x, y) of window as the server holds it.
    uint32_t PixelAt(WindowId window, int x, int y) {
        XImage* image = XGetImage(connection_->Raw(), window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return 0xDEADBEEF;
        const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
        XDestroyImage(image);
        return pixel;
    }

    std::unique_ptr<Connection> connection_;
};

// Queries and the caption search on windows that are missing or vanish report instead of
// failing; the caption must match exactly.
TEST_F(X11Test, WindowQueriesAndCaptionSearchSurviveMissingWindows) {
    const uint64_t errorsBefore = ProtocolErrorCount();
    EXPECT_FALSE(connection_->WindowExists(0));
    EXPECT_FALSE(connection_->WindowExists(0x7FFFFE));
    EXPECT_FALSE(connection_->InnerSize(0x7FFFFE).has_value());
    EXPECT_FALSE(connection_->Watch(0x7FFFFE, Connection::Exposures::No));
    EXPECT_EQ(connection_->CreateChild(0x7FFFFE, 10, 10), 0u);
    EXPECT_GT(ProtocolErrorCount(), errorsBefore);  // the errors arrived and were survived

    const WindowId window = MakeWindow(123, 45, "KRLN:Astrelle 2.0 test double");
    ASSERT_TRUE(connection_->WindowExists(window));
    const auto size = connection_->InnerSize(window);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, 123);
    EXPECT_EQ(size->height, 45);
    EXPECT_EQ(connection_->FindWindowByCaption("KRLN:Astrelle 2.0 test double"), window);
    EXPECT_EQ(connection_->FindWindowByCaption("KRLN:Astrelle 2.0 test"), 0u);
    EXPECT_TRUE(connection_->Activate(window));
    connection_->DestroyWindow(window);
    EXPECT_FALSE(connection_->WindowExists(window));
    EXPECT_EQ(connection_->FindWindowByCaption("KRLN:Astrelle 2.0 test double"), 0u);
    EXPECT_FALSE(connection_->Activate(window));
}

TEST_F(X11Test, WatchedWindowsReportResizeAndDestruction) {
    const WindowId parent = MakeWindow(200, 100);
    ASSERT_TRUE(connection_->Watch(parent, Connection::Exposures::No));
    const WindowId child = connection_->CreateChild(parent, 200, 100);
    ASSERT_NE(child, 0u);
    connection_->TakeEvents();
    XResizeWindow(connection_->Raw(), parent, 300, 150);
    XSync(connection_->Raw(), False);
    bool resized = false;
    for (const WindowEvent& e : connection_->TakeEvents()) {
        if (e.kind == WindowEvent::Kind::Resized && e.window == parent) {
            resized = e.width == 300 && e.height == 150;
        }
    }
    EXPECT_TRUE(resized);
    // Destroying the box takes our child with it; both are reported.
    XDestroyWindow(connection_->Raw(), parent);
    XSync(connection_->Raw(), False);
    bool parentGone = false, childGone = false;
    for (const WindowEvent& e : connection_->TakeEvents()) {
        if (e.kind != WindowEvent::Kind::Destroyed) continue;
        parentGone |= e.window == parent;
        childGone |= e.window == child;
    }
    EXPECT_TRUE(parentGone);
    EXPECT_TRUE(childGone);
}

class PresenterTest : public X11Test, public ::testing::WithParamInterface<Presenter::SharedMemory> {};

TEST_P(PresenterTest, SendsTheChangedTilesAndNothingElse) {
    constexpr int t = PixelSurface::kTileSize;
    const int w = 3 * t + t / 2, h = 2 * t + 3;  // clipped tiles on the right and at the bottom
    const WindowId window = MakeWindow(w, h);
    Presenter presenter(*connection_, window, GetParam());
    ASSERT_TRUE(presenter.Valid());
    PixelSurface surface(w, h);
    surface.SetPixel(5, 5, 0x0000FFu);          // red in 0x00BBGGRR
    surface.SetPixel(w - 1, h - 1, 0xFF0000u);  // blue, in the clipped corner tile
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    EXPECT_EQ(PixelAt(window, 5, 5), 0xFF0000u);
    EXPECT_EQ(PixelAt(window, w - 1, h - 1), 0x0000FFu);
    EXPECT_EQ(PixelAt(window, 2 * t, t), 0u);  // the first present sends the whole (black) surface

    // Paint the window behind the presenter's back; only the tile that changes again is
    // repainted from the surface, the others keep what the window shows.
    XSetWindowBackground(connection_->Raw(), window, 0x00FF00);
    XClearWindow(connection_->Raw(), window);
    XSync(connection_->Raw(), False);
    surface.SetPixel(t + 6, t + 6, 0xFFFFFFu);
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    EXPECT_EQ(PixelAt(window, t + 6, t + 6), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(window, t + 1, t + 1), 0u);             // same tile: sent
    EXPECT_EQ(PixelAt(window, 5, 5), 0x00FF00u);              // clean tile: untouched
    EXPECT_EQ(PixelAt(window, 2 * t + 1, t + 1), 0x00FF00u);  // the neighbour too
    EXPECT_EQ(PixelAt(window, w - 1, h - 1), 0x00FF00u);

    // A forced rectangle goes out although nothing changed there.
    const Rect forced{0, 0, 10, 10};
    ASSERT_TRUE(presenter.Present(surface, nullptr, std::span<const Rect>(&forced, 1)));
    EXPECT_EQ(PixelAt(window, 5, 5), 0xFF0000u);
    // Xvfb on the same machine offers shared memory; the plain path must not use it.
    EXPECT_EQ(presenter.UsesSharedMemory(), GetParam() == Presenter::SharedMemory::Allowed);
}

TEST_P(PresenterTest, AFrameWithMoreTilesThanStagingSlotsArrivesWhole) {
    constexpr int t = PixelSurface::kTileSize;
    // More tiles than slots, in a window that fits on the test screen (XGetImage reads only
    // what is on screen).
    // The first present sends the whole (all dirty) surface in runs of one slot's width.
    const int columns = 1024 / t, rows = Presenter::kSlots / (1024 / Presenter::kSlotWidth) + 2;
    const int w = columns * t, h = rows * t;
    const WindowId window = MakeWindow(w, h);
    Presenter presenter(*connection_, window, GetParam());
    PixelSurface surface(w, h);
    for (int y = 0; y < h; y += t) {
        for (int x = 0; x < w; x += t) surface.SetPixel(x + 3, y + 3, static_cast<uint32_t>(x * 7 + y));
    }
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    for (int y = 0; y < h; y += t) {
        for (int x = 0; x < w; x += t) {
            const uint32_t c = static_cast<uint32_t>(x * 7 + y);  // 0x00BBGGRR
            const uint32_t expected = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
            ASSERT_EQ(PixelAt(window, x + 3, y + 3), expected) << x << "," << y;
        }
    }
}

TEST_P(PresenterTest, BlendsTheOverlayOverTheStars) {
    const WindowId window = MakeWindow(64, 64);
    Presenter presenter(*connection_, window, GetParam());
    PixelSurface surface(64, 64);
    surface.SetPixel(1, 1, 0x0000FFu);  // red star under the overlay's transparent pixel
    surface.SetPixel(2, 1, 0x0000FFu);  // red star under the opaque green pixel
    surface.SetPixel(3, 1, 0x0000FFu);  // red star under the half-covered pixel
    const uint32_t overlayPixels[3] = {0x00000000u, 0xFF00FF00u, 0x80008000u};  // premultiplied
    Overlay overlay{overlayPixels, 1, 1, 3, 1, 3};
    ASSERT_TRUE(presenter.Present(surface, &overlay));
    EXPECT_EQ(PixelAt(window, 1, 1), 0xFF0000u);
    EXPECT_EQ(PixelAt(window, 2, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(window, 3, 1), 0x7F8000u);  // red 255 * (1 - 128/255) + green 128
}

TEST_P(PresenterTest, AVanishedWindowIsReportedNotFatal) {
    const WindowId window = MakeWindow(100, 100);
    Presenter presenter(*connection_, window, GetParam());
    PixelSurface surface(100, 100);
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    XDestroyWindow(connection_->Raw(), window);
    XSync(connection_->Raw(), False);
    surface.SetPixel(10, 10, 0xFFFFFFu);
    EXPECT_FALSE(presenter.Present(surface, nullptr));
    EXPECT_FALSE(Presenter(*connection_, window, GetParam()).Valid());
}

INSTANTIATE_TEST_SUITE_P(SharedAndPlain, PresenterTest,
                         ::testing::Values(Presenter::SharedMemory::Allowed,
                                           Presenter::SharedMemory::Forbidden));

}  // namespace
}  // namespace astrelle::x11
