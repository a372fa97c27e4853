// The gradient painter on plain images: band colours, coverage of every style, and the
// circles of style 7 reaching the farthest corner.
#include "ui/gradient.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <set>

namespace astrelle {
namespace {

constexpr uint32_t kSentinel = 0x00FF00FFu;  // magenta, not produced by the gradients below

uint32_t Packed(const QImage& image, int x, int y) {
    const QRgb c = image.pixel(x, y);
    return static_cast<uint32_t>(qRed(c)) | (static_cast<uint32_t>(qGreen(c)) << 8) |
           (static_cast<uint32_t>(qBlue(c)) << 16);
}

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    return image;
}

int CountSentinel(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += Packed(image, x, y) == kSentinel;
    return n;
}

TEST(GradientBandColour, EndsAndChannelRounding) {
    const uint32_t c1 = 0x00800000u;  // RGB(0, 0, 128)
    const uint32_t c2 = 0x00000080u;  // RGB(128, 0, 0)
    EXPECT_EQ(GradientBandColour(c1, c2, 0, 24), c1);
    // Red is rounded to the nearest: 128 * 1 / 24 = 5.33 gives 5, and halves go to even.
    EXPECT_EQ(GradientBandColour(c1, c2, 1, 24) & 0xFFu, 5u);
    EXPECT_EQ(GradientBandColour(0, 0x80u, 5, 24) & 0xFFu, 27u);  // 26.67
    EXPECT_EQ(GradientBandColour(0, 0x80u, 1, 256) & 0xFFu, 0u);
    EXPECT_EQ(GradientBandColour(0, 0x80u, 3, 256) & 0xFFu, 2u);  // 1.5 -> 2
    // Blue falls from 128: 128 - 128 * 1 / 24 = 122.67; cut out of its bit position it is 122.
    EXPECT_EQ((GradientBandColour(c1, c2, 1, 24) >> 16) & 0xFFu, 122u);
    // Green the same way upwards: 200 * 1 / 3 = 66.67 gives 66, not 67.
    EXPECT_EQ((GradientBandColour(0, 0x00C800u, 1, 3) >> 8) & 0xFFu, 66u);
}

TEST(PaintGradient, OneStepPaintsEverythingInColourOne) {
    const uint32_t colour1 = 0x00302010u;
    for (int style = 0; style <= 7; ++style) {
        QImage image = Blank(40, 30);
        PaintGradient(image, colour1, 0x00FFFFFFu, 1, style);
        std::set<uint32_t> seen;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) seen.insert(Packed(image, x, y));
        EXPECT_EQ(seen, std::set<uint32_t>{colour1}) << "style " << style;
    }
}

TEST(PaintGradient, EveryStyleCoversTheSurface) {
    for (int style = 0; style <= 7; ++style) {
        QImage image = Blank(61, 47);
        PaintGradient(image, 0x00000000u, 0x00FFFF00u, 24, style);
        EXPECT_EQ(CountSentinel(image), 0) << "style " << style;
    }
}

TEST(PaintGradient, CircleCentredInACornerReachesTheOppositeCorner) {
    for (const QPointF centre : {QPointF(0, 0), QPointF(99, 0), QPointF(0, 59), QPointF(99, 59)}) {
        QImage image = Blank(100, 60);
        PaintGradient(image, 0x00800000u, 0x00000080u, 24, 7, centre);
        EXPECT_EQ(CountSentinel(image), 0) << centre.x() << "," << centre.y();
        // The band at the centre is the last one, the far corner carries the first.
        EXPECT_EQ(Packed(image, static_cast<int>(centre.x()), static_cast<int>(centre.y())),
                  GradientBandColour(0x00800000u, 0x00000080u, 23, 24));
        EXPECT_EQ(Packed(image, 99 - static_cast<int>(centre.x()), 59 - static_cast<int>(centre.y())),
                  0x00800000u);
    }
}

TEST(PaintGradient, StripesRunInTheirDirection) {
    QImage rows = Blank(10, 40);
    PaintGradient(rows, 0, 0x000000FFu, 4, 0);
    EXPECT_EQ(Packed(rows, 5, 0), 0u);
    EXPECT_EQ(Packed(rows, 5, 39), GradientBandColour(0, 0xFFu, 3, 4));
    EXPECT_EQ(Packed(rows, 0, 39), Packed(rows, 9, 39));  // a band spans the whole width

    QImage columns = Blank(40, 10);
    PaintGradient(columns, 0, 0x000000FFu, 4, 1);
    EXPECT_EQ(Packed(columns, 0, 5), 0u);
    EXPECT_EQ(Packed(columns, 39, 5), GradientBandColour(0, 0xFFu, 3, 4));
}

TEST(PaintGradient, CornerStylesShrinkTowardsTheirCorner) {
    // Style k leaves its last band at the named corner and the first band at the opposite one.
    struct Case {
        int style;
        QPoint last;
        QPoint first;
    };
    const Case cases[] = {
        {3, {49, 49}, {0, 0}}, {4, {0, 49}, {49, 0}}, {5, {0, 0}, {49, 49}}, {6, {49, 0}, {0, 49}}};
    const uint32_t c2 = 0x0000FF00u;
    for (const Case& c : cases) {
        QImage image = Blank(50, 50);
        PaintGradient(image, 0, c2, 10, c.style);
        EXPECT_EQ(Packed(image, c.last.x(), c.last.y()), GradientBandColour(0, c2, 9, 10)) << c.style;
        EXPECT_EQ(Packed(image, c.first.x(), c.first.y()), 0u) << c.style;
    }
    QImage centre = Blank(50, 50);
    PaintGradient(centre, 0, c2, 10, 2);
    EXPECT_EQ(Packed(centre, 25, 25), GradientBandColour(0, c2, 9, 10));
    EXPECT_EQ(Packed(centre, 0, 0), 0u);
}

TEST(PaintGradient, UnknownStyleOrNoStepsPaintNothingAndStateIsKept) {
    QImage image = Blank(20, 20);
    PaintGradient(image, 0, 0xFFFFFFu, 8, 8);
    PaintGradient(image, 0, 0xFFFFFFu, 8, -1);
    PaintGradient(image, 0, 0xFFFFFFu, 0, 0);
    EXPECT_EQ(CountSentinel(image), 400);

    QPainter painter(&image);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setBrush(Qt::red);
    PaintGradient(painter, ScaleArea{0, 0, 20, 20}, 0, 0xFFFFFFu, 4, 7);
    EXPECT_EQ(painter.compositionMode(), QPainter::RasterOp_SourceXorDestination);
    EXPECT_EQ(painter.brush().color(), QColor(Qt::red));
}

TEST(PaintGradient, ScaleUnitsMapThroughThePainter) {
    // A surface measured in twips (15 per pixel) paints the same stripes as in pixels.
    QImage twips = Blank(30, 30);
    {
        QPainter painter(&twips);
        painter.scale(1.0 / 15, 1.0 / 15);
        PaintGradient(painter, ScaleArea{0, 0, 450, 450}, 0, 0xFFu, 3, 0);
    }
    QImage pixels = Blank(30, 30);
    PaintGradient(pixels, 0, 0xFFu, 3, 0);
    EXPECT_EQ(twips, pixels);
}

}  // namespace
}  // namespace astrelle
