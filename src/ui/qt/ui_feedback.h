// The ways the dialogs answer the user: a warning box (exclamation icon, title "Astrelle",
// OK), a yes-no question (question icon, No the default) and the desktop's beep. All go
// through replaceable sinks, so that tests can see them instead of blocking on a modal box.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace astrelle {

inline constexpr const char* kProductTitle = "Astrelle";

using WarningSink = std::function<void(QWidget* parent, const QString& text)>;
using QuestionSink = std::function<bool(QWidget* parent, const QString& text)>;
using BeepSink = std::function<void()>;

// Shows the warning box, or hands the text to the installed sink.
void ShowWarning(QWidget* parent, const QString& text);
// Asks the question; true for Yes.
bool AskYesNo(QWidget* parent, const QString& text);
// Sounds the beep, or calls the installed sink.
void Beep();

// Install a sink (an empty one restores the real box or beep); the previous one is returned.
WarningSink SetWarningSink(WarningSink sink);
QuestionSink SetQuestionSink(QuestionSink sink);
BeepSink SetBeepSink(BeepSink sink);

}  // namespace astrelle
