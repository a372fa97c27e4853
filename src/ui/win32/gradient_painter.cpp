// Filled boxes and circles, band after band.
#include "ui/win32/gradient_painter.h"

#include <algorithm>
#include <cmath>

namespace astrelle::win32 {

void PaintBands(HDC dc, std::span<const GradientBand> bands) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (const GradientBand& band : bands) {
        // The packed colour has COLORREF's layout.
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(band.colour));
        if (band.circle) {
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            Ellipse(dc, static_cast<int>(std::lround(band.from.x - band.radius)),
                    static_cast<int>(std::lround(band.from.y - band.radius)),
                    static_cast<int>(std::lround(band.from.x + band.radius)) + 1,
                    static_cast<int>(std::lround(band.from.y + band.radius)) + 1);
            SelectObject(dc, oldBrush);
        } else {
            RECT box{static_cast<LONG>(std::lround(std::min(band.from.x, band.to.x))),
                     static_cast<LONG>(std::lround(std::min(band.from.y, band.to.y))),
                     static_cast<LONG>(std::lround(std::max(band.from.x, band.to.x))),
                     static_cast<LONG>(std::lround(std::max(band.from.y, band.to.y)))};
            FillRect(dc, &box, brush);
        }
        DeleteObject(brush);
    }
    SelectObject(dc, oldPen);
}

void PaintBands(PixelSurface& surface, std::span<const GradientBand> bands) {
    auto writer = surface.BeginWrites();
    for (const GradientBand& band : bands) {
        if (band.circle) {
            const double r2 = band.radius * band.radius;
            const int top = std::max(0, static_cast<int>(std::floor(band.from.y - band.radius)));
            const int bottom =
                std::min(surface.Height() - 1, static_cast<int>(std::ceil(band.from.y + band.radius)));
            for (int y = top; y <= bottom; ++y) {
                const double dy = y + 0.5 - band.from.y;
                if (dy * dy > r2) continue;
                const double half = std::sqrt(r2 - dy * dy);
                const int left = std::max(0, static_cast<int>(std::lround(band.from.x - half)));
                const int right =
                    std::min(surface.Width(), static_cast<int>(std::lround(band.from.x + half)));
                for (int x = left; x < right; ++x) writer.SetPixel(x, y, band.colour);
            }
            continue;
        }
        const int left = std::max(0, static_cast<int>(std::lround(std::min(band.from.x, band.to.x))));
        const int right =
            std::min(surface.Width(), static_cast<int>(std::lround(std::max(band.from.x, band.to.x))));
        const int top = std::max(0, static_cast<int>(std::lround(std::min(band.from.y, band.to.y))));
        const int bottom =
            std::min(surface.Height(), static_cast<int>(std::lround(std::max(band.from.y, band.to.y))));
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) writer.SetPixel(x, y, band.colour);
        }
    }
}

}  // namespace astrelle::win32
