// The lock message drawn over the animation: its look (font, size, hue colour, full-width
// line) rendered once per refresh into a small image, which both the Qt windows and the
// X11 presenter lay over the stars. Rendering it once keeps the per-frame cost at a blit.
#pragma once

#include <QImage>
#include <QString>

#include <cstdint>

namespace astrelle {

struct MessageStyle {
    QString text;      // empty: no message
    QString fontName;  // a missing family falls back to the desktop's sans serif
    int pointSize = 20;
    uint32_t colour = 0;  // 0x00BBGGRR, as the hue wheel gives it
};

// Renders the message across a surface of surfaceWidth device pixels. pixelsPerPoint
// converts the font size (logical DPI / 72 times the device pixel ratio). The image is
// premultiplied ARGB, transparent around the glyphs; *top receives its row on the surface.
QImage RenderMessage(const MessageStyle& style, int surfaceWidth, int surfaceHeight, double pixelsPerPoint,
                     int* top);

}  // namespace astrelle
