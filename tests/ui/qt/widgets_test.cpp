// Tests of the small widgets of the dialogs: the spinner and its field, the number field's
// reports and selection, and the profile pictograms.
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

// The number field of every dialog reports entering and leaving (a menu or another window
// taking the focus is not leaving), each typed character before it is taken, and the
// arrows; it selects its whole text when entered unless it is read-only.
TEST(Widgets, FieldReportsFocusKeysAndArrowsAndSelectsItsText) {
    FieldEdit field;
    QStringList reports;
    field.SetReports(FieldReports{[&] { reports << "in"; }, [&] { reports << "out"; },
                                  [&](char32_t typed, const QString& text, const QString& selection) {
                                      reports << QString(QChar(static_cast<char16_t>(typed))) + "|" + text +
                                                     "|" + selection;
                                      return typed != 'x';
                                  },
                                  [&](int direction) {
                                      reports << QString::number(direction);
                                      return direction > 0;
                                  }});
    QTest::keyClicks(&field, "1x");
    QTest::keyClick(&field, Qt::Key_Backspace);  // editing, shortcuts and navigation are no typing
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Up);
    QTest::keyClick(&field, Qt::Key_Down);
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(reports, (QStringList{"1||", "x|1|", "1", "-1"}));

    reports.clear();
    field.setText("abc");
    SendFocus(field, QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    SendFocus(field, QEvent::FocusOut, Qt::PopupFocusReason);
    SendFocus(field, QEvent::FocusOut, Qt::TabFocusReason);
    SendFocus(field, QEvent::FocusIn, Qt::OtherFocusReason);
    EXPECT_EQ(reports, (QStringList{"out", "in"}));
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
