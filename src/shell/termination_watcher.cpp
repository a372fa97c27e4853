// The self-pipe behind TerminationWatcher.
#include "shell/termination_watcher.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace astrelle {

namespace {

int gSignalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(gSignalPipe[1], &byte, 1);
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
