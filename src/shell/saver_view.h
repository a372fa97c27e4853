// A Qt widget that shows a PixelSurface and the lock message over it. The surface is in
// device pixels (sharp single-pixel stars on HiDPI screens); the widget paints straight
// from the surface's memory through a QImage that wraps it, and each frame asks Qt to
// repaint only the tiles that changed. Used by the saver, the windowed program and the
// properties dialog's preview picture.
#pragma once

#include <QImage>
#include <QWidget>

#include "engine/pixel_surface.h"
#include "shell/message_label.h"
#include "shell/qt_engine_host.h"

namespace astrelle {

class SaverView : public QWidget, public FrameSink {
    Q_OBJECT
  public:
    explicit SaverView(QWidget* parent = nullptr);

    PixelSurface& Surface() { return surface_; }
    // Sizes the surface to the widget's inner area in device pixels (clears it to black).
    void FitSurface();
    QSize DevicePixelSize() const;

    // What RefreshMessage draws; an empty text removes the label.
    void SetMessageStyle(const MessageStyle& style) { style_ = style; }
    void ClearMessage();

    void PresentFrame() override;
    void RefreshMessage() override;

  signals:
    void Resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QRect ToLogical(const QRect& deviceRect) const;

    PixelSurface surface_;
    QImage view_;  // wraps surface_'s pixels, no copy
    MessageStyle style_;
    QImage message_;
    QRect messageRect_;  // device pixels
};

}  // namespace astrelle
