// Turns SIGTERM and SIGINT into a Qt signal through a self-pipe, so the handler itself
// does nothing but write one byte; xscreensaver ends its hacks with SIGTERM and expects
// them gone at once. Only one instance per process.
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
