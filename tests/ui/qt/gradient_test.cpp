// The gradient painted on plain images: every style covers the surface, the circles of
// style 7 reach the farthest corner, the painter's state is kept and units map through it.
// The bands themselves are tested as logic.
#include "ui/qt/gradient.h"

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

std::set<uint32_t> Colours(const QImage& image) {
    std::set<uint32_t> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) seen.insert(Packed(image, x, y));
    return seen;
}

TEST(PaintGradient, EveryStyleCoversTheSurfaceAndOneStepIsColourOne) {
    for (int style = 0; style <= 7; ++style) {
        SCOPED_TRACE(testing::Message() << "style " << style);
        QImage one = Blank(40, 30);
        PaintGradient(one, 0x00302010u, 0x00FFFFFFu, 1, style);
        EXPECT_EQ(Colours(one), std::set<uint32_t>{0x00302010u});
        QImage many = Blank(61, 47);
        PaintGradient(many, 0x00000000u, 0x00FFFF00u, 24, style);
        EXPECT_FALSE(Colours(many).contains(kSentinel));
    }
}

TEST(PaintGradient, CircleCentredInACornerReachesTheOppositeCorner) {
    for (const ScalePoint centre :
         {ScalePoint{0, 0}, ScalePoint{99, 0}, ScalePoint{0, 59}, ScalePoint{99, 59}}) {
        SCOPED_TRACE(testing::Message() << centre.x << "," << centre.y);
        QImage image = Blank(100, 60);
        PaintGradient(image, 0x00800000u, 0x00000080u, 24, 7, centre);
        EXPECT_FALSE(Colours(image).contains(kSentinel));
        // The band at the centre is the last one, the far corner carries the first.
        const int x = static_cast<int>(centre.x);
        const int y = static_cast<int>(centre.y);
        EXPECT_EQ(Packed(image, x, y), GradientBandColour(0x00800000u, 0x00000080u, 23, 24));
        EXPECT_EQ(Packed(image, 99 - x, 59 - y), 0x00800000u);
    }
}

TEST(PaintGradient, UnknownStyleOrNoStepsPaintNothingAndStateIsKept) {
    QImage image = Blank(20, 20);
    PaintGradient(image, 0, 0xFFFFFFu, 8, 8);
    PaintGradient(image, 0, 0xFFFFFFu, 8, -1);
    PaintGradient(image, 0, 0xFFFFFFu, 0, 0);
    EXPECT_EQ(Colours(image), std::set<uint32_t>{kSentinel});

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
