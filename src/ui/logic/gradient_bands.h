// The gradient behind the welcome and credits screens as plain geometry: a colour run from
// one colour to another in a number of solid bands, as stripes, shrinking rectangles or
// shrinking circles. A view paints the bands in order; colours are packed 0x00BBGGRR.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace astrelle {

// The coordinate system a surface is painted in: its left and top edges and its width and
// height in the surface's own units.
struct ScaleArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct ScalePoint {
    double x = 0;
    double y = 0;
};

// A filled box from one corner to the other, or a filled circle around the centre.
struct GradientBand {
    uint32_t colour = 0;
    bool circle = false;
    ScalePoint from;  // box: one corner; circle: the centre
    ScalePoint to;    // box: the other corner
    double radius = 0;
};

// Colour of band i of steps between colour1 (band 0) and colour2. Red is rounded half to
// even; green and blue are interpolated in their bit positions of the packed value and
// then cut out of it, which amounts to the whole part of the interpolated channel.
uint32_t GradientBandColour(uint32_t colour1, uint32_t colour2, int i, int steps);

// The bands of style 0..7 over area:
//   0 horizontal stripes top to bottom, 1 vertical stripes left to right,
//   2 rectangles shrinking to the centre, 3..6 rectangles shrinking to the bottom-right,
//   bottom-left, top-left and top-right corners, 7 circles shrinking to the centre.
// The centre (style 7 only) defaults to the middle of the area; the largest circle reaches
// the farthest corner, so the whole area is covered. Other styles, or steps < 1, give none.
std::vector<GradientBand> GradientBands(const ScaleArea& area, uint32_t colour1, uint32_t colour2, int steps,
                                        int style, std::optional<ScalePoint> centre = std::nullopt);

}  // namespace astrelle
