// Tests of the small widgets of the dialogs: the spinner's range and reporting, and the
// profile pictograms.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSignalSpy>

#include "qt_test_app.h"
#include "ui/colour_samples.h"
#include "ui/spin_control.h"

namespace astrelle {
namespace {

class WidgetsTest : public ::testing::Test {
  protected:
    void SetUp() override { testing_support::TestApp(); }
};

TEST_F(WidgetsTest, SpinnerStepsWithinItsRangeAndReportsOnlyUserSteps) {
    SpinControl spin(10, 30000, 10);
    QSignalSpy stepped(&spin, &SpinControl::ValueStepped);

    // Following a typed value reports nothing, so the field is never rewritten while typed.
    spin.SetValue(29995.4);
    EXPECT_EQ(spin.Value(), 29995);
    EXPECT_EQ(stepped.count(), 0);

    spin.StepBy(1);  // held to the top, not 30005
    ASSERT_EQ(stepped.count(), 1);
    EXPECT_EQ(stepped.takeFirst().at(0).toInt(), 30000);
    spin.StepBy(1);  // already at the top: nothing changes, nothing is reported
    EXPECT_EQ(stepped.count(), 0);

    spin.SetValue(-50);  // a typed value below the range starts the next step at the bottom
    EXPECT_EQ(spin.Value(), 10);
    spin.StepBy(-1);
    EXPECT_EQ(stepped.count(), 0);
}

QImage Render(ProfilePictogram& picture, int profile) {
    picture.SetProfile(profile);
    return picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Lit pixels inside the frame, in the whole picture or in one half.
enum class Part { All, Left, Right, Top, Bottom };

int LitPixels(const QImage& image, Part part = Part::All) {
    const int w = image.width();
    const int h = image.height();
    int lit = 0;
    for (int y = 2; y < h - 2; ++y) {
        for (int x = 2; x < w - 2; ++x) {
            const bool inside = part == Part::All || (part == Part::Left && x < w / 2) ||
                                (part == Part::Right && x >= w / 2) || (part == Part::Top && y < h / 2) ||
                                (part == Part::Bottom && y >= h / 2);
            if (inside && qGray(image.pixel(x, y)) > 40) ++lit;
        }
    }
    return lit;
}

TEST_F(WidgetsTest, EachProfileDrawsItsOwnSymmetricCrossSection) {
    ProfilePictogram picture;
    EXPECT_EQ(LitPixels(Render(picture, -1)), 0);
    EXPECT_EQ(LitPixels(Render(picture, 7)), 0);

    std::vector<QImage> images;
    for (int profile = 0; profile < ProfilePictogram::kProfiles; ++profile) {
        images.push_back(Render(picture, profile));
        const QImage& image = images.back();
        const int lit = LitPixels(image);
        EXPECT_GT(lit, 20) << "profile " << profile;
        // The cross-section is mirrored about the axis and about the plane: opposite halves
        // carry about the same amount of line.
        EXPECT_NEAR(LitPixels(image, Part::Left), LitPixels(image, Part::Right), lit / 8)
            << "profile " << profile;
        EXPECT_NEAR(LitPixels(image, Part::Top), LitPixels(image, Part::Bottom), lit / 8)
            << "profile " << profile;
    }
    for (size_t a = 0; a < images.size(); ++a) {
        for (size_t b = a + 1; b < images.size(); ++b) EXPECT_NE(images[a], images[b]) << a << " vs " << b;
    }
}

}  // namespace
}  // namespace astrelle
