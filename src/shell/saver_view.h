// A Qt widget that shows a PixelSurface and the lock message over it. The surface is in
// device pixels (sharp single-pixel stars on HiDPI screens). On X11, given the saver's own
// connection, the widget is a native window that the X11 presenter fills with the changed
// pixels, bypassing Qt's full-window backing store (a second copy of the screen in memory
// and per frame), and whose visibility tells the saver when to rest. Elsewhere it paints
// the surface's lit tiles straight from their memory, asking Qt to repaint only the changed
// tiles. Used by the full-screen saver and the windowed program.
#pragma once

#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

#include "engine/pixel_surface.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_presenter.h"
#include "shell/message_label.h"
#include "shell/saver_engine_host.h"
#include "shell/visibility_watch.h"

class QSocketNotifier;

namespace astrelle {

class SaverView : public QWidget, public FrameSink {
    Q_OBJECT
  public:
    explicit SaverView(QWidget* parent = nullptr);
    ~SaverView() override;

    // Presents through X11 directly (only when Qt itself runs on xcb). Call before showing.
    void UseX11(x11::Connection* connection);

    PixelSurface& Surface() { return surface_; }
    // Sizes the surface to the widget's inner area in device pixels (clears it to black).
    void FitSurface();
    QSize DevicePixelSize() const;

    // What RefreshMessage draws; an empty text removes the label.
    void SetMessageStyle(const MessageStyle& style) override { style_ = style; }
    void ClearMessage();

    void PresentFrame() override;
    void RefreshMessage() override;
    void PollOutsideEvents() override;
    bool Unseen(uint32_t nowMs) override;
    // Drawing requests sent to the X11 window so far (0 when Qt paints).
    uint64_t RequestsSent() const { return presenter_ ? presenter_->RequestsSent() : 0; }

  signals:
    void Resized();

  protected:
    QPaintEngine* paintEngine() const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QRect ToLogical(const QRect& deviceRect) const;
    void Invalidate(const QRect& deviceRect);
    bool Native() const { return x11_ != nullptr; }

    // Takes the saver connection's events; the socket notifier reads the server, the
    // frame passes only what is queued already.
    void ReadEvents(x11::Connection::Reading reading);

    x11::Connection* x11_ = nullptr;
    std::unique_ptr<x11::Presenter> presenter_;
    std::unique_ptr<VisibilityWatch> watch_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<x11::Rect> pending_;  // exposed or relabelled areas, device pixels

    PixelSurface surface_;
    MessageStyle style_;
    QImage message_;
    QRect messageRect_;  // device pixels
};

}  // namespace astrelle
