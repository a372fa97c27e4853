// Tests of the small widgets of the dialogs: the spinner and its field, the number field's
// key filters, arrow steps, normalisation and selection, and the profile pictograms.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "ui/qt/colour_samples.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/spin_control.h"

namespace astrelle {
namespace {

TEST(Widgets, SpinnerStepsWithinItsRangeAndReportsOnlyUserStepsToItsField) {
    SpinControl spin(10, 30000, 10);
    QLineEdit field;
    LinkSpinToField(&spin, &field);
    QSignalSpy stepped(&spin, &SpinControl::ValueStepped);

    // Following a typed value reports nothing, so the field is never rewritten while typed.
    field.setText("29995.4abc");
    EXPECT_EQ(spin.Value(), 29995);
    EXPECT_EQ(stepped.count(), 0);
    EXPECT_EQ(field.text(), "29995.4abc");

    QTest::keyClick(&spin, Qt::Key_Up);  // held to the top, not 30005
    EXPECT_EQ(field.text(), "30000");
    spin.StepBy(1);  // already at the top: nothing changes, nothing is reported
    EXPECT_EQ(stepped.count(), 1);

    field.setText("-50");  // a typed value below the range starts the next step at the bottom
    EXPECT_EQ(spin.Value(), 10);
    spin.StepBy(-1);
    EXPECT_EQ(stepped.count(), 1);
    QTest::keyClick(&spin, Qt::Key_PageUp);  // ten steps
    EXPECT_EQ(field.text(), "110");
}

void SendFocus(QWidget& widget, QEvent::Type type, Qt::FocusReason reason) {
    QFocusEvent event(type, reason);
    QApplication::sendEvent(&widget, &event);
}

// The number field of every dialog: the key filters (with a beep for a swallowed key), the
// arrow steps, the normalisation on leaving and the whole text selected on entering.
TEST(Widgets, NumberFieldFiltersStepsNormalisesAndSelects) {
    FieldEdit field;
    int beeps = 0;
    field.SetBeep([&beeps] { ++beeps; });
    field.SetCheck(FieldCheck{FieldKind::Int16, 10, 999});
    field.SetKeyFilter(KeyFilterKind::Digits);
    QTest::keyClicks(&field, "1a2-.3");
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Left);  // editing and navigation are no typing
    EXPECT_EQ(field.text(), "12");
    EXPECT_EQ(beeps, 3);
    field.SetKeyFilter(KeyFilterKind::Decimal);
    field.setText("0.5");
    field.deselect();
    QTest::keyClicks(&field, ".5");  // a second point is refused
    EXPECT_EQ(field.text(), "0.55");
    EXPECT_EQ(beeps, 4);

    // Arrows step from the leading number rounded half to even, and stop at the ends.
    field.SetArrowStep(ArrowStep{10, 10, 999});
    const struct {
        const char* text;
        Qt::Key key;
        const char* stepped;
    } cases[] = {{"995", Qt::Key_Up, "999"}, {"15", Qt::Key_Down, "10"}, {"", Qt::Key_Up, "10"},
                 {"22.5", Qt::Key_Up, "32"}, {"-5", Qt::Key_Up, "10"},   {"1e30", Qt::Key_Down, "1e30"}};
    for (const auto& c : cases) {
        field.setText(c.text);
        QTest::keyClick(&field, c.key);
        EXPECT_EQ(field.text(), c.stepped) << c.text;
    }
    field.SetArrowStep(ArrowStep{});  // a field without a step ignores the arrows
    field.setText("500");
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.text(), "500");

    // Leaving normalises, unless another window or a menu took the focus.
    field.setText("4000");
    SendFocus(field, QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    SendFocus(field, QEvent::FocusOut, Qt::PopupFocusReason);
    EXPECT_EQ(field.text(), "4000");
    SendFocus(field, QEvent::FocusOut, Qt::TabFocusReason);
    EXPECT_EQ(field.text(), "999");
    field.ClearCheck();
    field.setText("abc");
    SendFocus(field, QEvent::FocusOut, Qt::TabFocusReason);
    EXPECT_EQ(field.text(), "abc");

    SendFocus(field, QEvent::FocusIn, Qt::OtherFocusReason);
    EXPECT_EQ(field.selectedText(), "abc");
    field.deselect();
    field.setReadOnly(true);  // a locked field keeps the caret where it was
    SendFocus(field, QEvent::FocusIn, Qt::OtherFocusReason);
    EXPECT_TRUE(field.selectedText().isEmpty());
}

QImage Render(ProfilePictogram& picture, int profile) {
    picture.SetProfile(profile);
    return picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Lit pixels inside the part of the picture, leaving out the two-pixel frame.
int LitPixels(const QImage& image, QRect part) {
    part &= image.rect().adjusted(2, 2, -2, -2);
    int lit = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x) lit += qGray(image.pixel(x, y)) > 40 ? 1 : 0;
    return lit;
}

TEST(Widgets, EachProfileDrawsItsOwnSymmetricCrossSection) {
    ProfilePictogram picture;
    const QRect all(0, 0, 10000, 10000);
    EXPECT_EQ(LitPixels(Render(picture, -1), all), 0);
    EXPECT_EQ(LitPixels(Render(picture, 7), all), 0);

    std::vector<QImage> images;
    for (int profile = 0; profile < ProfilePictogram::kProfiles; ++profile) {
        SCOPED_TRACE(testing::Message() << "profile " << profile);
        const QImage& image = images.emplace_back(Render(picture, profile));
        const int lit = LitPixels(image, all);
        EXPECT_GT(lit, 20);
        // The cross-section is mirrored about the axis and about the plane: opposite halves
        // carry about the same amount of line.
        const int w = image.width();
        const int h = image.height();
        EXPECT_NEAR(LitPixels(image, QRect(0, 0, w / 2, h)), LitPixels(image, QRect(w / 2, 0, w, h)),
                    lit / 8);
        EXPECT_NEAR(LitPixels(image, QRect(0, 0, w, h / 2)), LitPixels(image, QRect(0, h / 2, w, h)),
                    lit / 8);
    }
    for (size_t a = 0; a < images.size(); ++a) {
        for (size_t b = a + 1; b < images.size(); ++b) EXPECT_NE(images[a], images[b]) << a << " vs " << b;
    }
}

}  // namespace
}  // namespace astrelle
