// Colour swatch, ramp sample and profile pictogram. The pictogram traces the envelope of
// each shape profile (the height of the star cloud over the distance from the axis) in one
// quadrant from its elliptical arcs and lines, and mirrors it into the other three.
#include "ui/qt/colour_samples.h"

#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace astrelle {

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(sizeHint());
}

void ColourSwatch::SetColour(const QColor& colour) {
    if (colour == colour_) return;
    colour_ = colour;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), colour_);
    }
    QFrame::paintEvent(event);
}

RampSample::RampSample(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMinimumSize(sizeHint());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void RampSample::SetRamp(const Ramp& ramp) {
    ramp_ = ramp;
    update();
}

void RampSample::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        const int w = area.width();
        // Band i covers i * W / 100 up to (i + 1) * W / 100, so the bands meet without gaps.
        for (int i = 0; i < kEntries; ++i) {
            const int x0 = area.left() + i * w / kEntries;
            const int x1 = area.left() + (i + 1) * w / kEntries;
            painter.fillRect(QRect(x0, area.top(), x1 - x0, area.height()), ColourFromPacked(ramp_[i]));
        }
    }
    QFrame::paintEvent(event);
}

namespace {

// One piece of an envelope in the unit quadrant (radius 1, heights 0..1), in y-down
// coordinates so that the parametric angles are the painter's own.
struct EnvelopePiece {
    bool arc;
    double cx, cy, rx, ry;  // arc: centre (height up) and radii; line: from (cx, cy) to (rx, ry)
    double fromDeg, toDeg;  // arc only: parametric angles
};

std::vector<EnvelopePiece> ProfileEnvelope(int profile) {
    // The arcs follow the envelope formulas of the star generator: for example the standard
    // profile is an elliptic core (semi-axes 0.35 and 1), a concave flank centred at
    // (0.5, 1.4) and an elliptic disk (0.5 by 0.4).
    constexpr double kCoreEdge = 44.415;  // angle at r = 0.25 on the core ellipse
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

QPainterPath QuadrantPath(int profile) {
    QPainterPath path;
    bool first = true;
    for (const EnvelopePiece& piece : ProfileEnvelope(profile)) {
        if (piece.arc) {
            const QRectF box(piece.cx - piece.rx, -piece.cy - piece.ry, 2 * piece.rx, 2 * piece.ry);
            if (first) path.arcMoveTo(box, piece.fromDeg);
            path.arcTo(box, piece.fromDeg, piece.toDeg - piece.fromDeg);
        } else {
            if (first) path.moveTo(piece.cx, -piece.cy);
            path.lineTo(piece.rx, -piece.ry);
        }
        first = false;
    }
    return path;
}

}  // namespace

ProfilePictogram::ProfilePictogram(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(sizeHint());
}

void ProfilePictogram::SetProfile(int profile) {
    profile_ = (profile >= 0 && profile < kProfiles) ? profile : -1;
    update();
}

void ProfilePictogram::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QRectF area = contentsRect();
        painter.fillRect(area, Qt::black);
        if (profile_ >= 0) {
            constexpr double kMargin = 4;
            const double sx = area.width() / 2 - kMargin;
            const double sy = area.height() / 2 - kMargin;
            const QPainterPath quadrant = QuadrantPath(profile_);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(QColor(170, 200, 255), 1.2));
            painter.setBrush(Qt::NoBrush);
            // The cross-section is symmetric about the axis and about the galaxy plane.
            for (const double mx : {1.0, -1.0}) {
                for (const double my : {1.0, -1.0}) {
                    QTransform place;
                    place.translate(area.center().x(), area.center().y());
                    place.scale(mx * sx, my * sy);
                    painter.drawPath(place.map(quadrant));
                }
            }
        }
    }
    QFrame::paintEvent(event);
}

}  // namespace astrelle
