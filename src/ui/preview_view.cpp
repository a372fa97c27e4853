// PreviewView: presents the dirty tiles of its PixelSurface through QWidget::update.
#include "ui/preview_view.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace astrelle {

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {
    setObjectName("picPreview");
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewView::PrepareSurface() {
    surface_.Resize(width(), height());
    update();
}

void PreviewView::PresentDirty() {
    surface_.TakeDirtyTiles([this](int x, int y, int w, int h) { update(x, y, w, h); });
}

void PreviewView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, Qt::black);
    if (surface_.Width() == 0 || surface_.Height() == 0) return;
    // A view onto the surface's own pixels: nothing is copied until it is drawn.
    const QImage image(reinterpret_cast<const uchar*>(surface_.NativePixels()), surface_.Width(),
                       surface_.Height(), surface_.Width() * 4, QImage::Format_RGB32);
    const QRect drawn = exposed & image.rect();
    painter.drawImage(drawn.topLeft(), image, drawn);
}

}  // namespace astrelle
