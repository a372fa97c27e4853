// FieldEdit: select-all on focus and the reports of focus, typed keys and arrows.
#include "ui/qt/field_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace astrelle {

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {}

void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (reports_.entered) reports_.entered();
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
    // A context menu, a menu of the dialog or another window taking the focus is not
    // leaving the field.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && reports_.left)
        reports_.left();
    QLineEdit::focusOutEvent(event);
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    if (plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        if (reports_.arrow && reports_.arrow(event->key() == Qt::Key_Up ? 1 : -1)) {
            event->accept();
        } else {
            event->ignore();
        }
        return;
    }
    // Only typed characters are reported; shortcuts (copy, paste, select all) and
    // navigation keys keep working, and whatever a paste brings in is corrected when the
    // field is left.
    const QString text = event->text();
    const bool typed = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
                       text.size() == 1 && text.at(0).isPrint();
    if (typed && reports_.typed && !reports_.typed(text.at(0).unicode(), this->text(), selectedText())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace astrelle
