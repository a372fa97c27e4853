// The Qt side of a dialog's view: the widgets of the controls the logic names, the generic
// view calls carried out on them, and the user's actions reported back to the logic. What
// the logic itself changes is not reported back, so the logic sees only the user.
#pragma once

#include <QString>

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/logic/dialog_view.h"

class QWidget;

namespace astrelle {

QString ToQt(std::string_view text);
std::string FromQt(const QString& text);

class QtControls {
  public:
    explicit QtControls(QWidget& dialog) : dialog_(dialog) {}

    // The widget of a control, and the widgets enabled and disabled with it (its label).
    void Add(const Control& control, QWidget* widget);
    void AddCompanion(const Control& control, QWidget* companion);
    QWidget* Widget(const Control& control) const;
    template <class T>
    T* As(const Control& control) const {
        return qobject_cast<T*>(Widget(control));
    }
    const std::map<Control, QWidget*>& All() const { return widgets_; }

    // Reports the user's actions on every control added so far to events.
    void Report(DialogEvents& events);
    // True while the logic changes a control (its signals are not reports then).
    bool Quiet() const { return quiet_ > 0; }

    void SetText(const Control& control, std::string_view text);
    std::string Text(const Control& control) const;
    void SelectAllText(const Control& control);
    void SetChecked(const Control& control, bool checked);
    bool Checked(const Control& control) const;
    void FillList(const Control& control, std::span<const std::string> entries);
    void SetListEntry(const Control& control, int index, std::string_view text);
    void Select(const Control& control, int index);
    int Selected(const Control& control) const;
    void SetMarked(const Control& control, int index, bool marked);
    bool Marked(const Control& control, int index) const;
    void ScrollToTop(const Control& control);
    void Enable(const Control& control, bool enabled);
    void Focus(const Control& control);
    void ShowPage(const Control& pages, int index);
    void SetColour(const Control& control, uint32_t colour);
    void SetRamp(const Control& control, std::span<const uint32_t> colours);
    void SetProfile(const Control& control, int profile);

  private:
    class QuietScope;

    QWidget& dialog_;
    std::map<Control, QWidget*> widgets_;
    std::map<Control, std::vector<QWidget*>> companions_;
    int quiet_ = 0;
};

// The generic calls of a dialog view, carried out by a QtControls; a dialog window derives
// from this with its own view interface and adds what is its own.
template <class View>
class QtView : public View {
  public:
    explicit QtView(QWidget* dialog) : dialog_(*dialog), controls_(*dialog) {}

    void SetText(const Control& c, std::string_view text) override { controls_.SetText(c, text); }
    std::string Text(const Control& c) const override { return controls_.Text(c); }
    void SelectAllText(const Control& c) override { controls_.SelectAllText(c); }
    void SetChecked(const Control& c, bool checked) override { controls_.SetChecked(c, checked); }
    bool Checked(const Control& c) const override { return controls_.Checked(c); }
    void FillList(const Control& c, std::span<const std::string> entries) override {
        controls_.FillList(c, entries);
    }
    void SetListEntry(const Control& c, int index, std::string_view text) override {
        controls_.SetListEntry(c, index, text);
    }
    void Select(const Control& c, int index) override { controls_.Select(c, index); }
    int Selected(const Control& c) const override { return controls_.Selected(c); }
    void SetMarked(const Control& c, int index, bool marked) override {
        controls_.SetMarked(c, index, marked);
    }
    bool Marked(const Control& c, int index) const override { return controls_.Marked(c, index); }
    void ScrollToTop(const Control& c) override { controls_.ScrollToTop(c); }
    void Enable(const Control& c, bool enabled) override { controls_.Enable(c, enabled); }
    void Focus(const Control& c) override { controls_.Focus(c); }
    void ShowPage(const Control& c, int index) override { controls_.ShowPage(c, index); }
    void SetColour(const Control& c, uint32_t colour) override { controls_.SetColour(c, colour); }
    void SetRamp(const Control& c, std::span<const uint32_t> colours) override {
        controls_.SetRamp(c, colours);
    }
    void SetProfile(const Control& c, int profile) override { controls_.SetProfile(c, profile); }
    void ShowMessage(std::string_view text) override;
    bool AskYesNo(std::string_view question) override;
    void Beep() override;

    QtControls& Controls() { return controls_; }

  protected:
    QWidget& dialog_;
    QtControls controls_;
};

}  // namespace astrelle
