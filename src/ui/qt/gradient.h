// The gradient behind the welcome and credits screens, painted with Qt: the bands of
// ui/logic/gradient_bands.h, in order, as filled boxes or circles.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/logic/gradient_bands.h"

class QImage;
class QPainter;

namespace astrelle {

// Paints the bands over area; the painter must already map the area's units onto the
// device. The painter's state is left as it was.
void PaintGradient(QPainter& painter, const ScaleArea& area, uint32_t colour1, uint32_t colour2, int steps,
                   int style, std::optional<ScalePoint> centre = std::nullopt);

// The same over a whole image in pixel units.
void PaintGradient(QImage& image, uint32_t colour1, uint32_t colour2, int steps, int style,
                   std::optional<ScalePoint> centre = std::nullopt);

}  // namespace astrelle
