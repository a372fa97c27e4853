// Warning boxes, questions and beeps with their test sinks.
#include "ui/qt/ui_feedback.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace astrelle {

namespace {

WarningSink& WarningSinkSlot() {
    static WarningSink sink;
    return sink;
}

QuestionSink& QuestionSinkSlot() {
    static QuestionSink sink;
    return sink;
}

BeepSink& BeepSinkSlot() {
    static BeepSink sink;
    return sink;
}

}  // namespace

void ShowWarning(QWidget* parent, const QString& text) {
    if (WarningSinkSlot()) {
        WarningSinkSlot()(parent, text);
        return;
    }
    QMessageBox::warning(parent, QString::fromLatin1(kProductTitle), text, QMessageBox::Ok);
}

bool AskYesNo(QWidget* parent, const QString& text) {
    if (QuestionSinkSlot()) return QuestionSinkSlot()(parent, text);
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kProductTitle), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Beep() {
    if (BeepSinkSlot()) {
        BeepSinkSlot()();
        return;
    }
    QApplication::beep();
}

WarningSink SetWarningSink(WarningSink sink) {
    return std::exchange(WarningSinkSlot(), std::move(sink));
}

QuestionSink SetQuestionSink(QuestionSink sink) {
    return std::exchange(QuestionSinkSlot(), std::move(sink));
}

BeepSink SetBeepSink(BeepSink sink) {
    return std::exchange(BeepSinkSlot(), std::move(sink));
}

}  // namespace astrelle
