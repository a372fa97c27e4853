// Shared helpers of the welcome, credits, advanced and template window tests: one
// application object for the whole test program, and sinks that record warning boxes and
// beeps instead of showing them.
#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>

#include "ui/ui_feedback.h"

namespace astrelle::testing {

// Creates the application object once (on the offscreen platform unless one is chosen).
inline void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the process ends
}

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

}  // namespace astrelle::testing
