// A picture box that shows a PixelSurface: the engine draws single pixels into the surface,
// and Present asks Qt to repaint only the tiles that changed since the last frame.
#pragma once

#include <QImage>
#include <QWidget>

#include "engine/pixel_surface.h"

namespace astrelle {

class SurfacePicture : public QWidget {
    Q_OBJECT
  public:
    explicit SurfacePicture(QWidget* parent = nullptr);

    PixelSurface& Surface() { return surface_; }
    // Sizes the surface to the widget (cleared to black).
    void FitSurface();
    // Schedules a repaint of what changed.
    void Present();
    // The picture as currently shown (screenshots and tests).
    QImage Snapshot() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    PixelSurface surface_;
};

}  // namespace astrelle
