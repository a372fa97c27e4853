// FieldEdit: the text field of the dialogs. It selects its whole text when it receives the
// focus, unless it is read-only (typing replaces the value) and, when set up as a number field, filters keys
// with the shared key filters (beeping on a swallowed key), steps the value with the arrow keys and
// normalises its text with NormaliseNumberText when the focus leaves it.
#pragma once

#include <QLineEdit>

#include <functional>

namespace astrelle {

// The number kinds of the input checks: the raw codes NormaliseNumberText understands.
enum class FieldKind : int { Int16 = 0, Float = 1, Int32 = 2 };

enum class KeyFilterKind { None, Digits, Decimal };

struct FieldCheck {
    FieldKind kind = FieldKind::Int16;
    double low = 0;
    double high = 0;
};

struct ArrowStep {
    int step = 0;
    int downStop = 0;  // Down never goes below this
    int upStop = 0;    // Up never goes above this
};

class FieldEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit FieldEdit(QWidget* parent = nullptr);

    // Normalisation on focus loss; without a check the text is left as typed.
    void SetCheck(const FieldCheck& check);
    void ClearCheck();
    bool HasCheck() const { return hasCheck_; }
    const FieldCheck& Check() const { return check_; }

    void SetKeyFilter(KeyFilterKind filter) { filter_ = filter; }
    KeyFilterKind KeyFilter() const { return filter_; }

    // Up and Down step the value; fields without a step ignore the arrow keys.
    void SetArrowStep(const ArrowStep& step);

    // Applies the check now, as leaving the field does. Returns true when the text changed.
    bool Normalise();

    // Called for every swallowed key; the default is the dialogs' shared beep (Beep()).
    void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool FilterKey(QKeyEvent* event);  // true when the key was swallowed
    void StepValue(int direction);

    FieldCheck check_;
    bool hasCheck_ = false;
    KeyFilterKind filter_ = KeyFilterKind::None;
    ArrowStep arrow_;
    bool hasArrow_ = false;
    std::function<void()> beep_;
};

// Applies the correction of the number field that has the focus inside scope, as leaving
// the field would. Access keys, the default button and menus act while the focus stays in
// the field, so whatever reads the fields must see the corrected text first.
void CommitFocusedField(const QWidget& scope);

// The one place where a dialog's actions take the focused field's correction: every button
// inside scope commits it when it is pressed (a click, its access key and the default key
// all press a button before it acts), and every menu when it opens, before any of its
// entries can be chosen. Call once the dialog's buttons and menus exist.
void CommitFocusedFieldBeforeActions(QWidget& scope);

}  // namespace astrelle
