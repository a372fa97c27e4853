// The outline of a shape profile's cross-section as the dialogs' pictograms draw it: one
// quadrant, radius 0..1 outwards from the axis and height 0..1 up from the galaxy plane,
// made of elliptical arcs and lines that follow the envelope formulas of the star
// generator, sampled into points that a view joins with straight lines and mirrors into
// the other three quadrants.
#pragma once

#include <vector>

namespace astrelle {

struct OutlinePoint {
    double radius = 0;
    double height = 0;
};

// Profile 0..6; any other profile has no outline. Arcs get about stepsPerQuarterTurn
// points per quarter turn.
std::vector<OutlinePoint> ProfileOutline(int profile, int stepsPerQuarterTurn = 16);

}  // namespace astrelle
