// World rotation, perspective projection and the star dot. A star's orbit coordinates
// are turned by its type's spin into view space (x right, y down, z away), projected to a
// pixel, and drawn as a dot of PixelSize device pixels. Erasing is the same draw in 0.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/engine_state.h"
#include "engine/fast_trig.h"
#include "engine/star_generation.h"
#include "settings/rounding.h"

namespace astrelle {

// View-space position of a star at orbit radius r, angle theta and height h, for a type
// spin of sine S and cosine C, axis plane A (0, or any other value for the quarter-turned
// plane) and galaxy centre (X, Y, Z) relative to the camera.
inline Vec3 RotateStar(float r, float theta, float h, float S, float C, int16_t axisPlane, float X, float Y,
                       float Z);

struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// The same with the sine and cosine of the angle already at hand.
inline Vec3 RotateStarSinCos(float r, float sine, float cosine, float h, float S, float C, int16_t axisPlane,
                             float X, float Y, float Z);

// Projects a view-space point (the caller tests z > 0.001 first). Returns false, leaving
// out untouched, when either coordinate does not fit a 32-bit integer: such a point is
// neither stored nor drawn.
inline bool ProjectPoint(const EngineGeometry& g, float x, float y, float z, PixelPoint& out);

// A dot of PixelSize 2..9 device pixels whose top-left pixel is (x, y), in the fixed
// order of the patterns (size 2 draws its right-hand pixel first). Other sizes draw
// nothing.
void PlotPixel(PixelSurface& surface, int16_t pixelSize, int32_t x, int32_t y, uint32_t colour);

// A star dot: one SetPixel for PixelSize 1, else PlotPixel. Colour 0 erases.
inline void DrawDot(EngineContext& ctx, int32_t x, int32_t y, uint32_t colour) {
    if (ctx.Geometry.PixelSize == 1) {
        ctx.Surface.SetPixel(x, y, colour);
    } else {
        PlotPixel(ctx.Surface, ctx.Geometry.PixelSize, x, y, colour);
    }
}

// ---------------------------------------------------------------------------------------

inline bool ProjectPoint(const EngineGeometry& g, float x, float y, float z, PixelPoint& out) {
    // The quotient first, then scale and offset, all in single precision.
    const float fx = x / z * g.CenterXFocal + static_cast<float>(g.CenterX);
    const float fy = y / z * g.CenterYFocal + static_cast<float>(g.CenterY);
    PixelPoint p;
    if (!TryRoundToInt32(fx, p.x) || !TryRoundToInt32(fy, p.y)) return false;
    out = p;
    return true;
}

inline Vec3 RotateStarSinCos(float r, float sine, float cosine, float h, float S, float C, int16_t axisPlane,
                             float X, float Y, float Z) {
    const float c = r * cosine;
    const float s = r * sine;
    Vec3 v;
    v.z = s * C + h * S + Z;
    const float t = s * S - h * C;
    if (axisPlane == 0) {
        v.x = c + X;
        v.y = t + Y;
    } else {
        v.x = t + X;
        v.y = c + Y;
    }
    return v;
}

inline Vec3 RotateStar(float r, float theta, float h, float S, float C, int16_t axisPlane, float X, float Y,
                       float Z) {
    float sine = 0.0f;
    float cosine = 0.0f;
    SinCos(theta, sine, cosine);
    return RotateStarSinCos(r, sine, cosine, h, S, C, axisPlane, X, Y, Z);
}

}  // namespace astrelle
