// The builder of the properties dialog's pages and the layout helpers they share.
#include "ui/qt/props_layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

#include "ui/logic/name_lines.h"
#include "ui/logic/props_dialog.h"
#include "ui/logic/props_text.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/spin_control.h"

namespace astrelle {

namespace pt = props_text;

namespace {

constexpr int kFieldPadding = 16;

// The row of a field; every field the pages lay out has one.
const FieldRow& RowOf(std::string_view key) {
    const FieldRow* row = PropsDialog::FieldRowOf(key);
    Q_ASSERT(row != nullptr);
    return *row;
}

// The caption of a check box that reads as a label ("Profile Disp.:"): it stands in the
// column of labels with the box in the column of fields, like every other row of the page,
// and a click on it ticks the box as a click on a check box's own text does.
class CheckCaption : public QLabel {
  public:
    CheckCaption(QCheckBox* box, QWidget* parent) : QLabel(parent), box_(box) {
        setText(box->text());
        box->setAccessibleName(box->text());
        box->setText(QString());
        setBuddy(box);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            box_->isEnabled()) {
            box_->setFocus(Qt::MouseFocusReason);
            box_->click();
        }
    }

  private:
    QCheckBox* box_;
};

}  // namespace

void ShowWholeRows(QListWidget* list, int rows) {
    list->ensurePolished();
    list->setUniformItemSizes(true);
    const bool probe = list->count() == 0;
    if (probe) list->addItem(QStringLiteral("Xg"));
    const int rowHeight = list->sizeHintForRow(0);
    if (probe) delete list->takeItem(0);
    list->setFixedHeight(rows * rowHeight + 2 * list->frameWidth());
}

// ---- the builder --------------------------------------------------------------------------

void PropsBuilder::Register(const Control& control, QWidget* widget) {
    if (widget != nullptr) controls_.Add(control, widget);
}

FieldEdit* PropsBuilder::Text(QWidget* parent, std::string_view key) {
    const FieldRow& row = RowOf(key);
    auto* field = new FieldEdit(parent);
    field->setObjectName(ToQt(row.key));
    if (const int length = MaxLengthOf(row); length > 0) field->setMaxLength(length);
    Register(Field(row.key), field);
    return field;
}

FieldEdit* PropsBuilder::Number(QWidget* parent, std::string_view key, int digits) {
    FieldEdit* field = Text(parent, key);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) +
                         kFieldPadding);
    return field;
}

SpinControl* PropsBuilder::Spin(QWidget* parent, std::string_view key) {
    const FieldRow& row = RowOf(key);
    const SpinRange range = SpinnerOf(row);
    auto* spin = new SpinControl(range.low, range.high, range.step, parent);
    spin->setObjectName(QStringLiteral("spin_") + ToQt(row.key));
    if (auto* field = controls_.As<FieldEdit>(Field(row.key))) LinkSpinToField(spin, field);
    return spin;
}

QCheckBox* PropsBuilder::Check(QWidget* parent, std::string_view key) {
    const FieldRow& row = RowOf(key);
    auto* check = new QCheckBox(ToQt(LabelOf(row.key)), parent);
    check->setObjectName(ToQt(row.key));
    Register(Field(row.key), check);
    return check;
}

QComboBox* PropsBuilder::List(QWidget* parent, std::string_view key) {
    const FieldRow& row = RowOf(key);
    auto* combo = new QComboBox(parent);
    combo->setObjectName(ToQt(row.key));
    // Sized by its entries as they are filled in, also while its page is hidden.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Register(Field(row.key), combo);
    return combo;
}

QComboBox* PropsBuilder::Combo(QWidget* parent, ControlId id, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Register(Own(id), combo);
    return combo;
}

QPushButton* PropsBuilder::Button(QWidget* parent, ControlId id, const char* caption, const char* name) {
    auto* button = new QPushButton(props_layout::Tr(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    Register(Own(id), button);
    return button;
}

QListWidget* PropsBuilder::Lines(QWidget* parent, ControlId id, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    Register(Own(id), list);
    return list;
}

QLabel* PropsBuilder::Label(QWidget* parent, std::string_view key, QWidget* buddy) {
    QLabel* label = props_layout::NewLabel(ToQt(LabelOf(key)), buddy, parent);
    Companion(key, label);
    return label;
}

void PropsBuilder::Companion(std::string_view key, QWidget* widget) {
    controls_.AddCompanion(Field(RowOf(key).key), widget);
}

namespace props_layout {

QString Tr(const char* text) {
    return QString::fromUtf8(text);
}

void FitDigits(QWidget* field, int digits) {
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) +
                         kFieldPadding);
}

void NameWeightDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const std::string line = FromQt(opt.text);
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);  // background, selection
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(2, 0, -4, 0);
    const int weightWidth = opt.fontMetrics.horizontalAdvance(QStringLiteral("0000"));
    const QRect weightRect(text.right() - weightWidth, text.top(), weightWidth, text.height());
    const QRect nameRect(text.left(), text.top(), std::max(0, weightRect.left() - 6 - text.left()),
                         text.height());
    const QPalette::ColorGroup group =
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QPalette::ColorRole role =
        opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    painter->setPen(opt.palette.color(group, role));
    painter->setFont(opt.font);
    const QString name = opt.fontMetrics.elidedText(ToQt(NameOfLine(line)), Qt::ElideRight, nameRect.width());
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, name);
    painter->drawText(weightRect, Qt::AlignRight | Qt::AlignVCenter, ToQt(WeightOfLine(line)));
    painter->restore();
}

QString IndexedName(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

// A label with a mnemonic on the first occurrence of the letter.
QString WithMnemonic(QString text, char letter) {
    const qsizetype at = text.indexOf(QLatin1Char(letter));
    if (at >= 0) text.insert(at, QLatin1Char('&'));
    return text;
}

QLabel* NewLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (buddy) label->setBuddy(buddy);
    return label;
}

// The controls of one row side by side, left-aligned.
QWidget* Row(QWidget* parent, std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (QWidget* w : widgets) layout->addWidget(w, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    return row;
}

QGridLayout* NewGrid(QWidget* owner) {
    auto* grid = new QGridLayout(owner);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    return grid;
}

// A setting's label and its controls in one row of a form grid, at the given column pair.
QLabel* AddRow(PropsBuilder& b, QGridLayout* grid, int row, int column, std::string_view key, QWidget* buddy,
               std::initializer_list<QWidget*> widgets, QWidget* parent) {
    QLabel* label = b.Label(parent, key, buddy);
    grid->addWidget(label, row, column, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Row(parent, widgets), row, column + 1);
    return label;
}

// A check box with its caption as the label of a form row; the caption is enabled with it.
void AddCheckRow(PropsBuilder& b, QGridLayout* grid, int row, int column, std::string_view key,
                 QCheckBox* box, QWidget* parent) {
    auto* caption = new CheckCaption(box, parent);
    b.Companion(key, caption);
    grid->addWidget(caption, row, column, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(box, row, column + 1, Qt::AlignLeft | Qt::AlignVCenter);
}

// The theme and sub-page choosers at the top of a main page, on one row.
QHBoxLayout* PageHeader(QComboBox* theme, QComboBox* extras, QWidget* parent) {
    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(NewLabel(Tr(pt::kTheme), theme, parent));
    header->addWidget(theme, 3);
    header->addSpacing(12);
    header->addWidget(NewLabel(Tr(pt::kExtras), extras, parent));
    header->addWidget(extras, 2);
    return header;
}

}  // namespace props_layout
}  // namespace astrelle
