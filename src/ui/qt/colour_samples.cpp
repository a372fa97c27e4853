// Colour swatch, ramp sample and profile pictogram. The pictogram traces the envelope of
// each shape profile (the height of the star cloud over the distance from the axis) in one
// quadrant, as the dialog logic outlines it, and mirrors it into the other three.
#include "ui/qt/colour_samples.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/logic/profile_outline.h"

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

// The outline in one quadrant as the logic samples it, height upwards, in the painter's
// y-down coordinates.
QPainterPath QuadrantPath(int profile) {
    QPainterPath path;
    bool first = true;
    for (const OutlinePoint& point : ProfileOutline(profile)) {
        if (first) {
            path.moveTo(point.radius, -point.height);
        } else {
            path.lineTo(point.radius, -point.height);
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
