// Painting of the animation surface and the message label in a Qt widget.
#include "shell/saver_view.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QSocketNotifier>
#include <QWindow>

#include <cmath>

#include "ui/qt/surface_picture.h"

namespace astrelle {

SaverView::SaverView(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted from the surface, so Qt need not clear anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

SaverView::~SaverView() = default;

void SaverView::ReadEvents(x11::Connection::Reading reading) {
    if (!x11_) return;
    for (const x11::WindowEvent& e : x11_->TakeEvents(reading)) {
        if (watch_) watch_->OnEvent(e);
    }
}

void SaverView::PollOutsideEvents() {
    ReadEvents(x11::Connection::Reading::QueuedOnly);
}

bool SaverView::Unseen(uint32_t nowMs) {
    if (!Native()) {
        // Qt knows whether a shown window is on screen at all (minimised, or on a hidden
        // workspace); an unshown view is set up and not resting.
        const QWindow* window = windowHandle();
        return isVisible() && window && !window->isExposed();
    }
    if (!watch_) return false;
    ReadEvents(x11::Connection::Reading::QueuedOnly);
    return watch_->Unseen(nowMs);
}

void SaverView::UseX11(x11::Connection* connection) {
    if (!connection || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    x11_ = connection;
    // Qt leaves a native paint-on-screen window alone: no backing store, no painting.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
}

QPaintEngine* SaverView::paintEngine() const {
    return Native() ? nullptr : QWidget::paintEngine();
}

void SaverView::Invalidate(const QRect& r) {
    if (r.isEmpty()) return;
    if (Native()) {
        pending_.push_back(x11::Rect{r.x(), r.y(), r.width(), r.height()});
    } else {
        update(ToLogical(r));
    }
}

QSize SaverView::DevicePixelSize() const {
    const double ratio = devicePixelRatioF();
    return QSize(static_cast<int>(std::lround(width() * ratio)),
                 static_cast<int>(std::lround(height() * ratio)));
}

void SaverView::FitSurface() {
    const QSize size = DevicePixelSize();
    if (surface_.Width() != size.width() || surface_.Height() != size.height()) {
        surface_.Resize(size.width(), size.height());
    } else {
        surface_.Clear();
    }
    if (Native()) {
        pending_.clear();  // the fresh surface is all dirty
    } else {
        update();
    }
}

QRect SaverView::ToLogical(const QRect& r) const {
    const double ratio = devicePixelRatioF();
    if (ratio == 1.0) return r;
    const int left = static_cast<int>(std::floor(r.left() / ratio));
    const int top = static_cast<int>(std::floor(r.top() / ratio));
    const int right = static_cast<int>(std::ceil((r.left() + r.width()) / ratio));
    const int bottom = static_cast<int>(std::ceil((r.top() + r.height()) / ratio));
    return QRect(left, top, right - left, bottom - top);
}

void SaverView::PresentFrame() {
    if (!Native()) {
        surface_.TakeDirtyTiles([this](int x, int y, int w, int h) { update(ToLogical(QRect(x, y, w, h))); });
        return;
    }
    if (!presenter_ && isVisible()) {
        const auto window = static_cast<x11::WindowId>(winId());
        presenter_ = std::make_unique<x11::Presenter>(*x11_, window);
        pending_.push_back(x11::Rect{0, 0, surface_.Width(), surface_.Height()});
        // Our own connection's events on Qt's window: each client has its own event mask.
        if (x11_->Watch(window, x11::Connection::Exposures::No)) {
            watch_ = std::make_unique<VisibilityWatch>(*x11_, window, window);
            notifier_ = std::make_unique<QSocketNotifier>(x11_->FileDescriptor(), QSocketNotifier::Read);
            connect(notifier_.get(), &QSocketNotifier::activated, this,
                    [this] { ReadEvents(x11::Connection::Reading::FromServer); });
        }
    }
    if (!presenter_) return;
    x11::Overlay overlay;
    if (!message_.isNull()) {
        overlay.pixels = reinterpret_cast<const uint32_t*>(message_.constBits());
        overlay.y = messageRect_.top();
        overlay.width = message_.width();
        overlay.height = message_.height();
        overlay.stride = static_cast<int>(message_.bytesPerLine() / 4);
    }
    // A window of our own goes away only when the saver closes; nothing to look after here.
    [[maybe_unused]] const bool sent =
        presenter_->Present(surface_, message_.isNull() ? nullptr : &overlay, pending_);
    pending_.clear();
}

void SaverView::ClearMessage() {
    Invalidate(messageRect_);
    message_ = QImage();
    messageRect_ = QRect();
}

void SaverView::RefreshMessage() {
    const QRect old = messageRect_;
    const double ratio = devicePixelRatioF();
    const double dpi = screen() ? screen()->logicalDotsPerInchY() : 96.0;
    int top = 0;
    message_ = RenderMessage(style_, surface_.Width(), surface_.Height(), dpi / 72.0 * ratio, &top);
    messageRect_ = message_.isNull() ? QRect() : QRect(0, top, message_.width(), message_.height());
    if (!message_.isNull()) message_.setDevicePixelRatio(ratio);
    Invalidate(old);
    Invalidate(messageRect_);
}

void SaverView::paintEvent(QPaintEvent* event) {
    if (Native()) {
        // An exposure: resend that part now, also while the animation waits for a modal
        // dialog and presents no frames.
        const double ratio = devicePixelRatioF();
        const QRect r = event->rect();
        Invalidate(QRect(
            static_cast<int>(std::floor(r.left() * ratio)), static_cast<int>(std::floor(r.top() * ratio)),
            static_cast<int>(std::ceil(r.width() * ratio)), static_cast<int>(std::ceil(r.height() * ratio))));
        // While resting (the display powered down) the part waits for the first frame after.
        if (!watch_ || !watch_->Rule().Resting()) PresentFrame();
        return;
    }
    QPainter painter(this);
    const QRect area = event->rect();
    const double ratio = devicePixelRatioF();
    const QRect source(static_cast<int>(std::floor(area.left() * ratio)),
                       static_cast<int>(std::floor(area.top() * ratio)),
                       static_cast<int>(std::ceil(area.width() * ratio)),
                       static_cast<int>(std::ceil(area.height() * ratio)));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // The surface is in device pixels; beyond it (a resize not yet taken up by the
    // animation) stays black.
    painter.save();
    painter.scale(1.0 / ratio, 1.0 / ratio);
    PaintSurface(painter, surface_, source);
    painter.restore();
    if (!message_.isNull() && ToLogical(messageRect_).intersects(area)) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QPointF(messageRect_.left() / ratio, messageRect_.top() / ratio), message_);
    }
}

void SaverView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
}

}  // namespace astrelle
