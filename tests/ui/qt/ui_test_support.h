// Shared helpers of the Qt view tests (whose main, qt_test_app.cpp, makes one QApplication on
// the offscreen platform): warnings, questions and beeps recorded instead of shown, lit
// pixels counted, screenshots saved when ASTRELLE_SCREENSHOTS names a folder.
#pragma once

#include <QApplication>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <ostream>

#include "ui/qt/ui_feedback.h"

inline void PrintTo(const QString& text, std::ostream* os) {  // readable in failure messages
    *os << '"' << text.toStdString() << '"';
}

namespace astrelle::testing_support {

// Records every warning, question and beep while it exists; questions get `answer`.
class FeedbackRecorder {
  public:
    FeedbackRecorder() {
        oldWarning_ = SetWarningSink([this](QWidget*, const QString& text) { warnings.push_back(text); });
        oldQuestion_ = SetQuestionSink([this](QWidget*, const QString& text) {
            questions.push_back(text);
            return answer;
        });
        oldBeep_ = SetBeepSink([this] { ++beeps; });
    }
    ~FeedbackRecorder() {
        SetWarningSink(oldWarning_);
        SetQuestionSink(oldQuestion_);
        SetBeepSink(oldBeep_);
    }
    FeedbackRecorder(const FeedbackRecorder&) = delete;
    FeedbackRecorder& operator=(const FeedbackRecorder&) = delete;

    QStringList warnings;
    QStringList questions;
    bool answer = false;
    int beeps = 0;

  private:
    WarningSink oldWarning_;
    QuestionSink oldQuestion_;
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

// Saves what the widget shows as name.png in the folder ASTRELLE_SCREENSHOTS names; false
// only when that folder is named and the picture could not be written there.
inline bool SaveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("ASTRELLE_SCREENSHOTS");
    return folder.isEmpty() || widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace astrelle::testing_support
