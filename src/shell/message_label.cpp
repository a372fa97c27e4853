// Rendering of the lock message label.
#include "shell/message_label.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <cmath>

#include "ui/qt/packed_colour.h"

namespace astrelle {

QImage RenderMessage(const MessageStyle& style, int surfaceWidth, int surfaceHeight, double pixelsPerPoint,
                     int* top) {
    if (top) *top = 0;
    if (style.text.isEmpty() || surfaceWidth <= 0 || surfaceHeight <= 0) return {};
    QFont font(style.fontName.isEmpty() ? QStringLiteral("Sans Serif") : style.fontName);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(style.pointSize * pixelsPerPoint))));
    const QFontMetrics metrics(font);
    const int height = std::min(surfaceHeight, metrics.height() + 2);
    QImage image(surfaceWidth, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(ColourFromPacked(style.colour));
        painter.drawText(QRect(0, 0, surfaceWidth, height),
                         Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, style.text);
    }
    // A little below the top edge, where it reads as a caption and leaves the galaxy cores
    // in the middle of the screen unobstructed.
    if (top) *top = std::max(0, std::min(surfaceHeight - height, surfaceHeight / 12));
    return image;
}

}  // namespace astrelle
