// Band colours and band shapes of the gradient.
#include "ui/logic/gradient_bands.h"

#include <algorithm>
#include <cmath>

#include "settings/rounding.h"

namespace astrelle {

namespace {

constexpr int kRedShift = 0;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 16;
constexpr uint32_t kChannel = 0xFFu;
constexpr uint32_t kRgb = 0xFFFFFFu;
constexpr int kCircles = 7;
constexpr int kLastStyle = 7;

// One channel interpolated in its bit position (unit 1, 256 or 65536), rounded there and
// cut out again.
uint32_t Channel(uint32_t colour1, uint32_t colour2, int shift, double fraction) {
    const double unit = std::ldexp(1.0, shift);
    const double from = static_cast<double>((colour1 >> shift) & kChannel) * unit;
    const double to = static_cast<double>((colour2 >> shift) & kChannel) * unit;
    const double placed = RoundHalfEven(from + (to - from) * fraction);
    return (static_cast<uint32_t>(placed) >> shift) & kChannel;
}

}  // namespace

uint32_t GradientBandColour(uint32_t colour1, uint32_t colour2, int i, int steps) {
    if (steps < 1) return colour1 & kRgb;
    const double fraction = static_cast<double>(i) / static_cast<double>(steps);
    return Channel(colour1, colour2, kRedShift, fraction) |
           (Channel(colour1, colour2, kGreenShift, fraction) << 8) |
           (Channel(colour1, colour2, kBlueShift, fraction) << 16);
}

std::vector<GradientBand> GradientBands(const ScaleArea& area, uint32_t colour1, uint32_t colour2, int steps,
                                        int style, std::optional<ScalePoint> centre) {
    std::vector<GradientBand> bands;
    if (steps < 1 || style < 0 || style > kLastStyle) return bands;
    const double L = area.left;
    const double T = area.top;
    const double W = area.width;
    const double H = area.height;
    const ScalePoint c = centre.value_or(ScalePoint{L + 0.5 * W, T + 0.5 * H});

    double radius = 0;
    if (style == kCircles) {
        for (const ScalePoint corner :
             {ScalePoint{L, T}, ScalePoint{L + W, T}, ScalePoint{L, T + H}, ScalePoint{L + W, T + H}}) {
            radius = std::max(radius, std::hypot(corner.x - c.x, corner.y - c.y));
        }
    }

    const double n = static_cast<double>(steps);
    for (int i = 0; i < steps; ++i) {
        GradientBand band;
        band.colour = GradientBandColour(colour1, colour2, i, steps);
        // f, f1: this band's and the next band's share; g: the share still to come.
        const double f = i / n;
        const double f1 = (i + 1) / n;
        const double g = (n - i) / n;
        switch (style) {
            case 0:
                band.from = {L, T + f * H};
                band.to = {L + W, T + f1 * H};
                break;
            case 1:
                band.from = {L + f * W, T};
                band.to = {L + f1 * W, T + H};
                break;
            case 2: {
                const double inner = (n - i / 2.0) / n;
                band.from = {L + (f / 2) * W, T + (f / 2) * H};
                band.to = {L + inner * W, T + inner * H};
                break;
            }
            case 3:
                band.from = {L + f * W, T + f * H};
                band.to = {L + W, T + H};
                break;
            case 4:
                band.from = {L + g * W, T + f * H};
                band.to = {L, T + H};
                break;
            case 5:
                band.from = {L + g * W, T + g * H};
                band.to = {L, T};
                break;
            case 6:
                band.from = {L + f * W, T + g * H};
                band.to = {L + W, T};
                break;
            default:
                band.circle = true;
                band.from = c;
                band.radius = g * radius;
                break;
        }
        bands.push_back(band);
    }
    return bands;
}

}  // namespace astrelle
