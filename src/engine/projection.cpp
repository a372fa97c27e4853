// The dot patterns.
#include "engine/projection.h"

namespace astrelle {

namespace {

struct Offset {
    int8_t dx;
    int8_t dy;
};

// Size n uses the first n offsets of the three-wide pattern, except size 2, which is two
// wide up to 4 and starts with its right-hand pixel.
constexpr Offset kSize2[] = {{1, 0}, {0, 0}};
constexpr Offset kTwoWide[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
constexpr Offset kThreeWide[] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};

// Adds without signed overflow: a dot at the edge of the 32-bit range wraps far outside
// the surface, where SetPixel ignores it.
int32_t Offsetted(int32_t v, int d) {
    return static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(d));
}

}  // namespace

void PlotPixel(PixelSurface& surface, int16_t pixelSize, int32_t x, int32_t y, uint32_t colour) {
    const Offset* pattern = nullptr;
    int count = pixelSize;
    if (pixelSize == 2) {
        pattern = kSize2;
    } else if (pixelSize >= 3 && pixelSize <= 4) {
        pattern = kTwoWide;
    } else if (pixelSize >= 5 && pixelSize <= 9) {
        pattern = kThreeWide;
    } else {
        return;
    }
    for (int k = 0; k < count; ++k) {
        surface.SetPixel(Offsetted(x, pattern[k].dx), Offsetted(y, pattern[k].dy), colour);
    }
}

}  // namespace astrelle
