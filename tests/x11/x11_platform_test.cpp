// The X11 platform layer against a real server (scripts/x11-tests runs these under Xvfb;
// without a display they are skipped): foreign window queries that must survive windows
// vanishing, the caption search, and the presenter sending exactly the changed tiles.
#include <gtest/gtest.h>
// Xlib's macros (None, Bool, Status) must come after the test framework's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <utility>

#include "engine/pixel_surface.h"
#include "platform/x11/point_groups.h"
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

TEST_P(PresenterTest, SendsTheChangedPixelsAndNothingElse) {
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
    EXPECT_EQ(PixelAt(window, 6, 5), 0u);

    // Paint the window behind the presenter's back; only the pixels that change again are
    // sent, their neighbours in the same tile keep what the window shows.
    XSetWindowBackground(connection_->Raw(), window, 0x00FF00);
    XClearWindow(connection_->Raw(), window);
    XSync(connection_->Raw(), False);
    surface.SetPixel(t + 6, t + 6, 0xFFFFFFu);
    surface.SetPixel(5, 5, 0u);  // erased: goes out black
    const uint64_t before = presenter.RequestsSent();
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    EXPECT_EQ(PixelAt(window, t + 6, t + 6), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(window, 5, 5), 0u);
    EXPECT_EQ(PixelAt(window, t + 7, t + 6), 0x00FF00u);  // same tile, unchanged: untouched
    EXPECT_EQ(PixelAt(window, 6, 5), 0x00FF00u);
    EXPECT_EQ(PixelAt(window, w - 1, h - 1), 0x00FF00u);
    // Two colours: each one colour change and one batch of points.
    EXPECT_EQ(presenter.RequestsSent() - before, 4u);
    // A frame that changed nothing sends nothing, nor does a star drawn again where it stood.
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    surface.SetPixel(t + 6, t + 6, 0u);
    surface.SetPixel(t + 6, t + 6, 0xFFFFFFu);
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    EXPECT_EQ(presenter.RequestsSent() - before, 4u);

    // A forced rectangle goes out although nothing changed there.
    const Rect forced{0, 0, 10, 10};
    ASSERT_TRUE(presenter.Present(surface, nullptr, std::span<const Rect>(&forced, 1)));
    EXPECT_EQ(PixelAt(window, 6, 5), 0u);
    EXPECT_EQ(PixelAt(window, 11, 5), 0x00FF00u);
    // Xvfb on the same machine offers shared memory; the plain path must not use it.
    EXPECT_EQ(presenter.UsesSharedMemory(), GetParam() == Presenter::SharedMemory::Allowed);
}

// Tiles that changed in bulk go out whole: dark ones as fills, lit ones as images.
TEST_P(PresenterTest, TilesChangedInBulkGoOutWhole) {
    constexpr int t = PixelSurface::kTileSize;
    const int w = 6 * t, h = 4 * t;
    const WindowId window = MakeWindow(w, h);
    Presenter presenter(*connection_, window, GetParam());
    PixelSurface surface(w, h);
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    // Tile (0, 0) lit all over, tile (1, 0) lit in a corner only.
    for (int y = 0; y < t; ++y) {
        for (int x = 0; x < t; ++x) surface.SetPixel(x, y, 0x010203u * static_cast<uint32_t>(x + y + 1));
    }
    surface.SetPixel(t + 1, 1, 0xFFFFFFu);
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    EXPECT_EQ(PixelAt(window, 3, 4), 0x181008u);  // 0x010203 * 8 in 0x00RRGGBB
    EXPECT_EQ(PixelAt(window, t + 1, 1), 0xFFFFFFu);
    // Paint behind the presenter's back, then clear the surface: only what was lit turns black.
    XSetWindowBackground(connection_->Raw(), window, 0x00FF00);
    XClearWindow(connection_->Raw(), window);
    XSync(connection_->Raw(), False);
    surface.Clear();
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    EXPECT_EQ(PixelAt(window, t - 1, t - 1), 0u);
    EXPECT_EQ(PixelAt(window, t + 1, 1), 0u);
    EXPECT_EQ(PixelAt(window, t + 2, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(window, 3 * t, 2 * t), 0x00FF00u);
}

// More colours than a batch holds, one pixel each, scattered so that no tile changes in
// bulk: the batches that fill up go out on the way, and every pixel arrives.
TEST_P(PresenterTest, AFrameWithMoreColoursThanABatchArrivesWhole) {
    const int w = 480, h = 320;
    const WindowId window = MakeWindow(w, h);
    Presenter presenter(*connection_, window, GetParam());
    PixelSurface surface(w, h);
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    const int colours = PointGroups::kMaxColours + 200;
    auto spot = [&](int i) { return std::pair{(i * 37) % w, (i * 37 / w * 7 + i % 5) % h}; };
    for (int i = 0; i < colours; ++i) {
        const auto [x, y] = spot(i);
        surface.SetPixel(x, y, static_cast<uint32_t>(0x000100 + i));
    }
    const uint64_t before = presenter.RequestsSent();
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    EXPECT_GE(presenter.RequestsSent() - before, static_cast<uint64_t>(2 * colours) - 10);  // points
    for (int i = 0; i < colours; ++i) {
        const auto [x, y] = spot(i);
        const uint32_t c = surface.GetPixel(x, y);
        ASSERT_EQ(PixelAt(window, x, y), ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu)) << i;
    }
}

TEST_P(PresenterTest, AFrameWithMoreTilesThanStagingSlotsArrivesWhole) {
    constexpr int t = PixelSurface::kTileSize;
    // More lit tiles than slots, in a window that fits on the test screen (XGetImage reads
    // only what is on screen). The first present sends the whole surface, the lit tiles as
    // images in runs of one slot's width.
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
    ASSERT_TRUE(presenter.Present(surface, &overlay));  // the whole surface: images
    EXPECT_EQ(PixelAt(window, 1, 1), 0xFF0000u);
    EXPECT_EQ(PixelAt(window, 2, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(window, 3, 1), 0x7F8000u);  // red 255 * (1 - 128/255) + green 128
    // Single changed pixels under the overlay go out as points, blended as well.
    surface.SetPixel(1, 1, 0xFF0000u);  // blue under the transparent pixel
    surface.SetPixel(3, 1, 0u);         // erased under the half-covered pixel
    ASSERT_TRUE(presenter.Present(surface, &overlay));
    EXPECT_EQ(PixelAt(window, 1, 1), 0x0000FFu);
    EXPECT_EQ(PixelAt(window, 2, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(window, 3, 1), 0x008000u);
    // A tile under the overlay that goes dark all at once is blended too, not filled black.
    for (int y = 0; y < PixelSurface::kTileSize; ++y) {
        for (int x = 0; x < PixelSurface::kTileSize; ++x) surface.SetPixel(x, y, 0xFFFFFFu);
    }
    ASSERT_TRUE(presenter.Present(surface, &overlay));
    surface.Clear();
    ASSERT_TRUE(presenter.Present(surface, &overlay));
    EXPECT_EQ(PixelAt(window, 2, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(window, 3, 1), 0x008000u);
    EXPECT_EQ(PixelAt(window, 5, 5), 0u);
}

// The saver never reads its connection between frames unless the server has something to
// say, so a frame must leave the client by itself: another client sees it without the
// presenter's connection being touched again.
TEST_P(PresenterTest, AFrameReachesTheServerWithoutWaitingForARead) {
    const WindowId window = MakeWindow(64, 64);
    Presenter presenter(*connection_, window, GetParam());
    PixelSurface surface(64, 64);
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    std::string error;
    const std::unique_ptr<Connection> onlooker = Connection::Open(nullptr, &error);
    ASSERT_TRUE(onlooker) << error;
    surface.SetPixel(9, 9, 0x0000FFu);  // red (0x00BBGGRR), on a white window: one point
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    constexpr int kLooks = 200;  // the server reads each client in its own time: up to 2 s
    uint32_t seen = 0;
    for (int look = 0; look < kLooks && seen != 0xFF0000u; ++look) {
        if (look > 0) usleep(10000);
        XImage* image = XGetImage(onlooker->Raw(), window, 9, 9, 1, 1, AllPlanes, ZPixmap);
        ASSERT_NE(image, nullptr);
        seen = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
        XDestroyImage(image);
    }
    EXPECT_EQ(seen, 0xFF0000u);
}

TEST_P(PresenterTest, AVanishedWindowIsReportedNotFatal) {
    const WindowId window = MakeWindow(100, 100);
    Presenter presenter(*connection_, window, GetParam());
    PixelSurface surface(100, 100);
    ASSERT_TRUE(presenter.Present(surface, nullptr));
    XDestroyWindow(connection_->Raw(), window);
    XSync(connection_->Raw(), False);
    // The error comes after the requests: this present or, once the server's answer has
    // been read, the next one reports it.
    surface.SetPixel(10, 10, 0xFFFFFFu);
    bool reported = !presenter.Present(surface, nullptr);
    connection_->EnsureAlive();
    surface.SetPixel(11, 10, 0xFFFFFFu);
    reported = !presenter.Present(surface, nullptr) || reported;
    EXPECT_TRUE(reported);
    EXPECT_TRUE(presenter.Present(surface, nullptr));  // reported once
    EXPECT_FALSE(Presenter(*connection_, window, GetParam()).Valid());
}

INSTANTIATE_TEST_SUITE_P(SharedAndPlain, PresenterTest,
                         ::testing::Values(Presenter::SharedMemory::Allowed,
                                           Presenter::SharedMemory::Forbidden));

}  // namespace
}  // namespace astrelle::x11
