// Painting a PixelSurface straight from its memory.
#include "ui/qt/surface_picture.h"

#include <QPaintEvent>
#include <QPainter>

namespace astrelle {

namespace {

QImage Wrap(const PixelSurface& surface) {
    // The surface keeps 0x00RRGGBB words, which is what Format_RGB32 reads.
    return QImage(reinterpret_cast<const uchar*>(surface.NativePixels()), surface.Width(), surface.Height(),
                  surface.Width() * 4, QImage::Format_RGB32);
}

}  // namespace

SurfacePicture::SurfacePicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    FitSurface();
}

void SurfacePicture::FitSurface() {
    surface_.Resize(width(), height());
    update();
}

void SurfacePicture::Present() {
    surface_.TakeDirtyTiles([this](int x, int y, int w, int h) { update(x, y, w, h); });
}

QImage SurfacePicture::Snapshot() const {
    return Wrap(surface_).copy();
}

void SurfacePicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, Qt::black);
    if (surface_.Width() == 0 || surface_.Height() == 0) return;
    // A view onto the surface's own pixels: nothing is copied until it is drawn.
    const QImage image = Wrap(surface_);
    const QRect drawn = exposed & image.rect();
    painter.drawImage(drawn.topLeft(), image, drawn);
}

void SurfacePicture::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitSurface();
}

}  // namespace astrelle
