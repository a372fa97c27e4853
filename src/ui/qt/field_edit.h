// FieldEdit: the text field of the dialogs. It selects its whole text when it receives the
// focus (unless it is read-only), so that typing replaces the value, and reports to the
// dialog's logic what the logic decides on: entering and leaving the field, each typed
// character before the field takes it, and the Up and Down keys.
#pragma once

#include <QLineEdit>

#include <functional>

namespace astrelle {

struct FieldReports {
    std::function<void()> entered;
    std::function<void()> left;
    // A typed character with the text and selection it would change: false swallows it.
    std::function<bool(char32_t typed, const QString& text, const QString& selection)> typed;
    // Up (+1) or Down (-1): false leaves the key to the dialog.
    std::function<bool(int direction)> arrow;
};

class FieldEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit FieldEdit(QWidget* parent = nullptr);

    void SetReports(FieldReports reports) { reports_ = std::move(reports); }

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    FieldReports reports_;
};

}  // namespace astrelle
