// Rasterising the profile outlines with single pixels.
#include "ui/win32/profile_pictogram.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "ui/logic/profile_outline.h"

namespace astrelle::win32 {

namespace {

constexpr uint32_t kOutlineColour = 0xFFC8AAu;  // RGB(170, 200, 255), packed 0x00BBGGRR
constexpr int kMarginAt96Dpi = 4;
constexpr int kDefaultDpi = 96;

void Line(PixelSurface& surface, int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        surface.SetPixel(x0, y0, kOutlineColour);
        if (x0 == x1 && y0 == y1) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

}  // namespace

void DrawProfilePictogram(PixelSurface& surface, int profile, int dpi) {
    surface.Clear();
    const std::vector<OutlinePoint> outline = ProfileOutline(profile);
    if (outline.size() < 2) return;
    const int margin = kMarginAt96Dpi * std::max(dpi, kDefaultDpi) / kDefaultDpi;
    const double centreX = (surface.Width() - 1) / 2.0;
    const double centreY = (surface.Height() - 1) / 2.0;
    const double scaleX = surface.Width() / 2.0 - margin;
    const double scaleY = surface.Height() / 2.0 - margin;
    if (scaleX <= 0 || scaleY <= 0) return;
    // The cross-section is symmetric about the axis and about the galaxy plane; the outline
    // has the height upwards, the surface its rows downwards.
    for (const int mirrorX : {1, -1}) {
        for (const int mirrorY : {1, -1}) {
            auto place = [&](const OutlinePoint& p) {
                return std::pair<int, int>(
                    static_cast<int>(std::lround(centreX + mirrorX * scaleX * p.radius)),
                    static_cast<int>(std::lround(centreY - mirrorY * scaleY * p.height)));
            };
            for (size_t i = 1; i < outline.size(); ++i) {
                const auto [x0, y0] = place(outline[i - 1]);
                const auto [x1, y1] = place(outline[i]);
                Line(surface, x0, y0, x1, y1);
            }
        }
    }
}

}  // namespace astrelle::win32
