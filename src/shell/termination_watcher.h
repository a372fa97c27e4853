// Turns SIGTERM and SIGINT into a Qt signal through a self-pipe, so the handler itself
// does nothing but write one byte; xscreensaver ends its hacks with SIGTERM and expects
// them gone at once. Only one instance per process. Releases the signals held by
// HoldTerminationSignals (a signal held meanwhile is delivered at once).
#pragma once

#include <QObject>

namespace astrelle {

// Holds SIGTERM and SIGINT back from the first line of main until a TerminationWatcher
// takes them over: a signal that arrives while the display and Qt start up (tens of
// milliseconds) then ends the program cleanly with status 0, like any later one, instead
// of killing it. Threads started meanwhile keep them blocked, so the main thread gets them.
void HoldTerminationSignals();

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
