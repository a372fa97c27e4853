// WindowEngineHost: the engine's host inside a Qt program. Ticks come from the monotonic
// clock; the wait for the next frame sleeps in the Qt event loop until the frame is due or
// an event arrives (never spinning), and a wait of 0 still makes one pass over what is
// pending. Every pass starts by handing the finished frame to whatever shows it. The
// properties dialog's preview, the welcome show and the credits window use it as it is;
// the saver windows add the lock message and their own display in the shell.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

#include "engine/engine_host.h"

namespace astrelle {

class WindowEngineHost : public QObject, public EngineHost {
    Q_OBJECT
  public:
    // present is called at the start of every event pass (may be empty).
    explicit WindowEngineHost(ProcessValues& process, std::function<void()> present = {},
                              QObject* parent = nullptr);

    // Milliseconds of the monotonic clock, wrapping at 2^32 like the tick count the
    // animation rules were written for.
    uint32_t TickCount() override;
    // Presents the frame, then handles pending events; when none is pending it sleeps in
    // the event loop until one arrives or maxWaitMs have passed.
    void ProcessEvents(uint32_t maxWaitMs) override;
    ProcessValues& Process() override { return process_; }
    bool PreviewParentExists() override { return true; }
    void RefreshMessage() override {}
    uint64_t ClockSeed() override;

  protected:
    // Around every event pass; BeforeEvents presents the finished frame.
    virtual void BeforeEvents();
    virtual void AfterEvents() {}
    // Handles pending events; when none is pending, sleeps until one arrives or maxWaitMs
    // have passed. Nothing is presented.
    void WaitForEvents(uint32_t maxWaitMs);
    // An exit request (a termination signal) stands until the program ends.
    void KeepExitRequest();

  private:
    ProcessValues& process_;
    std::function<void()> present_;
    QTimer wake_;
};

}  // namespace astrelle
