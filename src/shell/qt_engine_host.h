// The engine's host inside a Qt program: ticks from the monotonic clock, the wait for the
// next frame spent asleep in the Qt event loop, the stop flags, and the hand-over of each
// finished frame to whatever shows it (a Qt widget or an X11 window, see FrameSink).
// The properties dialog's preview uses it too, with its picture as the sink.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

#include "engine/engine_host.h"
#include "engine/process_values.h"
#include "shell/message_label.h"

namespace astrelle {

// Where the frames of one host window go.
class FrameSink {
  public:
    virtual ~FrameSink() = default;
    // Sends what changed on the surface since the last call.
    virtual void PresentFrame() = 0;
    // What the next RefreshMessage draws; an empty text removes the label.
    virtual void SetMessageStyle(const MessageStyle& style) = 0;
    // Redraws the lock message (font, size, hue and text as last set).
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
    // Takes the message settings afresh from source (the engine's loaded settings), then
    // redraws the label.
    void RefreshMessage() override;
    void SetMessageSource(std::function<MessageStyle()> source) { messageSource_ = std::move(source); }
    uint64_t ClockSeed() override;

    void SetSink(FrameSink& sink) { sink_ = &sink; }

  private:
    ProcessValues& process_;
    FrameSink* sink_;
    std::function<MessageStyle()> messageSource_;
    QTimer wake_;
    bool woken_ = false;
};

// Holds SIGTERM and SIGINT back from the first line of main until a TerminationWatcher
// takes them over: a signal that arrives while the display and Qt start up (tens of
// milliseconds) then ends the program cleanly with status 0, like any later one, instead
// of killing it. Threads started meanwhile keep them blocked, so the main thread gets them.
void HoldTerminationSignals();

// Turns SIGTERM and SIGINT into a Qt signal through a self-pipe, so the handler itself
// does nothing but write one byte. Only one instance per process. Releases the signals
// held by HoldTerminationSignals (a signal held meanwhile is delivered at once).
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
