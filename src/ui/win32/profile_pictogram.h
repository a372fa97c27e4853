// The pictogram of a shape profile drawn into a pixel surface: the cross-section's outline
// in one quadrant, from the profile's elliptical arcs and lines, mirrored into the other
// three, in light blue on black.
#pragma once

#include "engine/pixel_surface.h"

namespace astrelle::win32 {

// profile 0..6; any other value leaves the surface black. The margin around the outline
// grows with dpi.
void DrawProfilePictogram(PixelSurface& surface, int profile, int dpi);

}  // namespace astrelle::win32
