// The saver drawing into X11 windows it does not own (xscreensaver's window, a preview box),
// under a real X server (scripts/x11-tests runs these with its Xvfb; without a display they
// are skipped): a window that is covered, unmapped or hidden with its dialog gets no drawing
// requests at all, and the animation goes on when it shows again, with the engine's clock
// stopped meanwhile.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "qt_test_app.h"
#include "shell/animation_glue.h"
#include "shell/x11_target.h"
// Xlib's macros (None, Bool, Status) must come after the Qt and test framework headers.
#include <X11/Xlib.h>

namespace astrelle {
namespace {

using testing::App;

constexpr int kPaceMs = 700;  // long enough for a loaded machine to have drawn or rested

struct Step {
    int afterMs;  // after the step before
    std::function<void()> act;
};

// Runs the steps one after the other while the event loop of the running animation turns.
void Script(std::vector<Step> steps) {
    auto shared = std::make_shared<std::vector<Step>>(std::move(steps));
    auto next = std::make_shared<std::function<void(size_t)>>();
    *next = [shared, next](size_t i) {
        if (i >= shared->size()) return;
        QTimer::singleShot((*shared)[i].afterMs, [shared, next, i] {
            (*shared)[i].act();
            (*next)(i + 1);
        });
    };
    (*next)(0);
}

// Two connections to the test's display: the owner of the windows (xscreensaver, the
// settings dialog) and the saver's own.
class X11Rest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
        std::string error;
        owner_ = x11::Connection::Open(nullptr, &error);
        saver_ = x11::Connection::Open(nullptr, &error);
        if (!owner_ || !saver_) GTEST_SKIP() << error;
        qputenv("ASTRELLE_CONFIG_DIR", config_.path().toUtf8());
    }

    void Unmap(x11::WindowId window) {
        XUnmapWindow(owner_->Raw(), window);
        owner_->Flush();
    }
    void Map(x11::WindowId window) {
        XMapWindow(owner_->Raw(), window);
        owner_->Flush();
    }

    QTemporaryDir config_;
    std::unique_ptr<x11::Connection> owner_;
    std::unique_ptr<x11::Connection> saver_;
};

TEST_F(X11Rest, ACoveredOrUnmappedWindowGetsNoRequestsAndTheAnimationGoesOn) {
    const x11::WindowId window = owner_->CreateChild(owner_->Root(), 320, 240);
    ASSERT_NE(window, 0u);
    owner_->EnsureAlive();
    ProcessValues process;
    process.RunMode = RunModeValue::ScreenSaver;
    X11Target target(*saver_, window, X11Target::Kind::DirectWindow);
    ASSERT_TRUE(target.TargetAlive());
    SaverEngineHost host(process, target);
    target.SetStopFlag(&process.StopRequested);
    target.Surface().Resize(target.Width(), target.Height());

    x11::WindowId cover = 0;
    uint64_t before = 0;
    uint32_t tick = 0;
    auto resting = [&] {
        before = target.RequestsSent();
        tick = host.TickCount();
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
        {kPaceMs,
         [&] {
             EXPECT_GT(target.RequestsSent(), 0u) << "not drawing at all";
             cover = owner_->CreateChild(owner_->Root(), 400, 300);  // mapped above it
             owner_->Flush();
         }},
        {kPaceMs, resting},
        {kPaceMs, stayedQuiet("covered")},
        {0, [&] { owner_->DestroyWindow(cover); }},
        {kPaceMs, drawsAgain("uncovered")},
        {0, [&] { Unmap(window); }},
        {kPaceMs, resting},
        {kPaceMs, stayedQuiet("unmapped")},
        {0, [&] { Map(window); }},
        {kPaceMs, drawsAgain("mapped again")},
        {0, [&] { process.StopRequested = kTrue16; }},
    });
    RunHostSequence(HostWindow::Saver, host, target.Surface());
    owner_->DestroyWindow(window);
}

// A preview box inside a dialog that is minimised gets no event at all: the saver finds out
// by asking at a low rate, and rests as well.
TEST_F(X11Rest, APreviewInAHiddenDialogRests) {
    const x11::WindowId dialog = owner_->CreateChild(owner_->Root(), 300, 200);
    const x11::WindowId box = owner_->CreateChild(dialog, 160, 120);
    ASSERT_NE(box, 0u);
    owner_->EnsureAlive();
    ProcessValues process;
    process.RunMode = RunModeValue::Preview;
    X11Target target(*saver_, box, X11Target::Kind::PreviewChild);
    ASSERT_TRUE(target.TargetAlive());
    SaverEngineHost host(process, target);
    target.SetStopFlag(&process.StopRequested);
    target.Surface().Resize(target.Width(), target.Height());
    uint64_t before = 0;
    Script({
        {kPaceMs,
         [&] {
             EXPECT_GT(target.RequestsSent(), 0u) << "not drawing at all";
             Unmap(dialog);
         }},
        {static_cast<int>(RestRule::kPollMs) + kPaceMs, [&] { before = target.RequestsSent(); }},
        {kPaceMs, [&] { EXPECT_EQ(target.RequestsSent(), before) << "hidden with its dialog"; }},
        {0, [&] { Map(dialog); }},
        {kPaceMs, [&] { EXPECT_GT(target.RequestsSent(), before) << "shown again"; }},
        {0, [&] { process.StopRequested = kTrue16; }},
    });
    RunHostSequence(HostWindow::PreviewBox, host, target.Surface());
    owner_->DestroyWindow(dialog);
}

TEST(VisibilityWatch, PowerLevelsOfTheDisplayAreNamedForTheRestRule) {
    const std::pair<x11::PowerLevel, DisplayPower> rows[] = {
        {x11::PowerLevel::Unknown, DisplayPower::Unknown},
        {x11::PowerLevel::On, DisplayPower::On},
        {x11::PowerLevel::Standby, DisplayPower::Standby},
        {x11::PowerLevel::Suspend, DisplayPower::Suspend},
        {x11::PowerLevel::Off, DisplayPower::Off}};
    for (const auto& [level, power] : rows)
        EXPECT_EQ(ToDisplayPower(level), power) << static_cast<int>(level);
}

// The questions no event answers, put by hand: Xvfb has no power management, so the
// powered-down display is only seen here.
struct FakeQuestions final : ServerQuestions {
    x11::PowerLevel power = x11::PowerLevel::On;
    bool viewable = true;
    int asked = 0;
    x11::PowerLevel DisplayPower() override {
        ++asked;
        return power;
    }
    bool Viewable(x11::WindowId) override { return viewable; }
};

TEST(VisibilityWatch, RestsWhileCoveredUnmappedHiddenOrPoweredDownAndAsksAtTheRulesPace) {
    using Kind = x11::WindowEvent::Kind;
    using Seen = x11::WindowEvent::Visibility;
    constexpr x11::WindowId kBox = 7, kDrawn = 8, kOther = 9;
    constexpr uint32_t kPoll = RestRule::kPollMs;
    FakeQuestions questions;
    VisibilityWatch watch(questions, kDrawn, kBox);
    auto event = [](Kind kind, x11::WindowId window, Seen seen = Seen::Unobscured) {
        x11::WindowEvent e;
        e.kind = kind;
        e.window = window;
        e.visibility = seen;
        return e;
    };
    struct Moment {
        const char* what;
        std::function<void()> act;
        uint32_t nowMs;
        bool unseen;
        int asked;  // questions put so far
    };
    const Moment moments[] = {
        {"first look", [] {}, 0, false, 1},
        {"powered down, not yet asked", [&] { questions.power = x11::PowerLevel::Off; }, kPoll - 1, false, 1},
        {"powered down, asked", [] {}, kPoll, true, 2},
        {"resting: asked at every wake", [&] { questions.power = x11::PowerLevel::Standby; },
         kPoll + RestRule::kRestingPollMs, true, 3},
        {"powered up", [&] { questions.power = x11::PowerLevel::On; }, kPoll + 2 * RestRule::kRestingPollMs,
         false, 4},
        {"hidden with its dialog", [&] { questions.viewable = false; },
         2 * kPoll + 2 * RestRule::kRestingPollMs, true, 5},
        {"shown with its dialog", [&] { watch.OnEvent(event(Kind::Mapped, kBox)); },
         2 * kPoll + 2 * RestRule::kRestingPollMs + 1, false, 5},
        {"another window covered",
         [&] { watch.OnEvent(event(Kind::Visibility, kOther, Seen::FullyObscured)); },
         2 * kPoll + 2 * RestRule::kRestingPollMs + 2, false, 5},
        {"covered",
         [&] {
             questions.viewable = true;
             watch.OnEvent(event(Kind::Visibility, kDrawn, Seen::FullyObscured));
         },
         2 * kPoll + 2 * RestRule::kRestingPollMs + 3, true, 5},
        {"partly uncovered", [&] { watch.OnEvent(event(Kind::Visibility, kDrawn, Seen::PartiallyObscured)); },
         2 * kPoll + 2 * RestRule::kRestingPollMs + 4, false, 5},
        {"the box unmapped", [&] { watch.OnEvent(event(Kind::Unmapped, kBox)); },
         2 * kPoll + 2 * RestRule::kRestingPollMs + 5, true, 5},
        {"the box mapped", [&] { watch.OnEvent(event(Kind::Mapped, kBox)); },
         2 * kPoll + 2 * RestRule::kRestingPollMs + 6, false, 5},
    };
    for (const Moment& step : moments) {
        step.act();
        EXPECT_EQ(watch.Unseen(step.nowMs), step.unseen) << step.what;
        EXPECT_EQ(questions.asked, step.asked) << step.what;
    }
}

}  // namespace
}  // namespace astrelle
