// How the properties dialog's pages are built: the builder that creates the control of a
// setting as its row and definition describe it and registers it under the name the
// dialog's logic gives it, and the rows, grids and labels every page is laid out with.
#pragma once

#include <QSize>
#include <QString>
#include <QStyledItemDelegate>

#include <initializer_list>
#include <string_view>

#include "ui/logic/control.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace astrelle {

class FieldEdit;
class QtControls;
class SpinControl;

// Gives a list the height of exactly that many whole rows (a row cut in half reads as a
// fault), measured on its own items; the list neither grows nor shrinks in its layout.
void ShowWholeRows(QListWidget* list, int rows);

// Rows of the lists shown at a glance: the galaxy type list is as tall as the preview
// beside it, the composite lists fill their page.
inline constexpr int kGalaxyTypeRowsShown = 9;
inline constexpr int kCompositeRowsShown = 12;
inline constexpr int kMinorTypeRowsShown = 16;

// What the pages build with: the controls they register, and helpers that create a
// control for a setting as its row and definition describe it.
class PropsBuilder {
  public:
    explicit PropsBuilder(QtControls& controls) : controls_(controls) {}

    // A number field wide enough for the given count of digits.
    FieldEdit* Number(QWidget* parent, std::string_view key, int digits);
    FieldEdit* Text(QWidget* parent, std::string_view key);
    SpinControl* Spin(QWidget* parent, std::string_view key);
    QCheckBox* Check(QWidget* parent, std::string_view key);
    QComboBox* List(QWidget* parent, std::string_view key);
    QComboBox* Combo(QWidget* parent, ControlId id, const char* name);
    QPushButton* Button(QWidget* parent, ControlId id, const char* caption, const char* name);
    QListWidget* Lines(QWidget* parent, ControlId id, const char* name);
    // The label of a setting's control, enabled and disabled with it.
    QLabel* Label(QWidget* parent, std::string_view key, QWidget* buddy);
    void Companion(std::string_view key, QWidget* widget);
    void Register(const Control& control, QWidget* widget);

  private:
    QtControls& controls_;
};

namespace props_layout {

QString Tr(const char* text);
// A field wide enough for the given count of digits.
void FitDigits(QWidget* field, int digits);
QString IndexedName(const char* name, int index);
// A label with a mnemonic on the first occurrence of the letter.
QString WithMnemonic(QString text, char letter);
QLabel* NewLabel(const QString& text, QWidget* buddy, QWidget* parent);
// The controls of one row side by side, left-aligned.
QWidget* Row(QWidget* parent, std::initializer_list<QWidget*> widgets);
QGridLayout* NewGrid(QWidget* owner);
// A setting's label and its controls in one row of a form grid, at the given column pair.
QLabel* AddRow(PropsBuilder& b, QGridLayout* grid, int row, int column, std::string_view key, QWidget* buddy,
               std::initializer_list<QWidget*> widgets, QWidget* parent);
// A check box with its caption as the label of a form row; the caption is enabled with it
// and a click on it ticks the box as a click on a check box's own text does.
void AddCheckRow(PropsBuilder& b, QGridLayout* grid, int row, int column, std::string_view key,
                 QCheckBox* box, QWidget* parent);
// The theme and sub-page choosers at the top of a main page, on one row.
QHBoxLayout* PageHeader(QComboBox* theme, QComboBox* extras, QWidget* parent);

// Draws a name-and-weight line with the weight right-aligned in a column of its own, so the
// weights line up whatever the font's widths are. The line's text stays as it is.
class NameWeightDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace props_layout
}  // namespace astrelle
