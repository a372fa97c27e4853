// FieldEdit: select-all on focus, key filters, arrow steps and normalisation on focus loss,
// and the correction of the focused field before a dialog's actions.
#include "ui/qt/field_edit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <string>

#include "settings/rounding.h"
#include "settings/value_utils.h"
#include "ui/qt/ui_feedback.h"

namespace astrelle {

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent), beep_([] { Beep(); }) {}

void FieldEdit::SetCheck(const FieldCheck& check) {
    check_ = check;
    hasCheck_ = true;
}

void FieldEdit::ClearCheck() {
    hasCheck_ = false;
}

void FieldEdit::SetArrowStep(const ArrowStep& step) {
    arrow_ = step;
    hasArrow_ = step.step != 0;
}

bool FieldEdit::Normalise() {
    if (!hasCheck_) return false;
    const std::string before = text().toStdString();
    const std::string after =
        NormaliseNumberText(before, static_cast<int>(check_.kind), check_.low, check_.high);
    if (after == before) return false;
    setText(QString::fromStdString(after));
    return true;
}

void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (isReadOnly()) return;
    selectAll();
    if (event->reason() == Qt::MouseFocusReason) {
        // The click that gave the focus would place the caret and drop the selection, so
        // select again once the click has been handled.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) selectAll();
        });
    }
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    // A context menu or another window taking the focus is not leaving the field.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) Normalise();
    QLineEdit::focusOutEvent(event);
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    if (plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        if (hasArrow_) {
            StepValue(event->key() == Qt::Key_Up ? 1 : -1);
            event->accept();
        } else {
            event->ignore();
        }
        return;
    }
    if (FilterKey(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool FieldEdit::FilterKey(QKeyEvent* event) {
    if (filter_ == KeyFilterKind::None) return false;
    // Only typed characters go through the filters; shortcuts (copy, paste, select all)
    // and navigation keys keep working, and whatever a paste brings in is normalised when
    // the field is left.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString typed = event->text();
    if (typed.size() != 1 || !typed.at(0).isPrint()) return false;
    const char16_t unit = typed.at(0).unicode();
    const int key = unit < 128 ? static_cast<int>(unit) : 0xFFFF;  // beyond ASCII: never a digit
    KeyFilterResult result;
    if (filter_ == KeyFilterKind::Digits) {
        result = DigitKeyFilter(key);
    } else {
        result = DecimalKeyFilter(text().toStdString(), selectedText().toStdString(), key);
    }
    if (result.key != 0) return false;
    if (result.beep && beep_) beep_();
    return true;
}

void FieldEdit::StepValue(int direction) {
    // The value is read as the field's leading number, never negative, rounded halves to even.
    const double value = RoundHalfEven(LeadingNumber("0" + text().toStdString()));
    double next = value + direction * arrow_.step;
    next = direction > 0 ? std::min<double>(arrow_.upStop, next) : std::max<double>(arrow_.downStop, next);
    // Down on an absurdly large value ("1e30") cannot be written as an integer: leave it to
    // the normalisation on leaving the field.
    if (!(std::fabs(next) < 1e15)) return;
    setText(QString::number(static_cast<long long>(next)));
    selectAll();
}

void CommitFocusedField(const QWidget& scope) {
    auto* field = qobject_cast<FieldEdit*>(QApplication::focusWidget());
    if (field && scope.isAncestorOf(field)) field->Normalise();
}

void CommitFocusedFieldBeforeActions(QWidget& scope) {
    QWidget* const target = &scope;
    for (QAbstractButton* button : scope.findChildren<QAbstractButton*>()) {
        QObject::connect(button, &QAbstractButton::pressed, target,
                         [target] { CommitFocusedField(*target); });
    }
    for (QMenu* menu : scope.findChildren<QMenu*>()) {
        QObject::connect(menu, &QMenu::aboutToShow, target, [target] { CommitFocusedField(*target); });
    }
}

}  // namespace astrelle
