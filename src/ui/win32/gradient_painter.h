// Paints the gradient bands of the welcome and credits backgrounds: into a device context
// with GDI (the welcome window's background), or into a pixel surface (the credits' star
// field, whose stars are drawn over it pixel by pixel).
#pragma once

#include <windows.h>

#include <span>

#include "engine/pixel_surface.h"
#include "ui/logic/gradient_bands.h"

namespace astrelle::win32 {

void PaintBands(HDC dc, std::span<const GradientBand> bands);
void PaintBands(PixelSurface& surface, std::span<const GradientBand> bands);

}  // namespace astrelle::win32
