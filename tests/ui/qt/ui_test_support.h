// Shared helpers of the dialog and window tests. The test program's own main creates one
// QApplication on the offscreen platform before any test runs (qt_test_app.cpp); the
// helpers record warning boxes and beeps instead of showing them, count lit pixels, and
// save screenshots for a look by eye when ASTRELLE_SCREENSHOTS names a folder.
#pragma once

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <ostream>

#include "engine/pixel_surface.h"
#include "ui/qt/ui_feedback.h"

// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QColor& colour, std::ostream* os) {
    *os << "rgb(" << colour.red() << ", " << colour.green() << ", " << colour.blue() << ")";
}

namespace astrelle::testing_support {

QApplication& TestApp();

// Records every warning text and beep while it exists.
class FeedbackRecorder {
  public:
    FeedbackRecorder() {
        oldWarning_ = SetWarningSink([this](QWidget*, const QString& text) { warnings.push_back(text); });
        oldBeep_ = SetBeepSink([this] { ++beeps; });
    }
    ~FeedbackRecorder() {
        SetWarningSink(oldWarning_);
        SetBeepSink(oldBeep_);
    }
    FeedbackRecorder(const FeedbackRecorder&) = delete;
    FeedbackRecorder& operator=(const FeedbackRecorder&) = delete;

    QStringList warnings;
    int beeps = 0;

  private:
    WarningSink oldWarning_;
    BeepSink oldBeep_;
};

// Pixels that are not black.
inline int LitPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFFu) != 0 ? 1 : 0;
    }
    return n;
}
inline int LitPixels(const PixelSurface& surface) {
    int n = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) n += surface.GetPixel(x, y) != 0 ? 1 : 0;
    }
    return n;
}

// Whole files, for the template tests; a file that cannot be read gives an empty text.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Saves what the widget shows as name.png in the folder ASTRELLE_SCREENSHOTS names; false
// only when that folder is named and the picture could not be written there.
inline bool SaveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("ASTRELLE_SCREENSHOTS");
    return folder.isEmpty() || widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace astrelle::testing_support
