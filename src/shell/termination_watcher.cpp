// The Qt side of TerminationWatcher: a notifier on the platform's termination descriptor.
#include "shell/termination_watcher.h"

#include <QSocketNotifier>

#include "platform/services.h"

namespace astrelle {

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    // A held request let through before the notifier exists waits in the descriptor, which
    // the notifier then finds readable at once: none is lost.
    const int descriptor = RouteTerminationRequests();
    if (descriptor < 0) return;
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        DrainTerminationRequests();
        emit Terminated();
    });
    installed_ = true;
}

TerminationWatcher::~TerminationWatcher() {
    if (installed_) RestoreTerminationDefaults();
}

}  // namespace astrelle
