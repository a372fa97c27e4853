// Tests of the small widgets of the dialogs (the spinner and its field, the number field's
// reports and selection) and of the gradient painted on plain images: every style covers the
// surface, one step is colour 1, circles around a corner reach the farthest one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <set>

#include "ui/qt/colour_samples.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/gradient.h"
#include "ui/qt/packed_colour.h"
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
    QTest::keyClick(&spin, Qt::Key_PageDown);
    QTest::keyClick(&spin, Qt::Key_Down);
    EXPECT_EQ(field.text(), "10");  // ten steps down, then one more held to the bottom
}

// Each of the hundred ramp entries is one band of the sample, the bands meeting without gaps
// whatever the width.
TEST(Widgets, RampSampleShowsEveryEntryAsOneBand) {
    RampSample sample;
    RampSample::Ramp ramp{};
    for (int i = 0; i < RampSample::kEntries; ++i)
        ramp[static_cast<size_t>(i)] = static_cast<uint32_t>(i + 1);
    sample.SetRamp(ramp);
    for (const int width : {RampSample::kEntries * 2, RampSample::kEntries * 3 + 50}) {
        sample.resize(width + 2, sample.sizeHint().height());  // a one-pixel frame on each side
        const QImage image = sample.grab().toImage();
        const QRect area = sample.contentsRect();
        const int y = area.center().y();
        // Band i covers columns i * W / 100 up to (i + 1) * W / 100 of the W inside the frame.
        for (int i = 0; i < RampSample::kEntries; ++i) {
            for (int x = i * area.width() / RampSample::kEntries;
                 x < (i + 1) * area.width() / RampSample::kEntries; ++x) {
                ASSERT_EQ(QColor(image.pixel(area.left() + x, y)),
                          ColourFromPacked(ramp[static_cast<size_t>(i)]))
                    << "column " << x << " of " << area.width();
            }
        }
    }
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

    reports.clear();  // another window or a menu taking the focus is not leaving
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

constexpr QRgb kSentinel = 0xFFFF00FFu;  // magenta, which none of the gradients below paint

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kSentinel);
    return image;
}

std::set<QRgb> Colours(const QImage& image) {
    std::set<QRgb> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y));
    return seen;
}

TEST(PaintGradient, EveryStyleCoversTheSurface) {
    for (int style = 0; style <= 7; ++style) {
        QImage one = Blank(40, 30);
        PaintGradient(one, 0x00302010u, 0x00FFFFFFu, 1, style);
        EXPECT_EQ(Colours(one), std::set<QRgb>{qRgb(0x10, 0x20, 0x30)}) << style;
        QImage many = Blank(61, 47);
        PaintGradient(many, 0x00000000u, 0x00FFFF00u, 24, style);
        EXPECT_FALSE(Colours(many).contains(kSentinel)) << style;
    }
    // Circles around a corner: the first band fills the far corner, the last the centre.
    QImage circles = Blank(100, 60);
    PaintGradient(circles, 0x00800000u, 0x00000080u, 24, 7, ScalePoint{99, 0});
    EXPECT_FALSE(Colours(circles).contains(kSentinel));
    EXPECT_EQ(circles.pixel(0, 59), qRgb(0, 0, 0x80));
    EXPECT_EQ(circles.pixel(99, 0),
              ColourFromPacked(GradientBandColour(0x00800000u, 0x00000080u, 23, 24)).rgb());
}

}  // namespace
}  // namespace astrelle
