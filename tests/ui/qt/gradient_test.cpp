// The gradient painter on plain images: band colours, coverage of every style, and the
// circles of style 7 reaching the farthest corner.
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

TEST(GradientBandColour, EndsAndChannelRounding) {
    EXPECT_EQ(GradientBandColour(0x00800000u, 0x80u, 0, 24), 0x00800000u);
    // Red is rounded to the nearest, halves to even; blue and green are cut out of their bit
    // positions and keep only the whole part (122.67 gives 122, 66.67 gives 66).
    const struct {
        uint32_t c1, c2;
        int step, steps, shift;
        uint32_t expected;
    } cases[] = {
        {0x00800000u, 0x80u, 1, 24, 0, 5u},     // 5.33
        {0, 0x80u, 5, 24, 0, 27u},              // 26.67
        {0, 0x80u, 1, 256, 0, 0u},              // 0.5 -> 0
        {0, 0x80u, 3, 256, 0, 2u},              // 1.5 -> 2
        {0x00800000u, 0x80u, 1, 24, 16, 122u},  // 128 - 5.33 = 122.67
        {0, 0x00C800u, 1, 3, 8, 66u},           // 66.67
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.step << "/" << c.steps << " shift " << c.shift);
        EXPECT_EQ((GradientBandColour(c.c1, c.c2, c.step, c.steps) >> c.shift) & 0xFFu, c.expected);
    }
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

TEST(PaintGradient, EachStyleRunsFromTheFirstBandToTheLast) {
    // Stripes run down (0) or across (1); style 2 shrinks to the centre, 3 to 6 towards a corner.
    const struct {
        int style;
        QPoint first, last;
    } cases[] = {{0, {25, 0}, {25, 49}}, {1, {0, 25}, {49, 25}}, {2, {0, 0}, {25, 25}}, {3, {0, 0}, {49, 49}},
                 {4, {49, 0}, {0, 49}},  {5, {49, 49}, {0, 0}},  {6, {0, 49}, {49, 0}}};
    const uint32_t c2 = 0x0000FF00u;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        QImage image = Blank(50, 50);
        PaintGradient(image, 0, c2, 10, c.style);
        EXPECT_EQ(Packed(image, c.first.x(), c.first.y()), 0u);
        EXPECT_EQ(Packed(image, c.last.x(), c.last.y()), GradientBandColour(0, c2, 9, 10));
        if (c.style == 0) {
            EXPECT_EQ(Packed(image, 0, 49), Packed(image, 49, 49));  // a band spans the width
        }
    }
}

TEST(PaintGradient, CircleCentredInACornerReachesTheOppositeCorner) {
    for (const QPointF centre : {QPointF(0, 0), QPointF(99, 0), QPointF(0, 59), QPointF(99, 59)}) {
        SCOPED_TRACE(testing::Message() << centre.x() << "," << centre.y());
        QImage image = Blank(100, 60);
        PaintGradient(image, 0x00800000u, 0x00000080u, 24, 7, centre);
        EXPECT_FALSE(Colours(image).contains(kSentinel));
        // The band at the centre is the last one, the far corner carries the first.
        const int x = static_cast<int>(centre.x());
        const int y = static_cast<int>(centre.y());
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
