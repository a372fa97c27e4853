// Hue wheel, tinted wheels, ramps and star hues. Products that the rules name as single
// precision are formed in float; a full-strength channel therefore reaches 255.
#include "engine/colour.h"

#include <algorithm>
#include <cmath>

#include "settings/rounding.h"

namespace astrelle {

uint32_t HueColor(int16_t hue) {
    if (hue < 0 || hue >= 360) return 0;
    const int r = hue % 60;
    // This constant, not 1/60, decides where the channels step: r = 30 gives 154.
    const float f = static_cast<float>(r) * 0.0166666f;
    const int up = static_cast<int>(std::floor(2.0f * f * 100.0f + 55.0f));
    const int down = static_cast<int>(std::floor(2.0f * (1.0f - f) * 100.0f + 55.0f));
    switch (hue / 60) {
        case 0:
            return PackColour(255, up, 55);
        case 1:
            return PackColour(down, 255, 55);
        case 2:
            return PackColour(55, 255, up);
        case 3:
            return PackColour(55, down, 255);
        case 4:
            return PackColour(up, 55, 255);
        default:
            return PackColour(255, 55, down);
    }
}

void BuildHueTable(EngineContext& ctx) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        const GalaxyTypeRecord& row = ctx.GalaxyTypes[static_cast<size_t>(t)];
        const int base = static_cast<int>(RoundHalfEven(row.HueBase * 2.55));
        const float k = static_cast<float>((255 - base) * 0.01);
        const int n = std::clamp<int>(row.HueBlend, 1, 60);
        const float fb = static_cast<float>(base);
        const float red = static_cast<float>(row.HueRed) * k;
        const float grn = static_cast<float>(row.HueGrn) * k;
        const float blu = static_cast<float>(row.HueBlu) * k;
        auto clampChannel = [](float v) { return std::clamp(static_cast<int>(std::floor(v)), 0, 255); };
        const int fullR = clampChannel(fb + red);
        const int fullG = clampChannel(fb + grn);
        const int fullB = clampChannel(fb + blu);
        for (int p = 0; p < kHueCount; ++p) {
            const float f = static_cast<float>((p % n) * (1.0 / n));
            const float g = 1.0f - f;
            uint32_t colour = 0;
            switch (p / 60) {
                case 0:
                    colour = PackColour(fullR, clampChannel(fb + grn * f), base);
                    break;
                case 1:
                    colour = PackColour(clampChannel(fb + red * g), fullG, base);
                    break;
                case 2:
                    colour = PackColour(base, fullG, clampChannel(fb + blu * f));
                    break;
                case 3:
                    colour = PackColour(base, clampChannel(fb + grn * g), fullB);
                    break;
                case 4:
                    colour = PackColour(clampChannel(fb + red * f), base, fullB);
                    break;
                default:
                    colour = PackColour(fullR, base, clampChannel(fb + blu * g));
                    break;
            }
            ctx.HueAt(p, t) = colour;
        }
    }
}

uint32_t ScaleColor(uint32_t colour, float factor) {
    auto scale = [factor](int channel) {
        const double v = RoundHalfEven(static_cast<double>(channel) * factor);
        return static_cast<int>(std::clamp(v, 0.0, 255.0));
    };
    return PackColour(scale(RedOf(colour)), scale(GreenOf(colour)), scale(BlueOf(colour)));
}

namespace {

int16_t WheelHue(int value) {
    // Hues above 359 wrap; the settings never give negative ones.
    return static_cast<int16_t>(value % 360);
}

}  // namespace

void BuildHueRamp(uint32_t* ramp, int16_t startHue, int16_t endHue) {
    const uint32_t c0 = HueColor(WheelHue(startHue));
    for (int i = 0; i <= 24; ++i) {
        auto towards = [i](int channel) {
            return static_cast<int>(RoundHalfEven(255.0 - static_cast<double>((255 - channel) * i) / 24.0));
        };
        ramp[i] = PackColour(towards(RedOf(c0)), towards(GreenOf(c0)), towards(BlueOf(c0)));
    }
    const int16_t difference = static_cast<int16_t>(endHue - startHue);
    float lastBrightness = 0.0f;
    for (int i = 25; i <= 94; ++i) {
        const int hue =
            static_cast<int>(RoundHalfEven(startHue + static_cast<double>(difference) * (i - 25) / 70.0));
        const float brightness = static_cast<float>(175 - i) / 150.0f;
        lastBrightness = brightness;
        ramp[i] = ScaleColor(HueColor(WheelHue(hue)), brightness);
    }
    const uint32_t c1 = HueColor(WheelHue(endHue));
    for (int i = 95; i < kRampSize; ++i) {
        ramp[i] = ScaleColor(c1, static_cast<float>(lastBrightness * (100 - i) / 6.0));
    }
}

void BuildAllHueRamps(EngineContext& ctx, int16_t universeStart, int16_t universeEnd, int16_t storedStart,
                      int16_t storedEnd) {
    if (universeStart == -1) universeStart = storedStart;
    if (universeEnd == -1) universeEnd = storedEnd;
    BuildHueRamp(ctx.UniverseHueRamp.data(), universeStart, universeEnd);
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        const GalaxyTypeRecord& row = ctx.GalaxyTypes[static_cast<size_t>(t)];
        BuildHueRamp(ctx.GalaxyRamp(t), row.HWCStart, row.HWCEnd);
    }
}

void StarHue(const EngineContext& ctx, int type, float r, float h, float omega, float hueOffset,
             uint32_t& colour) {
    const GalaxyTypeRecord& row = ctx.GalaxyTypes[static_cast<size_t>(type)];
    const double m = row.ColorMult;
    const double offset = hueOffset;
    double value = 0.0;
    switch (row.ColorComp) {
        case 0:
            value = m * omega * 10.0 + offset;
            break;
        case 1:
            value = std::sqrt(m * omega * 1000.0) + offset;
            break;
        case 2:
        case 3: {
            const double d = std::sqrt(static_cast<double>(r) * r + static_cast<double>(h) * h) /
                             static_cast<double>(row.Radius);
            value = row.ColorComp == 2 ? std::fabs(1.0 - d) * m + offset : (1.0 - d) * (1.0 - d) * m + offset;
            break;
        }
        case 4:
            colour = 0;
            return;
        default:
            return;
    }
    int32_t index = 0;
    if (!TryRoundToInt32(value, index) || index < 0) return;
    colour = ctx.HueTable[static_cast<size_t>(type) * kHueCount + static_cast<size_t>(index % kHueCount)];
}

}  // namespace astrelle
