// Frame pacing in the Qt event loop, and the self-pipe for termination signals.
#include "shell/qt_engine_host.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>
#include <chrono>
#include <csignal>

namespace astrelle {

QtEngineHost::QtEngineHost(ProcessValues& process, FrameSink& sink, QObject* parent)
    : QObject(parent), process_(process), sink_(&sink) {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);  // a coarse timer would stretch 25 ms frames by up to 5%
    connect(&wake_, &QTimer::timeout, this, [this] { woken_ = true; });
}

uint32_t QtEngineHost::TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

uint64_t QtEngineHost::ClockSeed() {
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<uint64_t>(steady) ^ (static_cast<uint64_t>(wall) << 1);
}

void QtEngineHost::RefreshMessage() {
    if (messageSource_) sink_->SetMessageStyle(messageSource_());
    sink_->RefreshMessage();
}

void QtEngineHost::ProcessEvents(uint32_t maxWaitMs) {
    sink_->PresentFrame();
    sink_->PollOutsideEvents();
    if (maxWaitMs == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
        // The timer is itself an event, so one blocking pass returns at the latest when the
        // frame is due, and earlier for input, a signal or the X11 connection.
        woken_ = false;
        wake_.start(static_cast<int>(maxWaitMs > 1000000u ? 1000000u : maxWaitMs));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        wake_.stop();
    }
    sink_->PollOutsideEvents();
    // An exit request stands until the program ends. A run clears StopRequested when it
    // starts, so a termination signal handled just before (while the window was still
    // being set up) would otherwise be lost and the program would animate on.
    if (process_.ExitRequested != kFalse16) process_.StopRequested = kTrue16;
}

namespace {

int gSignalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    ssize_t ignored = write(gSignalPipe[1], &byte, 1);
    (void)ignored;
    errno = saved;
}

sigset_t TerminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

// Lets the held signals through: to the handler when it is installed, else with their
// default action, so that they are never lost.
void ReleaseTerminationSignals() {
    const sigset_t held = TerminationSignals();
    pthread_sigmask(SIG_UNBLOCK, &held, nullptr);
}

}  // namespace

void HoldTerminationSignals() {
    const sigset_t held = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &held, nullptr);
}

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    if (gSignalPipe[0] >= 0 || pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        ReleaseTerminationSignals();
        return;
    }
    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (read(gSignalPipe[0], buffer, sizeof buffer) > 0) {
        }
        emit Terminated();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    installed_ = true;
    ReleaseTerminationSignals();
}

TerminationWatcher::~TerminationWatcher() {
    if (!installed_) return;
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
}

}  // namespace astrelle
