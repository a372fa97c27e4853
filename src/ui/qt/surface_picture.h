// A picture box that shows a PixelSurface (the properties dialog's preview, the welcome
// window's galaxy show): the engine draws single pixels into the surface, and Present asks
// Qt to repaint only the tiles that changed since the last frame. Black wherever nothing
// has been drawn.
#pragma once

#include <QImage>
#include <QWidget>

#include "engine/pixel_surface.h"
#include "ui/logic/dialog_view.h"
#include "ui/qt/window_engine_host.h"

class QPainter;

namespace astrelle {

// Paints the part area (surface pixels; the painter draws in surface pixels) of surface:
// black, with the lit tiles drawn from the surface's own memory.
void PaintSurface(QPainter& painter, const PixelSurface& surface, const QRect& area);
// A copy of the whole surface.
QImage SurfaceImage(const PixelSurface& surface);

class SurfacePicture : public QWidget {
    Q_OBJECT
  public:
    explicit SurfacePicture(QWidget* parent = nullptr);

    PixelSurface& Surface() { return surface_; }
    const PixelSurface& Surface() const { return surface_; }
    // Sizes the surface to the widget (cleared to black); a resize does it too.
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

// A surface picture as the target of a preview: its surface, and a window engine host over
// the process values that presents the picture in every pass over the window's events.
class PictureTarget : public PreviewTarget {
  public:
    PictureTarget(SurfacePicture& picture, ProcessValues& process)
        : picture_(picture), host_(process, [&picture] { picture.Present(); }) {}

    EngineHost& Host() override { return host_; }
    PixelSurface& Surface() override { return picture_.Surface(); }
    void FitSurface() override { picture_.FitSurface(); }
    void Present() override { picture_.Present(); }

  private:
    SurfacePicture& picture_;
    WindowEngineHost host_;
};

}  // namespace astrelle
