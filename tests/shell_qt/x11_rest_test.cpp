// The saver drawing into an X11 window it does not own (xscreensaver's), under a real X
// server (scripts/x11-tests runs these with its Xvfb; without a display they are skipped):
// a window that is covered or unmapped gets no drawing requests at all, and the animation
// goes on when the window shows again, with the engine's clock stopped meanwhile.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "qt_test_app.h"
#include "shell/animation_glue.h"
#include "shell/x11_target.h"
// Xlib's macros (None, Bool, Status) must come after the Qt and test framework headers.
#include <X11/Xlib.h>

namespace astrelle {
namespace {

using testing::App;

// Runs the steps one after the other, each delayMs after the one before, while the event
// loop of the running animation turns.
void Script(std::vector<std::function<void()>> steps, int delayMs) {
    auto shared = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    auto next = std::make_shared<std::function<void(size_t)>>();
    *next = [shared, next, delayMs](size_t i) {
        if (i >= shared->size()) return;
        QTimer::singleShot(delayMs, [shared, next, i] {
            (*shared)[i]();
            (*next)(i + 1);
        });
    };
    (*next)(0);
}

TEST(X11Target, ACoveredOrUnmappedWindowGetsNoRequestsAndTheAnimationGoesOn) {
    App();
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    std::string error;
    auto owner = x11::Connection::Open(nullptr, &error);  // plays xscreensaver
    auto saver = x11::Connection::Open(nullptr, &error);
    if (!owner || !saver) GTEST_SKIP() << error;
    QTemporaryDir config;
    qputenv("ASTRELLE_CONFIG_DIR", config.path().toUtf8());

    const x11::WindowId window = owner->CreateChild(owner->Root(), 320, 240);
    ASSERT_NE(window, 0u);
    owner->EnsureAlive();
    ProcessValues process;
    process.RunMode = RunModeValue::ScreenSaver;
    X11Target target(*saver, window, X11Target::Kind::DirectWindow);
    ASSERT_TRUE(target.TargetAlive());
    SaverEngineHost host(process, target);
    target.SetStopFlag(&process.StopRequested);
    target.Surface().Resize(target.Width(), target.Height());

    x11::WindowId cover = 0;
    uint64_t before = 0;
    uint32_t tick = 0;
    auto resting = [&](const char* what) {
        return [&, what] {
            before = target.RequestsSent();
            tick = host.TickCount();
            SCOPED_TRACE(what);
        };
    };
    auto stayedQuiet = [&](const char* what) {
        return [&, what] {
            EXPECT_EQ(target.RequestsSent(), before) << what;
            EXPECT_LT(host.TickCount() - tick, 300u) << what << ": the engine's clock ran on";
        };
    };
    auto drawsAgain = [&](const char* what) {
        return [&, what] { EXPECT_GT(target.RequestsSent(), before) << what; };
    };
    Script({
               [&] {
                   EXPECT_GT(target.RequestsSent(), 0u) << "not drawing at all";
                   cover = owner->CreateChild(owner->Root(), 400, 300);  // mapped above it
                   owner->Flush();
               },
               resting("covered"),
               stayedQuiet("covered"),
               [&] {
                   owner->DestroyWindow(cover);
                   owner->Flush();
               },
               drawsAgain("uncovered"),
               [&] {
                   XUnmapWindow(owner->Raw(), window);
                   owner->Flush();
               },
               resting("unmapped"),
               stayedQuiet("unmapped"),
               [&] {
                   XMapWindow(owner->Raw(), window);
                   owner->Flush();
               },
               drawsAgain("mapped again"),
               [&] { process.StopRequested = kTrue16; },
           },
           700);
    RunHostSequence(HostWindow::Saver, host, target.Surface());
    owner->DestroyWindow(window);
}

}  // namespace
}  // namespace astrelle
