// The preview child window and the xscreensaver window as frame sinks.
#include "shell/x11_target.h"

#include <QSocketNotifier>

#include <array>

namespace astrelle {

X11Target::X11Target(x11::Connection& connection, x11::WindowId window, Kind kind)
    : connection_(connection), given_(window), kind_(kind) {
    const auto size = connection_.InnerSize(given_);
    if (!size || !connection_.Watch(given_, kind_ == Kind::DirectWindow ? x11::Connection::Exposures::Yes
                                                                        : x11::Connection::Exposures::No)) {
        alive_ = false;
        return;
    }
    width_ = size->width;
    height_ = size->height;
    if (kind_ == Kind::PreviewChild) {
        // The box is only a frame to us: our picture fills its inner area, so the box's
        // owner keeps its own window and we own everything we draw on.
        drawn_ = connection_.CreateChild(given_, width_, height_);
        if (drawn_ == 0) {
            alive_ = false;
            return;
        }
    } else {
        drawn_ = given_;
    }
    surface_.Resize(width_, height_);
    watch_ = std::make_unique<VisibilityWatch>(connection_, drawn_, given_);
    presenter_ = std::make_unique<x11::Presenter>(connection_, drawn_);
    if (!presenter_->Valid()) alive_ = false;
    notifier_ = std::make_unique<QSocketNotifier>(connection_.FileDescriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated,
                     [this] { ReadEvents(x11::Connection::Reading::FromServer); });
    connection_.Flush();
}

X11Target::~X11Target() {
    notifier_.reset();
    presenter_.reset();
    if (kind_ == Kind::PreviewChild && drawn_ != 0 && alive_) connection_.DestroyWindow(drawn_);
    connection_.Flush();
}

bool X11Target::TakeResize() {
    const bool r = resized_;
    resized_ = false;
    return r;
}

void X11Target::ReadEvents(x11::Connection::Reading reading) {
    for (const x11::WindowEvent& e : connection_.TakeEvents(reading)) {
        if (e.window != given_ && e.window != drawn_) continue;
        switch (e.kind) {
            case x11::WindowEvent::Kind::Destroyed:
                alive_ = false;
                if (stopFlag_) *stopFlag_ = kTrue16;
                break;
            case x11::WindowEvent::Kind::Resized:
                if (e.window == given_ && (e.width != width_ || e.height != height_)) {
                    width_ = e.width;
                    height_ = e.height;
                    if (kind_ == Kind::PreviewChild) connection_.ResizeWindow(drawn_, width_, height_);
                    resized_ = true;
                    if (stopFlag_) *stopFlag_ = kTrue16;
                }
                break;
            case x11::WindowEvent::Kind::Exposed:
                exposed_ = true;
                break;
            default:
                break;
        }
        if (watch_) watch_->OnEvent(e);
    }
}

bool X11Target::Unseen(uint32_t nowMs) {
    if (!alive_ || !watch_) return false;
    ReadEvents(x11::Connection::Reading::QueuedOnly);
    return watch_->Unseen(nowMs);
}

bool X11Target::TargetAlive() {
    if (!alive_) return false;
    ReadEvents(x11::Connection::Reading::QueuedOnly);
    return alive_;
}

void X11Target::ClearMessage() {
    if (!message_.isNull()) staleMessage_ = {0, messageTop_, message_.width(), message_.height()};
    message_ = QImage();
}

void X11Target::RefreshMessage() {
    if (!alive_) return;
    if (!message_.isNull()) staleMessage_ = {0, messageTop_, message_.width(), message_.height()};
    // Hack windows have no Qt screen; xscreensaver's windows follow the usual 96 DPI.
    message_ = RenderMessage(style_, surface_.Width(), surface_.Height(), 96.0 / 72.0, &messageTop_);
    messageFresh_ = true;
}

void X11Target::PresentFrame() {
    if (!alive_ || !presenter_) return;
    x11::Overlay overlay;
    if (!message_.isNull()) {
        overlay.pixels = reinterpret_cast<const uint32_t*>(message_.constBits());
        overlay.x = 0;
        overlay.y = messageTop_;
        overlay.width = message_.width();
        overlay.height = message_.height();
        overlay.stride = static_cast<int>(message_.bytesPerLine() / 4);
    }
    std::array<x11::Rect, 3> forced{};
    size_t count = 0;
    if (exposed_) {
        forced[count++] = {0, 0, surface_.Width(), surface_.Height()};
        exposed_ = false;
    }
    if (staleMessage_.width > 0) {
        forced[count++] = staleMessage_;
        staleMessage_ = {};
    }
    // A new label is sent once; afterwards tiles under it are blended as they change.
    if (overlay.pixels && messageFresh_) forced[count++] = {0, overlay.y, overlay.width, overlay.height};
    messageFresh_ = false;
    if (!presenter_->Present(surface_, overlay.pixels ? &overlay : nullptr,
                             std::span<const x11::Rect>(forced.data(), count))) {
        // The window vanished between two frames; the destroy event may still be on its way.
        alive_ = connection_.WindowExists(drawn_) && connection_.WindowExists(given_);
        if (!alive_ && stopFlag_) *stopFlag_ = kTrue16;
    }
}

}  // namespace astrelle
