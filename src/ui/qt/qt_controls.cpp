// The generic view calls on Qt widgets, and the reports of what the user does with them.
#include "ui/qt/qt_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>

#include <algorithm>

#include "ui/logic/advanced_dialog.h"
#include "ui/logic/props_view.h"
#include "ui/logic/template_chooser.h"
#include "ui/qt/colour_samples.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/packed_colour.h"
#include "ui/qt/ui_feedback.h"

namespace astrelle {

QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) {
    return text.toStdString();
}

// Marks the logic's own changes, so that the signals they raise are not reported.
class QtControls::QuietScope {
  public:
    explicit QuietScope(QtControls& controls) : quiet_(controls.quiet_) { ++quiet_; }
    ~QuietScope() { --quiet_; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

  private:
    int& quiet_;
};

void QtControls::Add(const Control& control, QWidget* widget) {
    widgets_[control] = widget;
}

void QtControls::AddCompanion(const Control& control, QWidget* companion) {
    companions_[control].push_back(companion);
}

QWidget* QtControls::Widget(const Control& control) const {
    const auto it = widgets_.find(control);
    return it == widgets_.end() ? nullptr : it->second;
}

void QtControls::Report(DialogEvents& events) {
    for (const auto& [control, widget] : widgets_) {
        const Control c = control;
        if (auto* field = qobject_cast<FieldEdit*>(widget)) {
            field->SetReports(FieldReports{
                [&events, c] { events.OnFocusEntered(c); }, [&events, c] { events.OnFocusLeft(c); },
                [&events, c](char32_t typed, const QString& text, const QString& selection) {
                    return events.OnKeyTyped(c, typed, FromQt(text), FromQt(selection));
                },
                [&events, c](int direction) { return events.OnArrowKey(c, direction); }});
            QObject::connect(field, &QLineEdit::textChanged, field, [this, &events, c] {
                if (!Quiet()) events.OnEdited(c);
            });
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            QObject::connect(box, &QCheckBox::toggled, box, [this, &events, c] {
                if (!Quiet()) events.OnChecked(c);
            });
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QObject::connect(button, &QPushButton::clicked, button, [&events, c] { events.OnButton(c); });
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            QObject::connect(combo, &QComboBox::activated, combo,
                             [&events, c](int index) { events.OnListChosen(c, index); });
        } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
            QObject::connect(list, &QListWidget::currentRowChanged, list, [this, &events, c](int row) {
                if (!Quiet()) events.OnListChosen(c, row);
            });
            QObject::connect(
                list, &QListWidget::itemClicked, list,
                [&events, c, list](QListWidgetItem* item) { events.OnListChosen(c, list->row(item)); });
            QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                             [&events, c, list](QListWidgetItem* item) {
                                 events.OnListDoubleClicked(c, list->row(item));
                             });
        }
    }
}

void QtControls::SetText(const Control& control, std::string_view text) {
    const QuietScope quiet(*this);
    const QString value = ToQt(text);
    if (control.id == ControlId::Window) {
        dialog_.setWindowTitle(value);
    } else if (auto* field = As<QLineEdit>(control)) {
        field->setText(value);
    } else if (auto* button = As<QAbstractButton>(control)) {
        button->setText(value);
    } else if (auto* frame = As<QGroupBox>(control)) {
        frame->setTitle(value);
    }
}

std::string QtControls::Text(const Control& control) const {
    if (auto* field = As<QLineEdit>(control)) return FromQt(field->text());
    if (auto* button = As<QAbstractButton>(control)) return FromQt(button->text());
    if (auto* frame = As<QGroupBox>(control)) return FromQt(frame->title());
    return {};
}

void QtControls::SelectAllText(const Control& control) {
    if (auto* field = As<QLineEdit>(control)) field->selectAll();
}

void QtControls::SetChecked(const Control& control, bool checked) {
    const QuietScope quiet(*this);
    if (auto* box = As<QCheckBox>(control)) box->setChecked(checked);
}

bool QtControls::Checked(const Control& control) const {
    const auto* box = As<QCheckBox>(control);
    return box != nullptr && box->isChecked();
}

void QtControls::FillList(const Control& control, std::span<const std::string> entries) {
    const QuietScope quiet(*this);
    QStringList texts;
    for (const std::string& entry : entries) texts << ToQt(entry);
    if (auto* combo = As<QComboBox>(control)) {
        combo->clear();
        combo->addItems(texts);
        combo->setCurrentIndex(-1);
    } else if (auto* list = As<QListWidget>(control)) {
        list->clear();
        list->addItems(texts);
    }
}

void QtControls::SetListEntry(const Control& control, int index, std::string_view text) {
    const QuietScope quiet(*this);
    if (auto* combo = As<QComboBox>(control)) {
        combo->setItemText(index, ToQt(text));
    } else if (auto* list = As<QListWidget>(control); list && list->item(index)) {
        list->item(index)->setText(ToQt(text));
    }
}

void QtControls::Select(const Control& control, int index) {
    const QuietScope quiet(*this);
    if (auto* combo = As<QComboBox>(control)) {
        combo->setCurrentIndex(index);
    } else if (auto* list = As<QListWidget>(control)) {
        if (index < 0) {
            list->clearSelection();
            list->setCurrentItem(nullptr);
        } else {
            list->setCurrentRow(index);
        }
    }
}

int QtControls::Selected(const Control& control) const {
    if (auto* combo = As<QComboBox>(control)) return combo->currentIndex();
    if (auto* list = As<QListWidget>(control)) {
        const QListWidgetItem* item = list->currentItem();
        return item && item->isSelected() ? list->row(item) : -1;
    }
    return -1;
}

void QtControls::SetMarked(const Control& control, int index, bool marked) {
    const QuietScope quiet(*this);
    if (auto* list = As<QListWidget>(control); list && list->item(index))
        list->item(index)->setSelected(marked);
}

bool QtControls::Marked(const Control& control, int index) const {
    const auto* list = As<QListWidget>(control);
    return list && list->item(index) && list->item(index)->isSelected();
}

void QtControls::ScrollToTop(const Control& control) {
    if (auto* list = As<QListWidget>(control)) list->scrollToTop();
}

void QtControls::Enable(const Control& control, bool enabled) {
    if (QWidget* widget = Widget(control)) widget->setEnabled(enabled);
    if (const auto it = companions_.find(control); it != companions_.end()) {
        for (QWidget* companion : it->second) companion->setEnabled(enabled);
    }
}

void QtControls::Focus(const Control& control) {
    if (QWidget* widget = Widget(control)) widget->setFocus(Qt::OtherFocusReason);
}

void QtControls::ShowPage(const Control& pages, int index) {
    const QuietScope quiet(*this);
    if (auto* stack = As<QStackedWidget>(pages)) stack->setCurrentIndex(index);
}

void QtControls::SetColour(const Control& control, uint32_t colour) {
    const QColor qcolour = ColourFromPacked(colour);
    if (auto* swatch = As<ColourSwatch>(control)) {
        swatch->SetColour(qcolour);
    } else if (QWidget* widget = Widget(control)) {
        // A field shows it as its text colour, any other widget as its background.
        QPalette palette = widget->palette();
        palette.setColor(qobject_cast<QLineEdit*>(widget) ? QPalette::Text : QPalette::Window, qcolour);
        widget->setPalette(palette);
    }
}

void QtControls::SetRamp(const Control& control, std::span<const uint32_t> colours) {
    auto* sample = As<RampSample>(control);
    if (sample == nullptr) return;
    RampSample::Ramp ramp{};
    std::copy_n(colours.begin(), std::min(colours.size(), ramp.size()), ramp.begin());
    sample->SetRamp(ramp);
}

void QtControls::SetProfile(const Control& control, int profile) {
    if (auto* picture = As<ProfilePictogram>(control)) picture->SetProfile(profile);
}

template <class View>
void QtView<View>::ShowMessage(std::string_view text) {
    ShowWarning(&dialog_, ToQt(text));
}

template <class View>
bool QtView<View>::AskYesNo(std::string_view question) {
    return astrelle::AskYesNo(&dialog_, ToQt(question));
}

template <class View>
void QtView<View>::Beep() {
    astrelle::Beep();
}

template class QtView<PropsView>;
template class QtView<AdvancedView>;
template class QtView<TemplateChooserView>;

}  // namespace astrelle
