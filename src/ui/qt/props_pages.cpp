// Layout of the properties dialog's pages and boxes. Only construction and placement live
// here; the dialog sets up checks, lists and behaviour on the collected controls.
#include "ui/qt/props_pages.h"

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
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "settings/settings_model.h"

#include "ui/qt/colour_samples.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/props_tables.h"
#include "ui/qt/props_text.h"
#include "ui/qt/spin_control.h"
#include "ui/qt/surface_picture.h"

namespace astrelle {

namespace pt = props_text;

QString IndexedName(const char* control, int index) {
    return QString::fromLatin1(control) + QLatin1Char('_') + QString::number(index);
}

namespace {

QString TrimBlankEnds(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' ')) ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' ')) --last;
    return text.mid(first, last - first);
}

// Draws a name-and-weight line with the weight right-aligned in a column of its own, so the
// weights line up whatever the font's widths are. The line's text stays as it is.
class NameWeightDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QString line = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);  // background, selection
        const QRect text =
            style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(2, 0, -4, 0);
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
        const QString name =
            opt.fontMetrics.elidedText(NameOfListLine(line), Qt::ElideRight, nameRect.width());
        painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, name);
        painter->drawText(weightRect, Qt::AlignRight | Qt::AlignVCenter, WeightOfListLine(line));
        painter->restore();
    }
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

QString NameOfListLine(const QString& line) {
    return TrimBlankEnds(line.left(std::max<qsizetype>(0, line.size() - kWeightChars)));
}

QString WeightOfListLine(const QString& line) {
    return TrimBlankEnds(line.right(kWeightChars));
}

namespace {

QString Tr(const char* text) {
    return QString::fromUtf8(text);
}

// The preview picture: the size the animation's previews were composed for.
constexpr QSize kPreviewSize(272, 204);

// A number field wide enough for the given count of digits.
FieldEdit* NewField(QWidget* parent, const QString& name, int digits) {
    auto* field = new FieldEdit(parent);
    field->setObjectName(name);
    const int width = field->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 16;
    field->setFixedWidth(width);
    return field;
}

FieldEdit* UniField(PropsControls& c, QWidget* parent, int index, int digits) {
    FieldEdit* field = NewField(parent, IndexedName(kTxtUni, index), digits);
    c.txtUni[index] = field;
    return field;
}

FieldEdit* GalField(PropsControls& c, QWidget* parent, int index, int digits) {
    FieldEdit* field = NewField(parent, IndexedName(kTxtGalaxy, index), digits);
    c.txtGalaxy[index] = field;
    return field;
}

SpinControl* NewSpin(QWidget* parent, const char* spinner, int index) {
    const SpinnerSpec& row = FindSpinner(spinner, index);
    auto* spin = new SpinControl(row.low, row.high, row.step, parent);
    spin->setObjectName(index >= 0 ? IndexedName(spinner, index) : QString::fromLatin1(spinner));
    return spin;
}

// The label of the setting a control shows, as the settings definitions give it.
QString SettingLabel(std::string_view control, int index) {
    const SettingDef* def = FindControlSetting(control, index);
    return def ? QString::fromUtf8(def->label.data(), static_cast<qsizetype>(def->label.size())) : QString();
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

// A label and its controls in one row of a form grid, at the given column pair.
void AddRow(QGridLayout* grid, int row, int column, const QString& label, QWidget* buddy,
            std::initializer_list<QWidget*> widgets, QWidget* parent) {
    grid->addWidget(NewLabel(label, buddy, parent), row, column, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Row(parent, widgets), row, column + 1);
}

QGridLayout* NewGrid(QWidget* owner) {
    auto* grid = new QGridLayout(owner);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    return grid;
}

QComboBox* NewCombo(QWidget* parent, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    // Sized by its entries as they are filled in, also while its page is hidden.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

QCheckBox* NewCheck(QWidget* parent, const char* name) {
    auto* check = new QCheckBox(SettingLabel(name, -1), parent);
    check->setObjectName(name);
    return check;
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

// A check box with its caption as the label of a form row.
QLabel* AddCheckRow(QGridLayout* grid, int row, int column, QCheckBox* box, QWidget* parent) {
    auto* caption = new CheckCaption(box, parent);
    grid->addWidget(caption, row, column, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(box, row, column + 1, Qt::AlignLeft | Qt::AlignVCenter);
    return caption;
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

}  // namespace

// ---- universe sub-pages -------------------------------------------------------------------

UniverseCreationPage::UniverseCreationPage(PropsControls& c, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    FieldEdit* stars = UniField(c, this, 0, 6);
    c.spnUni[0] = NewSpin(this, "spnUni", 0);
    FieldEdit* galaxies = UniField(c, this, 1, 6);
    c.spnUni[1] = NewSpin(this, "spnUni", 1);
    FieldEdit* trail = UniField(c, this, 2, 6);
    c.spnUni[2] = NewSpin(this, "spnUni", 2);
    AddRow(grid, 0, 0, SettingLabel(kTxtUni, 0), stars, {stars, c.spnUni[0]}, this);
    AddRow(grid, 1, 0, SettingLabel(kTxtUni, 1), galaxies, {galaxies, c.spnUni[1]}, this);
    AddRow(grid, 2, 0, SettingLabel(kTxtUni, 2), trail, {trail, c.spnUni[2]}, this);
    FieldEdit* expand = UniField(c, this, 10, 6);
    FieldEdit* steps = UniField(c, this, 11, 6);
    FieldEdit* persist = UniField(c, this, 12, 6);
    AddRow(grid, 3, 0, SettingLabel(kTxtUni, 10), expand, {expand}, this);
    AddRow(grid, 4, 0, SettingLabel(kTxtUni, 11), steps, {steps}, this);
    AddRow(grid, 5, 0, SettingLabel(kTxtUni, 12), persist, {persist}, this);

    FieldEdit* symmetry = UniField(c, this, 13, 6);
    FieldEdit* damping = UniField(c, this, 14, 6);
    FieldEdit* ratio = UniField(c, this, 15, 6);
    AddRow(grid, 0, 2, SettingLabel(kTxtUni, 13), symmetry, {symmetry, damping}, this);
    AddRow(grid, 1, 2, SettingLabel(kTxtUni, 15), ratio, {ratio}, this);
    FieldEdit* hueStart = UniField(c, this, 16, 4);
    c.spnUni[3] = NewSpin(this, "spnUni", 3);
    FieldEdit* hueEnd = UniField(c, this, 17, 4);
    c.spnUni[4] = NewSpin(this, "spnUni", 4);
    AddRow(grid, 2, 2, SettingLabel(kTxtUni, 16), hueStart, {hueStart, c.spnUni[3], hueEnd, c.spnUni[4]},
           this);
    c.picColUni = new RampSample(this);
    c.picColUni->setObjectName("picColUni");
    grid->addWidget(c.picColUni, 3, 3);
    c.cboUniProfile = NewCombo(this, "cboUniProfile");
    c.picUniProfile = new ProfilePictogram(this);
    c.picUniProfile->setObjectName("picUniProfile");
    AddRow(grid, 4, 2, SettingLabel("cboUniProfile", -1), c.cboUniProfile, {c.cboUniProfile}, this);
    grid->addWidget(c.picUniProfile, 5, 3, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(7, 1);
}

StarCreationPage::StarCreationPage(PropsControls& c, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    auto* newStars = new QGroupBox(Tr(pt::kNewStarsBox), this);
    auto* newGrid = NewGrid(newStars);
    FieldEdit* freq = UniField(c, newStars, 20, 6);
    FieldEdit* pct = UniField(c, newStars, 21, 6);
    AddRow(newGrid, 0, 0, SettingLabel(kTxtUni, 20), freq, {freq}, newStars);
    AddRow(newGrid, 1, 0, SettingLabel(kTxtUni, 21), pct, {pct}, newStars);
    newGrid->setRowStretch(2, 1);

    auto* ambient = new QGroupBox(Tr(pt::kAmbientBox), this);
    auto* ambGrid = NewGrid(ambient);
    FieldEdit* amStars = UniField(c, ambient, 40, 6);
    FieldEdit* amPers = UniField(c, ambient, 41, 6);
    FieldEdit* amAge = UniField(c, ambient, 42, 6);
    FieldEdit* amFrames = UniField(c, ambient, 43, 6);
    FieldEdit* amExt = UniField(c, ambient, 44, 6);
    AddRow(ambGrid, 0, 0, SettingLabel(kTxtUni, 40), amStars, {amStars}, ambient);
    AddRow(ambGrid, 1, 0, SettingLabel(kTxtUni, 41), amPers, {amPers}, ambient);
    AddRow(ambGrid, 2, 0, SettingLabel(kTxtUni, 42), amAge, {amAge}, ambient);
    AddRow(ambGrid, 3, 0, SettingLabel(kTxtUni, 43), amFrames, {amFrames}, ambient);
    AddRow(ambGrid, 4, 0, SettingLabel(kTxtUni, 44), amExt, {amExt}, ambient);
    c.chkAmbDisp = NewCheck(ambient, "chkAmbDisp");
    AddCheckRow(ambGrid, 5, 0, c.chkAmbDisp, ambient);
    ambGrid->setRowStretch(6, 1);

    layout->addWidget(newStars, 1);
    layout->addWidget(ambient, 1);
}

TourPage::TourPage(PropsControls& c, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    c.chkUniTour = NewCheck(this, "chkUniTour");
    grid->addWidget(c.chkUniTour, 0, 0, 1, 2);
    int row = 1;
    for (const int index : {30, 31, 32, 33}) {
        FieldEdit* field = UniField(c, this, index, 7);
        QLabel* label = NewLabel(SettingLabel(kTxtUni, index), field, this);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1, Qt::AlignLeft);
        c.tourControls.push_back(label);
        c.tourControls.push_back(field);
        ++row;
    }
    c.chkVisitSeq = NewCheck(this, "chkVisitSeq");
    c.chkTrackGrav = NewCheck(this, "chkTrackGrav");
    for (QCheckBox* box : {c.chkVisitSeq, c.chkTrackGrav}) {
        c.tourControls.push_back(AddCheckRow(grid, row++, 0, box, this));
        c.tourControls.push_back(box);
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
}

CompositePage::CompositePage(PropsControls& c, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    c.lstCompGalaxy = new QListWidget(this);
    c.lstCompGalaxy->setObjectName("lstCompGalaxy");
    c.lstCompGalaxy->setItemDelegate(new NameWeightDelegate(c.lstCompGalaxy));
    grid->addWidget(NewLabel(Tr(pt::kCompositeList), c.lstCompGalaxy, this), 0, 0);
    ShowWholeRows(c.lstCompGalaxy, kCompositeRowsShown);
    grid->addWidget(c.lstCompGalaxy, 1, 0, Qt::AlignTop);

    c.txtCompGalName = new FieldEdit(this);
    c.txtCompGalName->setObjectName("txtCompGalName");
    c.txtCompGalPct = NewField(this, "txtCompGalPct", 4);
    c.spnCompGalPct = NewSpin(this, "spnCompGalPct", -1);
    auto* nameRow = new QWidget(this);
    auto* nameLayout = new QHBoxLayout(nameRow);
    nameLayout->setContentsMargins(0, 0, 0, 0);
    nameLayout->setSpacing(4);
    nameLayout->addWidget(c.txtCompGalName, 1);
    nameLayout->addWidget(c.txtCompGalPct);
    nameLayout->addWidget(c.spnCompGalPct);
    grid->addWidget(nameRow, 2, 0);

    c.cmdCompCommit = new QPushButton(Tr(pt::kCompCommit), this);
    c.cmdCompCommit->setObjectName("cmdCompCommit");
    c.cmdCompPreview = new QPushButton(Tr(pt::kCompPreview), this);
    c.cmdCompPreview->setObjectName("cmdCompPreview");
    c.cmdCompPreview->setMinimumWidth(c.cmdCompPreview->sizeHint().width());
    grid->addWidget(Row(this, {c.cmdCompCommit, c.cmdCompPreview}), 3, 0);

    c.cboCompMajor = NewCombo(this, "cboCompMajor");
    c.lstCompMinor = new QListWidget(this);
    c.lstCompMinor->setObjectName("lstCompMinor");
    c.lstCompMinor->setSelectionMode(QAbstractItemView::MultiSelection);
    grid->addWidget(NewLabel(Tr(pt::kCompMajor), c.cboCompMajor, this), 0, 1);
    grid->addWidget(c.cboCompMajor, 1, 1, Qt::AlignTop);
    grid->addWidget(NewLabel(Tr(pt::kCompMinor), c.lstCompMinor, this), 0, 2);
    ShowWholeRows(c.lstCompMinor, kMinorTypeRowsShown);
    grid->addWidget(c.lstCompMinor, 1, 2, 3, 1, Qt::AlignTop);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(4, 1);  // the room left over goes below the lists
}

GravityPage::GravityPage(PropsControls& c, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    FieldEdit* force = UniField(c, this, 50, 7);
    FieldEdit* frames = UniField(c, this, 51, 7);
    grid->addWidget(NewLabel(SettingLabel(kTxtUni, 50), force, this), 0, 0);
    grid->addWidget(force, 0, 1, Qt::AlignLeft);
    grid->addWidget(NewLabel(SettingLabel(kTxtUni, 51), frames, this), 1, 0);
    grid->addWidget(frames, 1, 1, Qt::AlignLeft);
    c.lblGravityWarning = new QLabel(Tr(pt::kGravityWarning), this);
    c.lblGravityWarning->setObjectName("lblGravityWarning");
    c.lblGravityWarning->setWordWrap(true);
    grid->addWidget(c.lblGravityWarning, 2, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
}

UniversePage::UniversePage(PropsControls& c, QWidget* parent) : QGroupBox(Tr(pt::kUniversePage), parent) {
    setObjectName("fraAni_0");
    auto* layout = new QVBoxLayout(this);
    c.cboUniTheme = NewCombo(this, "cboUniTheme");
    c.cboUniExtras = NewCombo(this, "cboUniExtras");
    layout->addLayout(PageHeader(c.cboUniTheme, c.cboUniExtras, this));

    c.fraUniProp = new QStackedWidget(this);
    c.fraUniProp->setObjectName("fraUniProp");
    c.fraUniProp->addWidget(new UniverseCreationPage(c, c.fraUniProp));
    c.fraUniProp->addWidget(new StarCreationPage(c, c.fraUniProp));
    c.fraUniProp->addWidget(new TourPage(c, c.fraUniProp));
    c.fraUniProp->addWidget(new CompositePage(c, c.fraUniProp));
    c.fraUniProp->addWidget(new GravityPage(c, c.fraUniProp));
    for (int i = 0; i < c.fraUniProp->count(); ++i) {
        c.fraUniProp->widget(i)->setObjectName(IndexedName("fraUniProp", i));
    }
    layout->addWidget(c.fraUniProp, 1);
}

// ---- galaxy sub-pages ---------------------------------------------------------------------

GalaxyCharacteristicsPage::GalaxyCharacteristicsPage(PropsControls& c, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    for (int i = 0; i < 3; ++i) {
        FieldEdit* field = GalField(c, this, i, 6);
        c.spnGalaxy[i] = NewSpin(this, "spnGalaxy", i);
        AddRow(grid, i, 0, SettingLabel(kTxtGalaxy, i), field, {field, c.spnGalaxy[i]}, this);
    }
    c.cboGalPlane = NewCombo(this, "cboGalPlane");
    AddRow(grid, 3, 0, SettingLabel("cboGalPlane", -1), c.cboGalPlane, {c.cboGalPlane}, this);
    c.cboGalColor = NewCombo(this, "cboGalColor");
    FieldEdit* multiplier = GalField(c, this, 3, 6);
    c.spnGalaxy[3] = NewSpin(this, "spnGalaxy", 3);
    grid->addWidget(NewLabel(SettingLabel("cboGalColor", -1), c.cboGalColor, this), 4, 0, 1, 2);
    grid->addWidget(Row(this, {c.cboGalColor, multiplier, c.spnGalaxy[3]}), 5, 0, 1, 2);
    c.cboGalProfile = NewCombo(this, "cboGalProfile");
    c.picGalProfile = new ProfilePictogram(this);
    c.picGalProfile->setObjectName("picGalProfile");
    AddRow(grid, 6, 0, SettingLabel("cboGalProfile", -1), c.cboGalProfile, {c.cboGalProfile, c.picGalProfile},
           this);

    int row = 0;
    for (const int index : {90, 91, 92, 93, 94}) {
        FieldEdit* field = GalField(c, this, index, 6);
        AddRow(grid, row++, 2, SettingLabel(kTxtGalaxy, index), field, {field}, this);
    }
    FieldEdit* hueStart = GalField(c, this, 95, 4);
    c.spnGalHue = NewSpin(this, "spnGalHue", -1);
    c.picGalHue = new ColourSwatch(this);
    c.picGalHue->setObjectName("picGalHue");
    FieldEdit* hueInc = GalField(c, this, 96, 6);
    AddRow(grid, row++, 2, SettingLabel(kTxtGalaxy, 95), hueStart,
           {hueStart, c.spnGalHue, c.picGalHue, hueInc}, this);

    auto* colours = new QGroupBox(Tr(pt::kGalHueBox), this);
    auto* colourGrid = NewGrid(colours);
    for (int i = 0; i < 5; ++i) {
        c.txtPixHue[i] = NewField(colours, IndexedName(kTxtPixHue, i), 3);
        c.spnPixHue[i] = NewSpin(colours, "spnPixHue", i);
    }
    for (int i = 0; i < 4; ++i) {
        c.picPixHue[i] = new ColourSwatch(colours);
        c.picPixHue[i]->setObjectName(IndexedName("picPixHue", i));
    }
    AddRow(colourGrid, 0, 0, SettingLabel(kTxtPixHue, 0), c.txtPixHue[0],
           {c.txtPixHue[0], c.spnPixHue[0], c.picPixHue[0], c.txtPixHue[1], c.spnPixHue[1], c.picPixHue[1],
            c.txtPixHue[2], c.spnPixHue[2], c.picPixHue[2]},
           colours);
    AddRow(colourGrid, 1, 0, SettingLabel(kTxtPixHue, 3), c.txtPixHue[3],
           {c.txtPixHue[3], c.spnPixHue[3], c.picPixHue[3], c.txtPixHue[4], c.spnPixHue[4]}, colours);
    grid->addWidget(colours, row, 2, 2, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(8, 1);
}

NovaStarPage::NovaStarPage(PropsControls& c, QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    const struct {
        const char* box;
        int first;
    } groups[] = {{pt::kNewStarsBox, 10}, {pt::kNovaBox, 20}};
    int column = 0;
    for (const auto& g : groups) {
        auto* box = new QGroupBox(Tr(g.box), this);
        auto* grid = NewGrid(box);
        for (int i = 0; i < 3; ++i) {
            FieldEdit* field = GalField(c, box, g.first + i, 6);
            AddRow(grid, i, 0, SettingLabel(kTxtGalaxy, g.first + i), field, {field}, box);
        }
        grid->setRowStretch(3, 1);
        layout->addWidget(box, 0, column++);
    }
    auto* gravity = new QGroupBox(Tr(pt::kGalGravityBox), this);
    auto* gravityGrid = NewGrid(gravity);
    FieldEdit* mass = GalField(c, gravity, 50, 6);
    FieldEdit* local = GalField(c, gravity, 51, 6);
    AddRow(gravityGrid, 0, 0, SettingLabel(kTxtGalaxy, 50), mass, {mass}, gravity);
    AddRow(gravityGrid, 1, 0, SettingLabel(kTxtGalaxy, 51), local, {local}, gravity);
    auto* note = new QLabel(Tr(pt::kGalGravityNote), gravity);
    note->setWordWrap(true);
    gravityGrid->addWidget(note, 0, 2, 2, 1);
    gravityGrid->setColumnStretch(2, 1);
    layout->addWidget(gravity, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
}

CometPage::CometPage(PropsControls& c, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    int row = 0;
    for (const int index : {40, 41, 42, 43, 44}) {
        FieldEdit* field = GalField(c, this, index, 6);
        AddRow(grid, row++, 0, SettingLabel(kTxtGalaxy, index), field, {field}, this);
    }
    FieldEdit* cometPersist = GalField(c, this, 45, 6);
    FieldEdit* starPersist = GalField(c, this, 46, 6);
    AddRow(grid, 0, 2, SettingLabel(kTxtGalaxy, 45), cometPersist, {cometPersist, starPersist}, this);
    FieldEdit* hueStart = GalField(c, this, 47, 4);
    c.spnGalaxy[4] = NewSpin(this, "spnGalaxy", 4);
    FieldEdit* hueEnd = GalField(c, this, 48, 4);
    c.spnGalaxy[5] = NewSpin(this, "spnGalaxy", 5);
    AddRow(grid, 1, 2, SettingLabel(kTxtGalaxy, 47), hueStart,
           {hueStart, c.spnGalaxy[4], hueEnd, c.spnGalaxy[5]}, this);
    c.picColNova = new RampSample(this);
    c.picColNova->setObjectName("picColNova");
    grid->addWidget(c.picColNova, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);
}

GalaxyPage::GalaxyPage(PropsControls& c, QWidget* parent) : QGroupBox(Tr(pt::kGalaxyPage), parent) {
    setObjectName("fraAni_1");
    auto* layout = new QVBoxLayout(this);
    c.cboGalaxyTheme = NewCombo(this, "cboGalaxyTheme");
    c.cboGalaxExtras = NewCombo(this, "cboGalaxExtras");
    layout->addLayout(PageHeader(c.cboGalaxyTheme, c.cboGalaxExtras, this));

    c.fraGalProp = new QStackedWidget(this);
    c.fraGalProp->setObjectName("fraGalProp");
    c.fraGalProp->addWidget(new GalaxyCharacteristicsPage(c, c.fraGalProp));
    c.fraGalProp->addWidget(new NovaStarPage(c, c.fraGalProp));
    c.fraGalProp->addWidget(new CometPage(c, c.fraGalProp));
    for (int i = 0; i < c.fraGalProp->count(); ++i) {
        c.fraGalProp->widget(i)->setObjectName(IndexedName("fraGalProp", i));
    }
    layout->addWidget(c.fraGalProp, 1);
}

// ---- the boxes beside the pages -----------------------------------------------------------

GalaxyTypesBox::GalaxyTypesBox(PropsControls& c, QWidget* parent)
    : QGroupBox(Tr(pt::kGalaxyTypesBox), parent) {
    setObjectName("fraGalaxyTypes");
    auto* layout = new QVBoxLayout(this);
    c.lstUniGalaxy = new QListWidget(this);
    c.lstUniGalaxy->setObjectName("lstUniGalaxy");
    c.lstUniGalaxy->setItemDelegate(new NameWeightDelegate(c.lstUniGalaxy));
    ShowWholeRows(c.lstUniGalaxy, kGalaxyTypeRowsShown);
    layout->addWidget(NewLabel(WithMnemonic(SettingLabel("txtUniGalPct", -1), pt::kNameListMnemonic),
                               c.lstUniGalaxy, this));
    layout->addWidget(c.lstUniGalaxy);

    c.txtUniGalName = new FieldEdit(this);
    c.txtUniGalName->setObjectName("txtUniGalName");
    c.txtUniGalPct = NewField(this, "txtUniGalPct", 4);
    c.spnUniGalPct = NewSpin(this, "spnUniGalPct", -1);
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(4);
    nameRow->addWidget(c.txtUniGalName, 1);
    nameRow->addWidget(c.txtUniGalPct);
    nameRow->addWidget(c.spnUniGalPct);
    layout->addLayout(nameRow);

    c.cmdGalCommit = new QPushButton(Tr(pt::kGalCommit), this);
    c.cmdGalCommit->setObjectName("cmdGalCommit");
    c.cmdGalProps = new QPushButton(Tr(pt::kGalProps), this);
    c.cmdGalProps->setObjectName("cmdGalProps");
    c.cmdGalPreview = new QPushButton(Tr(pt::kGalPreview), this);
    c.cmdGalPreview->setObjectName("cmdGalPreview");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(c.cmdGalCommit);
    buttons->addWidget(c.cmdGalProps);
    buttons->addWidget(c.cmdGalPreview);
    layout->addLayout(buttons);
}

PreviewBox::PreviewBox(PropsControls& c, QWidget* parent) : QGroupBox(Tr(pt::kPreviewBox), parent) {
    setObjectName("fraPreview");
    auto* layout = new QVBoxLayout(this);
    c.picPreview = new SurfacePicture(this);
    c.picPreview->setObjectName("picPreview");
    c.picPreview->setFixedSize(kPreviewSize);
    layout->addWidget(c.picPreview, 0, Qt::AlignCenter);
}

CopyBox::CopyBox(PropsControls& c, QWidget* parent) : QGroupBox(Tr(pt::kCopyBox), parent) {
    setObjectName("fraPropCopy");
    auto* grid = NewGrid(this);
    c.cboPropCopy = NewCombo(this, "cboPropCopy");
    c.txtPropCopy = NewField(this, "txtPropCopy", 7);
    c.cmdPropCopy = new QPushButton(Tr(pt::kCopyToAll), this);
    c.cmdPropCopy->setObjectName("cmdPropCopy");
    grid->addWidget(NewLabel(Tr(pt::kCopyProps), c.cboPropCopy, this), 0, 0);
    grid->addWidget(NewLabel(Tr(pt::kCopyValue), c.txtPropCopy, this), 0, 1);
    grid->addWidget(c.cboPropCopy, 1, 0);
    grid->addWidget(c.txtPropCopy, 1, 1);
    grid->addWidget(c.cmdPropCopy, 2, 0, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(0, 1);
}

GeneralBox::GeneralBox(PropsControls& c, QWidget* parent) : QGroupBox(Tr(pt::kGeneralBox), parent) {
    setObjectName("fraGeneral");
    auto* grid = NewGrid(this);
    c.txtPixelSize = NewField(this, "txtPixelSize", 3);
    c.spnPixSize = NewSpin(this, "spnPixSize", -1);
    c.txtFocalLen = NewField(this, "txtFocalLen", 6);
    c.txtMessage = new FieldEdit(this);
    c.txtMessage->setObjectName("txtMessage");
    AddRow(grid, 0, 0, WithMnemonic(SettingLabel("txtPixelSize", -1), pt::kPixelSizeMnemonic), c.txtPixelSize,
           {c.txtPixelSize, c.spnPixSize}, this);
    AddRow(grid, 1, 0, WithMnemonic(SettingLabel("txtFocalLen", -1), pt::kFocalLengthMnemonic), c.txtFocalLen,
           {c.txtFocalLen}, this);
    grid->addWidget(
        NewLabel(WithMnemonic(SettingLabel("txtMessage", -1), pt::kLockMessageMnemonic), c.txtMessage, this),
        2, 0);
    grid->addWidget(c.txtMessage, 2, 1);
    grid->setColumnStretch(1, 1);
}

}  // namespace astrelle
