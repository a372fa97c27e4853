// The outline pieces of the seven profiles and their sampling.
#include "ui/logic/profile_outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace astrelle {

namespace {

// An arc of the ellipse around (x, y) with radii (a, b) from one parametric angle to the
// other (degrees, counter-clockwise with the height upwards); or a line from (x, y) to
// (a, b).
struct Piece {
    bool arc;
    double x, y, a, b;
    double fromDeg, toDeg;
};

// For example the standard profile is an elliptic core (semi-axes 0.35 and 1), a concave
// flank centred at (0.5, 1.4) and an elliptic disk (0.5 by 0.4).
constexpr double kCoreEdge = 44.415;  // angle at radius 0.25 on the core ellipse

std::vector<Piece> Pieces(int profile) {
    switch (profile) {
        case 0:
            return {{true, 0, 0, 0.35, 1.0, 90, kCoreEdge},
                    {true, 0.5, 1.4, 0.35, 1.0, 180 + kCoreEdge, 270},
                    {true, 0.5, 0, 0.5, 0.4, 90, 0}};
        case 1:
            return {{true, 0, 0.75, 0.1, 0.25, 90, 0},
                    {true, 0.75, 0.75, 0.65, 0.5, 180, 270},
                    {true, 0.75, 0, 0.25, 0.25, 90, 0}};
        case 2:
            return {{true, 0, 0, 1, 1, 90, 0}};
        case 3:
            return {{false, 0, 1, 1, 0, 0, 0}};
        case 4:
            return {{true, 1, 1, 1, 1, 180, 270}};
        case 5:
            return {{true, 0, 1, 1, 1, 270, 360}, {false, 1, 1, 1, 0, 0, 0}};
        case 6:
            return {{true, 1, 0, 1, 1, 180, 90}, {false, 1, 1, 1, 0, 0, 0}};
        default:
            return {};
    }
}

constexpr double kQuarterTurn = 90.0;

}  // namespace

std::vector<OutlinePoint> ProfileOutline(int profile, int stepsPerQuarterTurn) {
    std::vector<OutlinePoint> points;
    const int steps = std::max(stepsPerQuarterTurn, 1);
    for (const Piece& piece : Pieces(profile)) {
        if (!piece.arc) {
            points.push_back({piece.x, piece.y});
            points.push_back({piece.a, piece.b});
            continue;
        }
        const double sweep = piece.toDeg - piece.fromDeg;
        const int count = std::max(2, static_cast<int>(std::ceil(std::abs(sweep) / kQuarterTurn * steps)));
        for (int k = 0; k <= count; ++k) {
            const double angle = (piece.fromDeg + sweep * k / count) * std::numbers::pi / 180.0;
            points.push_back({piece.x + piece.a * std::cos(angle), piece.y + piece.b * std::sin(angle)});
        }
    }
    return points;
}

}  // namespace astrelle
