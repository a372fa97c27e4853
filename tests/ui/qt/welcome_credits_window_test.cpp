// The welcome and credits windows on the offscreen platform: the welcome show runs in its
// picture and goes on under the credits; the credits' stars leave no trace behind, the flight
// restarts on resize, the text scrolls, a double click maximizes. Their rules are logic.
#include "ui/qt/credits_window.h"
#include "ui/qt/welcome_window.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>

#include "engine/engine_state.h"
#include "ui/logic/welcome_show.h"
#include "ui/qt/gradient.h"
#include "ui/qt/surface_picture.h"
#include "ui/qt/window_engine_host.h"
#include "ui_test_support.h"

namespace astrelle {
namespace {

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
    // Every pixel that differs from the bare gradient is inverted and belongs to a star drawn
    // now; a dot that was not erased would be left far from every star.
    int changed = 0;
    int strays = 0;
    for (int y = 0; y < field.height(); ++y) {
        for (int x = 0; x < field.width(); ++x) {
            if (field.pixel(x, y) == background.pixel(x, y)) continue;
            changed += (field.pixel(x, y) & 0xFFFFFF) == (~background.pixel(x, y) & 0xFFFFFF);
            strays += std::none_of(dots.begin(), dots.end(), [x, y](const auto& dot) {
                return std::abs(dot.first.x() - x) <= dot.second && std::abs(dot.first.y() - y) <= dot.second;
            });
        }
    }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(strays, 0);
}

// Every resize starts the flight afresh and the text scrolls up; a double click on the
// stars toggles the window maximized, and dismissing ends the flight through the stop flag.
TEST_F(CreditsWindowTest, ResizeRestartsTheFlightTheTextScrollsAndADoubleClickMaximizes) {
    CreditsWindow window(ctx_);
    window.FormLet(5, 0.005f, 2.0f, {"a", "b", "c"});
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
        EXPECT_EQ(window.Stars().Size(), 11u);  // 5 held to 10, and one more
        QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
        QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    });
    EXPECT_NE(process_.StopRequested, 0);
}

TEST(WelcomeWindow, ShowRunsInThePictureAndTheCreditsOpenOverIt) {
    ProcessValues process;
    GalaxyTypeTable types{};
    CompositeTable composites{};
    WelcomeWindow window(WelcomeContext{process, types, composites, nullptr});
    bool creditsSeen = false;
    int previewsBefore = 0;
    QTimer::singleShot(400, &window, [&] {
        EXPECT_TRUE(window.Show().Running());
        EXPECT_GT(testing_support::LitPixels(window.Picture()->Snapshot()), 50);
        previewsBefore = window.Show().PreviewsRun();
        QTimer::singleShot(300, [&] {
            auto* credits = qobject_cast<CreditsWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(credits, nullptr);
            creditsSeen = credits->Stars().Size() == 126u;  // 125 stars and one more
            credits->DismissButton()->click();
        });
        window.CreditsButton()->click();
    });
    QTimer::singleShot(1000, &window, [&] {
        EXPECT_GT(window.Show().PreviewsRun(), previewsBefore);  // the show went on
        window.DismissButton()->click();
    });
    window.exec();
    EXPECT_TRUE(creditsSeen);
    EXPECT_FALSE(window.Show().Running());
    EXPECT_EQ(process.StopRequested, 0);
}

}  // namespace
}  // namespace astrelle
