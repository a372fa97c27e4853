// PNG output of astrelle-render: a surface written as an 8-bit RGB file without time
// stamps, so the same pixels always give the same bytes.
#pragma once

#include <cstdint>
#include <string>

#include "engine/pixel_surface.h"

namespace astrelle::render {

// Writes to a temporary file first that then replaces the target, so a failed run never
// leaves half a picture behind. False with a message in error when it failed.
bool WritePng(const PixelSurface& surface, const std::string& path, std::string& error);

// Pixels that are not black.
int64_t LitPixels(const PixelSurface& surface);

}  // namespace astrelle::render
