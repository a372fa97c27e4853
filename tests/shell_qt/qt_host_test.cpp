// The saver windows' parts on the offscreen platform: the engine host hands frames, the
// parent check and the lock message to the window, a termination signal arrives as a Qt
// signal, the saver view hands Qt only the changed areas and draws the lock message, and
// the windowed program stores its placement when it closes.
#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <functional>
#include <string_view>
#include <utility>

#include "engine/process_values.h"
#include "platform/profile_file.h"
#include "platform/services.h"
#include "qt_test_app.h"
#include "shell/frm_screen.h"
#include "shell/message_label.h"
#include "shell/saver_engine_host.h"
#include "shell/saver_view.h"
#include "shell/stored_settings.h"
#include "shell/termination_watcher.h"

namespace astrelle {
namespace {

using testing::App;

class CountingSink : public FrameSink {
  public:
    void PresentFrame() override { ++presents; }
    void SetMessageStyle(const MessageStyle& style) override { text = style.text; }
    void RefreshMessage() override { ++refreshes; }
    bool TargetAlive() override { return alive; }
    void PollOutsideEvents() override { ++polls; }
    bool Unseen(uint32_t) override {
        ++unseenAsks;
        return unseen;
    }
    int presents = 0;
    int polls = 0;
    int refreshes = 0;
    int unseenAsks = 0;
    QString text;
    bool alive = true;
    bool unseen = false;
};

TEST(SaverEngineHost, FramesParentCheckAndMessageGoThroughTheSinkAndExitOutlastsARunStart) {
    App();
    ProcessValues process;
    CountingSink sink;
    SaverEngineHost host(process, sink);
    // Every event pass presents the frame and looks at the X11 connection before and after.
    host.ProcessEvents(0);
    host.ProcessEvents(1);
    EXPECT_EQ(sink.presents, 2);
    EXPECT_EQ(sink.polls, 4);
    // The preview parent check and the message refresh go to the sink.
    EXPECT_TRUE(host.PreviewParentExists());
    sink.alive = false;
    EXPECT_FALSE(host.PreviewParentExists());
    host.RefreshMessage();
    EXPECT_EQ(sink.refreshes, 1);
    // With a source, every refresh takes the message afresh (settings re-read by a restart).
    QString current = QStringLiteral("first");
    host.SetMessageSource([&current] { return MessageStyle{current, QString(), 20, 0}; });
    host.RefreshMessage();
    EXPECT_EQ(sink.text, QStringLiteral("first"));
    current = QStringLiteral("second");
    host.RefreshMessage();
    EXPECT_EQ(sink.text, QStringLiteral("second"));
    EXPECT_EQ(sink.refreshes, 3);

    // An exit request (a termination signal, the dialog's Exit) that comes before a run has
    // cleared StopRequested must still end that run at its first event pass.
    EXPECT_EQ(process.StopRequested, kFalse16);
    process.ExitRequested = kTrue16;
    process.StopRequested = kFalse16;  // what the start of a run does
    host.ProcessEvents(0);
    EXPECT_EQ(process.StopRequested, kTrue16);
}

// While the window cannot be seen the host rests inside the event pass: nothing is
// presented, the process wakes a few times a second, and the engine's clock stands still,
// so the frame that was due comes next. Whatever ends a run ends the rest too.
TEST(SaverEngineHost, RestsUnseenWithTheClockStoppedUntilSeenOrStopped) {
    App();
    ProcessValues process;
    CountingSink sink;
    SaverEngineHost host(process, sink);
    sink.unseen = true;
    QTimer::singleShot(1500, [&sink] { sink.unseen = false; });
    const uint32_t before = host.TickCount();
    QElapsedTimer wall;
    wall.start();
    host.ProcessEvents(0);
    EXPECT_GE(wall.elapsed(), 1400);             // rested until seen again
    EXPECT_LT(host.TickCount() - before, 400u);  // the rest is not the engine's time
    EXPECT_EQ(sink.presents, 1);                 // only the frame before the rest
    EXPECT_GE(sink.unseenAsks, 3);               // looked again at every wake...
    EXPECT_LE(sink.unseenAsks, 6);               // ...and woke about twice a second

    // The window going away leaves the stop to the engine's own check after the pass.
    struct End {
        const char* what;
        std::function<void()> act;
        int16_t stop;
    };
    const End ends[] = {
        {"stop", [&process] { process.StopRequested = kTrue16; }, kTrue16},
        {"window gone", [&sink] { sink.alive = false; }, kFalse16},
        {"exit", [&process] { process.ExitRequested = kTrue16; }, kTrue16},
    };
    for (const End& end : ends) {
        process = ProcessValues{};
        sink.alive = true;
        sink.unseen = true;
        QTimer::singleShot(300, end.act);
        QTimer::singleShot(2500,
                           [&sink] { sink.unseen = false; });  // a rest that missed the end fails, not hangs
        wall.restart();
        host.ProcessEvents(0);
        EXPECT_GE(wall.elapsed(), 250) << end.what;
        EXPECT_LT(wall.elapsed(), 2000) << end.what;
        EXPECT_EQ(process.StopRequested, end.stop) << end.what;
    }
}

TEST(TerminationWatcher, SigtermArrivesAsAQtSignal) {
    App();
    // A signal during start-up, before the watcher exists, is held rather than fatal...
    HoldTerminationRequests();
    std::raise(SIGTERM);
    TerminationWatcher watcher;
    ASSERT_TRUE(watcher.Installed());
    int terminated = 0;
    QObject::connect(&watcher, &TerminationWatcher::Terminated, [&terminated] { ++terminated; });
    // ...and arrives once the watcher is in place, like any later one.
    for (int i = 0; i < 50 && terminated == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(terminated, 1);
    std::raise(SIGTERM);  // would end the test program if the handler were not in place
    std::raise(SIGINT);
    for (int i = 0; i < 50 && terminated == 1; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_GE(terminated, 2);
}

// Records the areas Qt is asked to repaint.
class ProbeView : public SaverView {
  public:
    QRegion painted;

  protected:
    void paintEvent(QPaintEvent* event) override {
        painted += event->region();
        SaverView::paintEvent(event);
    }
};

TEST(SaverView, OnlyTheChangedTilesAreRepainted) {
    App();
    ProbeView view;
    view.resize(300, 200);
    view.show();
    view.FitSurface();
    view.PresentFrame();
    QCoreApplication::processEvents();
    view.painted = QRegion();

    view.Surface().SetPixel(10, 10, 0xFFFFFF);    // tile (0, 0)
    view.Surface().SetPixel(299, 199, 0xFFFFFF);  // clipped tile in the corner
    view.PresentFrame();
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.painted.contains(QPoint(10, 10)));
    EXPECT_TRUE(view.painted.contains(QPoint(299, 199)));
    EXPECT_FALSE(view.painted.contains(QPoint(150, 100)));
    // Nothing changed: nothing is repainted.
    view.painted = QRegion();
    view.PresentFrame();
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.painted.isEmpty());

    // What is painted comes from the surface: grab the widget and find the star.
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixel(10, 10) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(shot.pixel(11, 10) & 0xFFFFFFu, 0u);
}

TEST(SaverView, TheLockMessageIsDrawnInItsHueAndRemovedAgain) {
    App();
    ProbeView view;
    view.resize(400, 240);
    view.show();
    view.FitSurface();
    view.SetMessageStyle(MessageStyle{QStringLiteral("LOCKED"), QString(), 20, 0x0000FF});  // red, 0x00BBGGRR
    view.RefreshMessage();
    QCoreApplication::processEvents();
    const QImage shot = view.grab().toImage();
    int red = 0, other = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb p = shot.pixel(x, y) & 0xFFFFFFu;
            if (p != 0) ++(p == (p & 0xFF0000u) ? red : other);  // red only, or anything else
        }
    }
    EXPECT_GT(red, 50);
    EXPECT_EQ(other, 0);
    view.ClearMessage();
    QCoreApplication::processEvents();
    const QImage cleared = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < cleared.height(); ++y) {
        for (int x = 0; x < cleared.width(); ++x)
            ASSERT_EQ(cleared.pixel(x, y) & 0xFFFFFFu, 0u) << x << "," << y;
    }
}

TEST(MessageLabel, EmptyTextGivesNoLabelAndLongTextStaysOnTheSurface) {
    App();
    int top = -1;
    EXPECT_TRUE(RenderMessage(MessageStyle{}, 640, 480, 1.0, &top).isNull());
    const QImage label = RenderMessage(
        MessageStyle{QString(50, QLatin1Char('W')), QStringLiteral("No Such Font"), 80, 0xFFFFFF}, 200, 60,
        96.0 / 72.0, &top);
    ASSERT_FALSE(label.isNull());
    EXPECT_EQ(label.width(), 200);
    EXPECT_LE(top + label.height(), 60);
    EXPECT_GE(top, 0);
}

// Escape closes the windowed program and stores its placement. The window that covers the
// screen is stored as maximized, so that it does not come back as a normal window the size
// of the screen once the window is made resizable; a resizable window is stored as it is.
TEST(FrmScreen, EscapeStoresTheCoveringWindowAsMaximized) {
    App();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    qputenv("ASTRELLE_CONFIG_DIR", dir.path().toLocal8Bit());
    ASSERT_EQ(dynamic_cast<FileSettingsStore&>(ProcessSettingsStore()).Path(),
              (dir.path() + QStringLiteral("/settings.ini")).toStdString());
    for (const auto& [resize, state] : {std::pair{"0", "2"}, std::pair{"1", "0"}}) {
        ASSERT_TRUE(WriteStoredText("Advanced", "Adv_WinResize", resize));
        ASSERT_TRUE(WriteStoredText("General", "WindowState", "7"));  // neither: must be rewritten
        ASSERT_TRUE(WriteStoredText("Universe", "Universe_Stars", "200"));
        ProcessValues process;
        process.TwipsPerPixelX = process.TwipsPerPixelY = 15;
        FrmScreen screen(process, nullptr);
        QTimer::singleShot(300, &screen, [&screen] {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&screen, &escape);
        });
        screen.Run();
        EXPECT_EQ(screen.Resizable(), std::string_view(resize) == "1");
        EXPECT_EQ(ReadStoredText("General", "WindowState").value_or("<missing>"), state) << resize;
    }
}

}  // namespace
}  // namespace astrelle
