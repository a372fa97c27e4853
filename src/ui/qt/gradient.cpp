// Band colours and band shapes of the gradient painter.
#include "ui/qt/gradient.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <cmath>

#include "settings/rounding.h"
#include "ui/qt/packed_colour.h"

namespace astrelle {

namespace {

// One channel interpolated in its bit position (unit 1, 256 or 65536), rounded there and
// cut out again.
uint32_t Channel(uint32_t colour1, uint32_t colour2, int shift, double fraction) {
    const double unit = std::ldexp(1.0, shift);
    const double from = static_cast<double>((colour1 >> shift) & 0xFFu) * unit;
    const double to = static_cast<double>((colour2 >> shift) & 0xFFu) * unit;
    const double placed = RoundHalfEven(from + (to - from) * fraction);
    return (static_cast<uint32_t>(placed) >> shift) & 0xFFu;
}

}  // namespace

uint32_t GradientBandColour(uint32_t colour1, uint32_t colour2, int i, int steps) {
    if (steps < 1) return colour1 & 0xFFFFFFu;
    const double fraction = static_cast<double>(i) / static_cast<double>(steps);
    return Channel(colour1, colour2, 0, fraction) | (Channel(colour1, colour2, 8, fraction) << 8) |
           (Channel(colour1, colour2, 16, fraction) << 16);
}

void PaintGradient(QPainter& painter, const ScaleArea& area, uint32_t colour1, uint32_t colour2, int steps,
                   int style, std::optional<QPointF> centre) {
    if (steps < 1 || style < 0 || style > 7) return;
    const double L = area.left;
    const double T = area.top;
    const double W = area.width;
    const double H = area.height;
    const QPointF c = centre.value_or(QPointF(L + 0.5 * W, T + 0.5 * H));

    double radius = 0;
    if (style == 7) {
        for (const QPointF corner :
             {QPointF(L, T), QPointF(L + W, T), QPointF(L, T + H), QPointF(L + W, T + H)}) {
            radius = std::max(radius, std::hypot(corner.x() - c.x(), corner.y() - c.y()));
        }
    }

    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double n = static_cast<double>(steps);
    for (int i = 0; i < steps; ++i) {
        const QColor colour = ColourFromPacked(GradientBandColour(colour1, colour2, i, steps));
        const double f = i / n;
        const double f1 = (i + 1) / n;
        const double g = (n - i) / n;
        QPointF a;
        QPointF b;
        switch (style) {
            case 0:
                a = {L, T + f * H};
                b = {L + W, T + f1 * H};
                break;
            case 1:
                a = {L + f * W, T};
                b = {L + f1 * W, T + H};
                break;
            case 2: {
                const double inner = (n - i / 2.0) / n;
                a = {L + (f / 2) * W, T + (f / 2) * H};
                b = {L + inner * W, T + inner * H};
                break;
            }
            case 3:
                a = {L + f * W, T + f * H};
                b = {L + W, T + H};
                break;
            case 4:
                a = {L + g * W, T + f * H};
                b = {L, T + H};
                break;
            case 5:
                a = {L + g * W, T + g * H};
                b = {L, T};
                break;
            case 6:
                a = {L + f * W, T + g * H};
                b = {L + W, T};
                break;
            default:
                break;
        }
        if (style == 7) {
            painter.setPen(colour);
            painter.setBrush(colour);
            const double r = g * radius;
            painter.drawEllipse(c, r, r);
        } else {
            painter.fillRect(QRectF(a, b).normalized(), colour);
        }
    }
    painter.restore();
}

void PaintGradient(QImage& image, uint32_t colour1, uint32_t colour2, int steps, int style,
                   std::optional<QPointF> centre) {
    if (image.isNull()) return;
    QPainter painter(&image);
    PaintGradient(painter,
                  ScaleArea{0, 0, static_cast<double>(image.width()), static_cast<double>(image.height())},
                  colour1, colour2, steps, style, centre);
}

}  // namespace astrelle
