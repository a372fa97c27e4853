// The engine's host inside a Qt program: ticks from the monotonic clock, the wait for the
// next frame spent asleep in the Qt event loop, the stop flags, and the hand-over of each
// finished frame to whatever shows it (a Qt widget or an X11 window, see FrameSink).
// The properties dialog's preview uses it too, with its picture as the sink.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>

#include "engine/engine_host.h"
#include "engine/process_values.h"

namespace astrelle {

// Where the frames of one host window go.
class FrameSink {
  public:
    virtual ~FrameSink() = default;
    // Sends what changed on the surface since the last call.
    virtual void PresentFrame() = 0;
    // Redraws the lock message (font, size, hue and text as currently set).
    virtual void RefreshMessage() = 0;
    // False once the window being drawn into has gone (the preview box, xscreensaver's window).
    virtual bool TargetAlive() { return true; }
    // Looks at events that arrive outside Qt (the saver's own X11 connection).
    virtual void PollOutsideEvents() {}
};

class QtEngineHost : public QObject, public EngineHost {
    Q_OBJECT
  public:
    QtEngineHost(ProcessValues& process, FrameSink& sink, QObject* parent = nullptr);

    // Milliseconds of the monotonic clock, wrapping at 2^32 like the tick count the
    // animation rules were written for.
    uint32_t TickCount() override;

    // Presents the finished frame, then processes pending events; when none is pending it
    // sleeps in the event loop until one arrives or maxWaitMs have passed. Never spins:
    // with 0 it makes one pass over what is pending and returns.
    void ProcessEvents(uint32_t maxWaitMs) override;

    ProcessValues& Process() override { return process_; }
    bool PreviewParentExists() override { return sink_->TargetAlive(); }
    void RefreshMessage() override { sink_->RefreshMessage(); }
    uint64_t ClockSeed() override;

    void SetSink(FrameSink& sink) { sink_ = &sink; }

  private:
    ProcessValues& process_;
    FrameSink* sink_;
    QTimer wake_;
    bool woken_ = false;
};

// Turns SIGTERM and SIGINT into a Qt signal through a self-pipe, so the handler itself
// does nothing but write one byte. Only one instance per process.
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
