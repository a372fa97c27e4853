// The credits flight: as logic, the set-up clamps, renewal at depth 1 and the pairing of every
// erase with the draw before it; running for real on the offscreen platform, stars that leave
// no trace behind, the restart on resize, the scrolling text, double click and dismiss, and
// frames paced by the frame wait.
#include "ui/qt/credits_window.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <map>
#include <tuple>

#include "engine/engine_state.h"
#include "ui/qt/gradient.h"
#include "ui/qt/window_engine_host.h"
#include "ui_test_support.h"

namespace astrelle {
namespace {

// FormLet(5, 1.0, 20) holding to 10 stars, speed 0.25 and step 10 is checked on the window.
TEST(CreditsSetupClamp, HoldsEveryValueToItsRange) {
    const CreditsSetup low = ClampCreditsSetup({500, 0.0001f, 0.1f, {}});
    EXPECT_EQ(low.stars, 200);
    EXPECT_FLOAT_EQ(low.speed, 0.0025f);
    EXPECT_FLOAT_EQ(low.scrollStep, 0.5f);

    const CreditsSetup welcome = ClampCreditsSetup({125, 0.005f, 2.0f, {"a"}});
    EXPECT_EQ(welcome.lines, QStringList{"a"});
    EXPECT_EQ(welcome.stars, 125);
    EXPECT_FLOAT_EQ(welcome.speed, 0.005f);
    EXPECT_FLOAT_EQ(welcome.scrollStep, 2.0f);

    const CreditsSetup nan = ClampCreditsSetup({20, std::nanf(""), std::nanf(""), {}});
    EXPECT_FLOAT_EQ(nan.speed, 0.0025f);
    EXPECT_FLOAT_EQ(nan.scrollStep, 0.5f);
}

TEST(CreditStarField, DotsWidenAsStarsComeCloser) {
    for (auto [z, width] : {std::pair{1.0f, 1}, {0.6f, 1}, {0.5f, 2}, {0.3f, 3}, {0.02f, 50}}) {
        EXPECT_EQ(CreditStarField::DotWidth(z), width) << z;
    }
}

TEST(CreditStarField, StartPlacesCountPlusOneStarsAtDepthOne) {
    RandomSource random(7);
    CreditStarField field;
    int plots = 0;
    field.Start(125, random, [&](float sx, float sy, int width) {
        ++plots;
        EXPECT_EQ(width, 1);
        EXPECT_TRUE(sx >= -1.0f && sx < 1.0f && sy >= -1.0f && sy < 1.0f);
    });
    ASSERT_EQ(field.Size(), 126u);
    EXPECT_EQ(plots, 126);
    for (size_t i = 0; i < field.Size(); ++i) {
        EXPECT_EQ(field.Z(i), 1.0f);
        EXPECT_EQ(field.SX(i), field.X(i));
        EXPECT_EQ(field.SY(i), field.Y(i));
    }
}

TEST(CreditStarField, StarsThatLeaveOrComeTooCloseAreRenewedInTheSameFrame) {
    RandomSource random(3);
    CreditStarField field;
    field.Start(9, random, [](float, float, int) {});
    field.Place(0, 0.01f, 0.01f, 0.03f);  // z becomes 0.01 < 0.02
    field.Place(1, 0.5f, 0.0f, 0.6f);     // z 0.5: sx exactly 1, still inside
    field.Place(2, 0.5f, 0.0f, 0.59f);    // z 0.49: sx beyond 1
    field.Place(3, 0.0f, -0.3f, 0.4f);    // z 0.3: sy exactly -1, still inside
    field.Frame(0.1f, random, [](float, float, int) {});
    EXPECT_EQ(field.Z(0), 1.0f);
    EXPECT_NEAR(field.Z(1), 0.5f, 1e-6);
    EXPECT_FLOAT_EQ(field.SX(1), 0.5f / field.Z(1));
    EXPECT_EQ(field.Z(2), 1.0f);
    EXPECT_EQ(field.SX(2), field.X(2));
    EXPECT_NEAR(field.Z(3), 0.3f, 1e-6);
}

TEST(CreditStarField, EveryEraseHitsTheDotDrawnBefore) {
    // Toggle dots as exclusive-or does; after any number of frames exactly the current
    // stars are lit, each once, with the width of its depth.
    using Dot = std::tuple<float, float, int>;
    std::map<Dot, int> lit;
    auto toggle = [&](float sx, float sy, int width) {
        int& n = lit[Dot{sx, sy, width}];
        n ^= 1;
        if (n == 0) lit.erase(Dot{sx, sy, width});
    };
    RandomSource random(11);
    CreditStarField field;
    field.Start(40, random, toggle);
    for (int frame = 0; frame < 400; ++frame) field.Frame(0.013f, random, toggle);

    std::map<Dot, int> expected;
    for (size_t i = 0; i < field.Size(); ++i) {
        expected[Dot{field.SX(i), field.SY(i), CreditStarField::DotWidth(field.Z(i))}] ^= 1;
    }
    std::erase_if(expected, [](const auto& e) { return e.second == 0; });
    EXPECT_EQ(lit, expected);
}

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
