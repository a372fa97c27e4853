// A Qt widget that shows a PixelSurface and the lock message over it. The surface is in
// device pixels (sharp single-pixel stars on HiDPI screens). On X11, given the saver's own
// connection, the widget is a native window that the MIT-SHM presenter fills tile by tile,
// bypassing Qt's full-window backing store (a second copy of the screen in memory and per
// frame). Elsewhere it paints through a QImage that wraps the surface's memory, asking Qt
// to repaint only the changed tiles. Used by the saver, the windowed program and the
// properties dialog's preview picture.
#pragma once

#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

#include "engine/pixel_surface.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_presenter.h"
#include "shell/message_label.h"
#include "shell/qt_engine_host.h"

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

    x11::Connection* x11_ = nullptr;
    std::unique_ptr<x11::Presenter> presenter_;
    std::vector<x11::Rect> pending_;  // exposed or relabelled areas, device pixels

    PixelSurface surface_;
    QImage view_;  // wraps surface_'s pixels, no copy
    MessageStyle style_;
    QImage message_;
    QRect messageRect_;  // device pixels
};

}  // namespace astrelle
