// Warning boxes and beeps with their test sinks.
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

BeepSink SetBeepSink(BeepSink sink) {
    return std::exchange(BeepSinkSlot(), std::move(sink));
}

}  // namespace astrelle
