// Drawing into an X11 window that Qt does not own: a child of the preview box given with
// "/P <id>", or the window xscreensaver hands to its hacks. The saver's own X11 connection
// watches the window for destruction and size changes; frames go out through the
// MIT-SHM presenter, with the lock message blended in.
#pragma once

#include <QImage>

#include <memory>

#include "engine/pixel_surface.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_presenter.h"
#include "shell/message_label.h"
#include "shell/saver_engine_host.h"
#include "shell/visibility_watch.h"

class QSocketNotifier;

namespace astrelle {

class X11Target : public FrameSink {
  public:
    enum class Kind {
        PreviewChild,  // a child window of our own inside the given window
        DirectWindow   // draw into the given window itself
    };

    // Sets up drawing for window (which may not exist: then Alive() is false at once).
    X11Target(x11::Connection& connection, x11::WindowId window, Kind kind);
    ~X11Target() override;

    PixelSurface& Surface() { return surface_; }
    // The drawing area in pixels (the given window's inner size; 0 x 0 when it is gone).
    int Width() const { return width_; }
    int Height() const { return height_; }

    void SetMessageStyle(const MessageStyle& style) override { style_ = style; }
    // The flag set when the window goes away or changes size, so the running universe ends.
    void SetStopFlag(int16_t* flag) { stopFlag_ = flag; }
    void ClearMessage();
    // True once after the window changed size (the universe restarts for the new size).
    bool TakeResize();

    void PresentFrame() override;
    void RefreshMessage() override;
    bool TargetAlive() override;
    void PollOutsideEvents() override { ReadEvents(x11::Connection::Reading::QueuedOnly); }
    bool Unseen(uint32_t nowMs) override;
    // Drawing requests sent to the window so far.
    uint64_t RequestsSent() const { return presenter_ ? presenter_->RequestsSent() : 0; }

  private:
    // Takes the connection's events; the socket notifier reads the server, every other
    // caller only what is queued (no system call per frame).
    void ReadEvents(x11::Connection::Reading reading);

    x11::Connection& connection_;
    x11::WindowId given_;
    x11::WindowId drawn_ = 0;  // the child, or given_
    Kind kind_;
    bool alive_ = true;
    bool resized_ = false;
    bool exposed_ = false;
    bool messageFresh_ = false;
    std::unique_ptr<VisibilityWatch> watch_;
    int width_ = 0;
    int height_ = 0;
    PixelSurface surface_;
    std::unique_ptr<x11::Presenter> presenter_;
    std::unique_ptr<QSocketNotifier> notifier_;
    MessageStyle style_;
    QImage message_;
    int messageTop_ = 0;
    int16_t* stopFlag_ = nullptr;
    x11::Rect staleMessage_;  // where an old label must be repainted from the surface
};

}  // namespace astrelle
