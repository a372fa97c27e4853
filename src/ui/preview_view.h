// PreviewView (picPreview): shows a PixelSurface that the engine draws into. Presenting
// repaints only the tiles the engine changed since the last present; painting copies the
// exposed part of the surface. Black wherever nothing has been drawn.
#pragma once

#include <QWidget>

#include "engine/pixel_surface.h"

namespace astrelle {

class PreviewView : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewView(QWidget* parent = nullptr);

    PixelSurface& Surface() { return surface_; }
    const PixelSurface& Surface() const { return surface_; }

    // Sizes the surface to the widget (in device pixels of the widget) and clears it.
    void PrepareSurface();
    // Schedules a repaint of every tile drawn since the last call.
    void PresentDirty();

    QSize sizeHint() const override { return {272, 204}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    PixelSurface surface_;
};

}  // namespace astrelle
