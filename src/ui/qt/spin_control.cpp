// SpinControl: two arrow buttons stacked vertically, a value held to a range, stepping by
// mouse or by the Up, Down, Page Up and Page Down keys when it has the focus.
#include "ui/qt/spin_control.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "settings/rounding.h"
#include "settings/value_utils.h"

namespace astrelle {

namespace {
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 11;
constexpr int kPageSteps = 10;
}  // namespace

SpinControl::SpinControl(int low, int high, int step, QWidget* parent)
    : QWidget(parent), low_(low), high_(high), step_(step), value_(low) {
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    for (QToolButton* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setFixedSize(kButtonWidth, kButtonHeight);
        layout->addWidget(button);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { StepBy(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SpinControl::sizeHint() const {
    return {kButtonWidth + 2, 2 * kButtonHeight + 2};
}

void SpinControl::SetValue(double value) {
    if (std::isnan(value)) return;
    const double held =
        std::clamp(RoundHalfEven(value), static_cast<double>(low_), static_cast<double>(high_));
    value_ = static_cast<int>(held);
}

void SpinControl::StepBy(int direction) {
    const int next = direction > 0 ? std::min(high_, value_ + step_) : std::max(low_, value_ - step_);
    if (next == value_) return;
    value_ = next;
    emit ValueStepped(value_);
}

void SpinControl::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            StepBy(1);
            break;
        case Qt::Key_Down:
            StepBy(-1);
            break;
        case Qt::Key_PageUp:
            for (int i = 0; i < kPageSteps; ++i) StepBy(1);
            break;
        case Qt::Key_PageDown:
            for (int i = 0; i < kPageSteps; ++i) StepBy(-1);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void SpinControl::paintEvent(QPaintEvent*) {
    if (!hasFocus()) return;
    // The buttons cover the control; the one-pixel margin around them shows the focus.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SpinControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void SpinControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void LinkSpinToField(SpinControl* spin, QLineEdit* field) {
    QObject::connect(spin, &SpinControl::ValueStepped, field,
                     [field](int value) { field->setText(QString::number(value)); });
    QObject::connect(field, &QLineEdit::textChanged, spin,
                     [spin](const QString& text) { spin->SetValue(LeadingNumber(text.toStdString())); });
}

}  // namespace astrelle
