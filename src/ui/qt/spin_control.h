// SpinControl: the small vertical up/down control beside a number field. It keeps its own
// value within a range, steps it by a fixed amount and reports every step the user makes,
// so that the dialog can copy the value into the field. Setting the value from the field
// reports nothing, so a typed value is never rewritten while it is being typed.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace astrelle {

class SpinControl : public QWidget {
    Q_OBJECT
  public:
    SpinControl(int low, int high, int step, QWidget* parent = nullptr);

    int Value() const { return value_; }
    int Low() const { return low_; }
    int High() const { return high_; }
    int Step() const { return step_; }

    // Takes a value (held to the range) without reporting it.
    void SetValue(double value);
    // Steps as the buttons do: +1 up, -1 down; reports the new value when it changed.
    void StepBy(int direction);

    QSize sizeHint() const override;

  signals:
    void ValueStepped(int value);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int low_;
    int high_;
    int step_;
    int value_;
    QToolButton* up_;
    QToolButton* down_;
};

// Couples a spinner with the number field beside it: each step the user makes is written
// into the field, and the spinner follows the field's leading number as it is typed, so
// that the next step starts from there.
void LinkSpinToField(SpinControl* spin, QLineEdit* field);

}  // namespace astrelle
