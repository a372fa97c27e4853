// Painting a PixelSurface straight from the memory of its lit tiles.
#include "ui/qt/surface_picture.h"

#include <QPaintEvent>
#include <QPainter>

namespace astrelle {

void PaintSurface(QPainter& painter, const PixelSurface& surface, const QRect& area) {
    painter.fillRect(area, Qt::black);
    const QRect drawn = area & QRect(0, 0, surface.Width(), surface.Height());
    if (drawn.isEmpty()) return;
    constexpr int kTile = PixelSurface::kTileSize;
    for (int ty = drawn.top() / kTile; ty <= drawn.bottom() / kTile; ++ty) {
        for (int tx = drawn.left() / kTile; tx <= drawn.right() / kTile; ++tx) {
            if (!surface.TileLit(tx, ty)) continue;
            // A view of the tile's own pixels (0x00RRGGBB, what Format_RGB32 reads): nothing
            // is copied until it is drawn.
            const QImage tile(reinterpret_cast<const uchar*>(surface.TilePixels(tx, ty)), kTile, kTile,
                              PixelSurface::kTileStride * 4, QImage::Format_RGB32);
            const QRect part = drawn & QRect(tx * kTile, ty * kTile, kTile, kTile);
            painter.drawImage(part.topLeft(), tile, part.translated(-tx * kTile, -ty * kTile));
        }
    }
}

QImage SurfaceImage(const PixelSurface& surface) {
    QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
    for (int y = 0; y < surface.Height(); ++y) {
        surface.ReadRow(y, 0,
                        std::span<uint32_t>(reinterpret_cast<uint32_t*>(image.scanLine(y)),
                                            static_cast<size_t>(surface.Width())));
    }
    return image;
}

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
    return SurfaceImage(surface_);
}

void SurfacePicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PaintSurface(painter, surface_, event->rect());
}

void SurfacePicture::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitSurface();
}

}  // namespace astrelle
