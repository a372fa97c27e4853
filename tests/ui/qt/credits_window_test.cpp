// The credits window on the offscreen platform: stars that leave no trace behind, the
// restart on resize, the scrolling text, double click and dismiss, and frames paced by the
// frame wait. The flight's own rules are tested as logic.
#include "ui/qt/credits_window.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>

#include "engine/engine_state.h"
#include "ui/qt/gradient.h"
#include "ui/qt/window_engine_host.h"
#include "ui_test_support.h"

namespace astrelle {
namespace {

// ---- the window --------------------------------------------------------------------------

class CreditsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ctx_.Settings.Adv_TimeDelay = 32; }
    // Shows the window modally, runs check while it flies (after delayMs), then dismisses it.
    void Fly(CreditsWindow& window, int delayMs, const std::function<void()>& check) {
        QTimer::singleShot(delayMs, &window, [&] {
            check();
            window.DismissButton()->click();
        });
        window.exec();
    }

    ProcessValues process_;
    WindowEngineHost host_{process_};
    PixelSurface surface_;
    GalaxyTypeTable types_{};
    CompositeTable composites_{};
    EngineContext ctx_{host_, surface_, types_, composites_};
};

// The set-up is held to its ranges, and with a 32 ms delay the flight sleeps between frames
// instead of racing.
TEST_F(CreditsWindowTest, RunsWithTheClampedSetUpAndWaitsForTheFrameDelay) {
    CreditsWindow window(ctx_);
    window.FormLet(5, 1.0f, 20.0f, {"one", "two"});
    QElapsedTimer clock;
    clock.start();
    int64_t frames = 0;
    qint64 elapsed = 0;
    Fly(window, 500, [&] {
        frames = window.Frames();
        elapsed = clock.elapsed();
        EXPECT_EQ(window.Setup().stars, 10);
        EXPECT_FLOAT_EQ(window.Setup().speed, 0.25f);
        EXPECT_FLOAT_EQ(window.Setup().scrollStep, 10.0f);
        EXPECT_EQ(window.Stars().Size(), 11u);
    });
    EXPECT_GT(frames, 0);
    EXPECT_LE(frames * 32, elapsed + 64);
    EXPECT_NE(process_.StopRequested, 0);  // dismiss ends the flight through the stop flag
    if (!qEnvironmentVariableIsEmpty("ASTRELLE_SCREENSHOTS")) {
        CreditsWindow shot(ctx_);
        shot.FormLet(125, 0.005f, 2.0f, {"Astrelle 2.0", "", "Design and programming", "The Astrelle Team"});
        Fly(shot, 1500, [&] { EXPECT_TRUE(testing_support::SaveScreenshot(shot, "credits")); });
    }
}

TEST_F(CreditsWindowTest, StarsLeaveNoTraceBehind) {
    CreditsWindow window(ctx_);
    window.FormLet(60, 0.02f, 2.0f, {"line"});
    QImage field;
    std::vector<std::pair<QPoint, int>> dots;
    Fly(window, 400, [&] {
        field = window.FieldImage().copy();
        const CreditStarField& stars = window.Stars();
        for (size_t i = 0; i < stars.Size(); ++i) {
            dots.emplace_back(
                CreditsWindow::FieldPoint(stars.SX(i), stars.SY(i), field.width(), field.height()),
                CreditStarField::DotWidth(stars.Z(i)));
        }
        EXPECT_GT(window.Frames(), 3);
    });
    ASSERT_FALSE(field.isNull());
    QImage background(field.size(), QImage::Format_RGB32);
    {
        QPainter painter(&background);
        painter.translate(field.width() / 2.0, field.height() / 2.0);
        painter.scale(field.width() / 2.0, field.height() / 2.0);
        PaintGradient(painter, ScaleArea{-1, -1, 2, 2}, 0x00300000u, 0x000000A0u, 24, 2);
    }
    // Every pixel that differs from the bare gradient belongs to a star drawn now; a dot
    // that was not erased would be left far from every star.
    int changed = 0;
    int strays = 0;
    for (int y = 0; y < field.height(); ++y) {
        for (int x = 0; x < field.width(); ++x) {
            if (field.pixel(x, y) == background.pixel(x, y)) continue;
            ++changed;
            EXPECT_EQ(field.pixel(x, y) & 0xFFFFFF, ~background.pixel(x, y) & 0xFFFFFF);  // inverted
            bool near = false;
            for (const auto& [p, w] : dots)
                near = near || (std::abs(p.x() - x) <= w && std::abs(p.y() - y) <= w);
            strays += !near;
        }
    }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(strays, 0);
}

TEST_F(CreditsWindowTest, ResizeRestartsTheFlightAndTheTextScrollsUp) {
    // Each step is its own timer: the flight only moves while no handler is running.
    CreditsWindow window(ctx_);
    window.FormLet(40, 0.005f, 2.0f, {"a", "b", "c"});
    int restarts = 0;
    QTimer::singleShot(100, &window, [&] {
        restarts = window.Restarts();
        window.resize(window.width() + 40, window.height() + 30);
    });
    int topAfterRestart = 0;
    int64_t frames = 0;
    QTimer::singleShot(200, &window, [&] {
        EXPECT_EQ(window.Restarts(), restarts + 1);
        EXPECT_EQ(window.FieldImage().size(), window.size());
        topAfterRestart = window.TextPanel()->y();
        frames = window.Frames();
    });
    Fly(window, 400, [&] {
        EXPECT_LT(window.TextPanel()->y(), topAfterRestart);
        EXPECT_GT(window.Frames(), frames);
    });
}

TEST_F(CreditsWindowTest, DoubleClickTogglesMaximized) {
    CreditsWindow window(ctx_);
    window.FormLet(20, 0.005f, 2.0f, {});
    Fly(window, 80, [&] {
        EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
        QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
        QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    });
}

}  // namespace
}  // namespace astrelle
