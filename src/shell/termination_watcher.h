// Turns termination requests (SIGTERM and SIGINT, routed by the platform services through
// a self-pipe) into a Qt signal; xscreensaver ends its hacks with SIGTERM and expects them
// gone at once. Only one instance per process. main holds the requests back from its first
// line (HoldTerminationRequests), so one that arrives while the display and Qt start up
// reaches this watcher when it is made and ends the program cleanly with status 0.
#pragma once

#include <QObject>

namespace astrelle {

class TerminationWatcher : public QObject {
    Q_OBJECT
  public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;
    bool Installed() const { return installed_; }

  signals:
    void Terminated();

  private:
    bool installed_ = false;
};

}  // namespace astrelle
