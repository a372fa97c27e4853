// Painting the gradient's bands.
#include "ui/qt/gradient.h"

#include <QImage>
#include <QPainter>
#include <QRectF>

#include "ui/qt/packed_colour.h"

namespace astrelle {

void PaintGradient(QPainter& painter, const ScaleArea& area, uint32_t colour1, uint32_t colour2, int steps,
                   int style, std::optional<ScalePoint> centre) {
    const std::vector<GradientBand> bands = GradientBands(area, colour1, colour2, steps, style, centre);
    if (bands.empty()) return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const GradientBand& band : bands) {
        const QColor colour = ColourFromPacked(band.colour);
        if (band.circle) {
            painter.setPen(colour);
            painter.setBrush(colour);
            painter.drawEllipse(QPointF(band.from.x, band.from.y), band.radius, band.radius);
        } else {
            painter.fillRect(
                QRectF(QPointF(band.from.x, band.from.y), QPointF(band.to.x, band.to.y)).normalized(),
                colour);
        }
    }
    painter.restore();
}

void PaintGradient(QImage& image, uint32_t colour1, uint32_t colour2, int steps, int style,
                   std::optional<ScalePoint> centre) {
    if (image.isNull()) return;
    QPainter painter(&image);
    PaintGradient(painter,
                  ScaleArea{0, 0, static_cast<double>(image.width()), static_cast<double>(image.height())},
                  colour1, colour2, steps, style, centre);
}

}  // namespace astrelle
