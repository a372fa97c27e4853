// SaverEngineHost: the engine's host of the saver windows (full screen, windowed program,
// preview box and xscreensaver's window). The frame pacing is WindowEngineHost's; this
// adds where the frames go (a Qt widget or an X11 window, see FrameSink), the lock message
// and the check that the window being drawn into still exists.
#pragma once

#include <cstdint>
#include <functional>

#include "shell/message_label.h"
#include "ui/qt/window_engine_host.h"

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
    // True while nobody can see the window (covered, unmapped, the display powered down),
    // so that frames are not worth drawing. nowMs, a monotonic millisecond clock, paces
    // the checks that cost a round trip to the server.
    virtual bool Unseen(uint32_t /*nowMs*/) { return false; }
};

class SaverEngineHost : public WindowEngineHost {
  public:
    SaverEngineHost(ProcessValues& process, FrameSink& sink, QObject* parent = nullptr);

    bool PreviewParentExists() override { return sink_.TargetAlive(); }
    // The engine's clock stands still while the saver rests, so the animation goes on
    // where it stood, with the frame that was due.
    uint32_t TickCount() override {
        return (resting_ ? restStart_ : WindowEngineHost::TickCount()) - restedMs_;
    }
    // An event pass, then, while the window cannot be seen, rest: events are handled (input,
    // signals, the window going away end the rest as they end a run) but nothing is drawn
    // or presented, and the process wakes only a few times a second.
    void ProcessEvents(uint32_t maxWaitMs) override;
    // Takes the message settings afresh from source (the engine's loaded settings), then
    // redraws the label.
    void RefreshMessage() override;
    void SetMessageSource(std::function<MessageStyle()> source) { messageSource_ = std::move(source); }

  protected:
    // The sink presents the frame; events of the X11 connection are looked at on both
    // sides of the Qt pass, since a wait may end for them.
    void BeforeEvents() override;
    void AfterEvents() override { sink_.PollOutsideEvents(); }

  private:
    void Rest();

    FrameSink& sink_;
    std::function<MessageStyle()> messageSource_;
    uint32_t restedMs_ = 0;  // of the monotonic clock, in all rests before
    bool resting_ = false;
    uint32_t restStart_ = 0;
};

}  // namespace astrelle
