// Layout of the properties dialog's pages and boxes. Only construction, placement and the
// registration of each control under its logic name live here; the dialog's logic fills,
// checks and reads the controls.
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

#include "ui/logic/name_lines.h"
#include "ui/logic/props_dialog.h"
#include "ui/logic/props_text.h"
#include "ui/qt/colour_samples.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/spin_control.h"
#include "ui/qt/surface_picture.h"

namespace astrelle {

namespace pt = props_text;

namespace {

QString Tr(const char* text) {
    return QString::fromUtf8(text);
}

// The row of a field; every field the pages lay out has one.
const FieldRow& RowOf(std::string_view key) {
    const FieldRow* row = PropsDialog::FieldRowOf(key);
    Q_ASSERT(row != nullptr);
    return *row;
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
        const std::string line = FromQt(opt.text);
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
            opt.fontMetrics.elidedText(ToQt(NameOfLine(line)), Qt::ElideRight, nameRect.width());
        painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, name);
        painter->drawText(weightRect, Qt::AlignRight | Qt::AlignVCenter, ToQt(WeightOfLine(line)));
        painter->restore();
    }
};

// The preview picture: the size the animation's previews were composed for.
constexpr QSize kPreviewSize(272, 204);
constexpr int kFieldPadding = 16;

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
    auto* button = new QPushButton(Tr(caption), parent);
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
    QLabel* label = NewLabel(ToQt(LabelOf(key)), buddy, parent);
    Companion(key, label);
    return label;
}

void PropsBuilder::Companion(std::string_view key, QWidget* widget) {
    controls_.AddCompanion(Field(RowOf(key).key), widget);
}

// ---- universe sub-pages -------------------------------------------------------------------

UniverseCreationPageView::UniverseCreationPageView(PropsBuilder& b, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    FieldEdit* stars = b.Number(this, "Universe_Stars", 6);
    SpinControl* starsSpin = b.Spin(this, "Universe_Stars");
    FieldEdit* galaxies = b.Number(this, "Universe_Galaxy", 6);
    SpinControl* galaxiesSpin = b.Spin(this, "Universe_Galaxy");
    FieldEdit* trail = b.Number(this, "Universe_STrail", 6);
    SpinControl* trailSpin = b.Spin(this, "Universe_STrail");
    AddRow(b, grid, 0, 0, "Universe_Stars", stars, {stars, starsSpin}, this);
    AddRow(b, grid, 1, 0, "Universe_Galaxy", galaxies, {galaxies, galaxiesSpin}, this);
    AddRow(b, grid, 2, 0, "Universe_STrail", trail, {trail, trailSpin}, this);
    FieldEdit* expand = b.Number(this, "Universe_Expand", 6);
    FieldEdit* steps = b.Number(this, "Universe_ESteps", 6);
    FieldEdit* persist = b.Number(this, "Universe_Persist", 6);
    AddRow(b, grid, 3, 0, "Universe_Expand", expand, {expand}, this);
    AddRow(b, grid, 4, 0, "Universe_ESteps", steps, {steps}, this);
    AddRow(b, grid, 5, 0, "Universe_Persist", persist, {persist}, this);

    FieldEdit* symmetry = b.Number(this, "Universe_Symetry", 6);
    FieldEdit* damping = b.Number(this, "Universe_Damping", 6);
    FieldEdit* ratio = b.Number(this, "Universe_HWRatio", 6);
    AddRow(b, grid, 0, 2, "Universe_Symetry", symmetry, {symmetry, damping}, this);
    AddRow(b, grid, 1, 2, "Universe_HWRatio", ratio, {ratio}, this);
    FieldEdit* hueStart = b.Number(this, "Universe_HW_Start", 4);
    SpinControl* hueStartSpin = b.Spin(this, "Universe_HW_Start");
    FieldEdit* hueEnd = b.Number(this, "Universe_HW_End", 4);
    SpinControl* hueEndSpin = b.Spin(this, "Universe_HW_End");
    AddRow(b, grid, 2, 2, "Universe_HW_Start", hueStart, {hueStart, hueStartSpin, hueEnd, hueEndSpin}, this);
    auto* ramp = new RampSample(this);
    ramp->setObjectName("picColUni");
    b.Register(Own(ControlId::UniverseRamp), ramp);
    grid->addWidget(ramp, 3, 3);
    QComboBox* profile = b.List(this, "Universe_Profile");
    auto* picture = new ProfilePictogram(this);
    picture->setObjectName("picUniProfile");
    b.Register(Own(ControlId::UniverseProfilePicture), picture);
    AddRow(b, grid, 4, 2, "Universe_Profile", profile, {profile}, this);
    grid->addWidget(picture, 5, 3, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(7, 1);
}

StarCreationPageView::StarCreationPageView(PropsBuilder& b, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    auto* newStars = new QGroupBox(Tr(pt::kNewStarsBox), this);
    auto* newGrid = NewGrid(newStars);
    FieldEdit* freq = b.Number(newStars, "Universe_NewFreq", 6);
    FieldEdit* pct = b.Number(newStars, "Universe_NewPctStEx", 6);
    AddRow(b, newGrid, 0, 0, "Universe_NewFreq", freq, {freq}, newStars);
    AddRow(b, newGrid, 1, 0, "Universe_NewPctStEx", pct, {pct}, newStars);
    newGrid->setRowStretch(2, 1);

    auto* ambient = new QGroupBox(Tr(pt::kAmbientBox), this);
    auto* ambGrid = NewGrid(ambient);
    int row = 0;
    std::vector<std::pair<const char*, FieldEdit*>> fields;
    for (const char* key : {"Universe_AmStar", "Universe_AmPers", "Universe_AmCAge", "Universe_AmFrames",
                            "Universe_AmMaxExt"}) {
        fields.emplace_back(key, b.Number(ambient, key, 6));
    }
    for (const auto& [key, field] : fields) AddRow(b, ambGrid, row++, 0, key, field, {field}, ambient);
    QCheckBox* display = b.Check(ambient, "Universe_AmProf");
    AddCheckRow(b, ambGrid, row, 0, "Universe_AmProf", display, ambient);
    ambGrid->setRowStretch(row + 1, 1);

    layout->addWidget(newStars, 1);
    layout->addWidget(ambient, 1);
}

TourPageView::TourPageView(PropsBuilder& b, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    grid->addWidget(b.Check(this, "Universe_Tour"), 0, 0, 1, 2);
    int row = 1;
    for (const char* key : {"Universe_GSteps", "Universe_GPCtrl", "Universe_GCCtrl", "Universe_DstCen"}) {
        FieldEdit* field = b.Number(this, key, 7);
        grid->addWidget(b.Label(this, key, field), row, 0);
        grid->addWidget(field, row, 1, Qt::AlignLeft);
        ++row;
    }
    QCheckBox* visit = b.Check(this, "Universe_GVisit");
    QCheckBox* track = b.Check(this, "Universe_GTrack");
    AddCheckRow(b, grid, row++, 0, "Universe_GVisit", visit, this);
    AddCheckRow(b, grid, row++, 0, "Universe_GTrack", track, this);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
}

CompositePageView::CompositePageView(PropsBuilder& b, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    QListWidget* list = b.Lines(this, ControlId::CompositeList, "lstCompGalaxy");
    list->setItemDelegate(new NameWeightDelegate(list));
    grid->addWidget(NewLabel(Tr(pt::kCompositeList), list, this), 0, 0);
    ShowWholeRows(list, kCompositeRowsShown);
    grid->addWidget(list, 1, 0, Qt::AlignTop);

    FieldEdit* name = b.Text(this, "_CompGalName");
    FieldEdit* weight = b.Number(this, "_CompGalPct", 4);
    SpinControl* weightSpin = b.Spin(this, "_CompGalPct");
    auto* nameRow = new QWidget(this);
    auto* nameLayout = new QHBoxLayout(nameRow);
    nameLayout->setContentsMargins(0, 0, 0, 0);
    nameLayout->setSpacing(4);
    nameLayout->addWidget(name, 1);
    nameLayout->addWidget(weight);
    nameLayout->addWidget(weightSpin);
    grid->addWidget(nameRow, 2, 0);

    QPushButton* commit = b.Button(this, ControlId::CompositeCommit, pt::kCompCommit, "cmdCompCommit");
    QPushButton* preview = b.Button(this, ControlId::CompositePreview, pt::kCompPreview, "cmdCompPreview");
    preview->setMinimumWidth(preview->sizeHint().width());
    grid->addWidget(Row(this, {commit, preview}), 3, 0);

    QComboBox* major = b.Combo(this, ControlId::MajorType, "cboCompMajor");
    QListWidget* minor = b.Lines(this, ControlId::MinorTypes, "lstCompMinor");
    minor->setSelectionMode(QAbstractItemView::MultiSelection);
    grid->addWidget(NewLabel(Tr(pt::kCompMajor), major, this), 0, 1);
    grid->addWidget(major, 1, 1, Qt::AlignTop);
    grid->addWidget(NewLabel(Tr(pt::kCompMinor), minor, this), 0, 2);
    ShowWholeRows(minor, kMinorTypeRowsShown);
    grid->addWidget(minor, 1, 2, 3, 1, Qt::AlignTop);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(4, 1);  // the room left over goes below the lists
}

GravityPageView::GravityPageView(PropsBuilder& b, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    FieldEdit* force = b.Number(this, "Universe_GravForce", 7);
    FieldEdit* frames = b.Number(this, "Universe_GravFrame", 7);
    grid->addWidget(b.Label(this, "Universe_GravForce", force), 0, 0);
    grid->addWidget(force, 0, 1, Qt::AlignLeft);
    grid->addWidget(b.Label(this, "Universe_GravFrame", frames), 1, 0);
    grid->addWidget(frames, 1, 1, Qt::AlignLeft);
    auto* warning = new QLabel(Tr(pt::kGravityWarning), this);
    warning->setObjectName("lblGravityWarning");
    warning->setWordWrap(true);
    grid->addWidget(warning, 2, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
}

UniversePageView::UniversePageView(PropsBuilder& b, QWidget* parent)
    : QGroupBox(Tr(pt::kUniversePage), parent) {
    setObjectName("fraAni_0");
    auto* layout = new QVBoxLayout(this);
    QComboBox* theme = b.Combo(this, ControlId::UniverseTheme, "cboUniTheme");
    QComboBox* extras = b.Combo(this, ControlId::UniverseExtras, "cboUniExtras");
    layout->addLayout(PageHeader(theme, extras, this));

    auto* pages = new QStackedWidget(this);
    pages->setObjectName("fraUniProp");
    b.Register(Own(ControlId::UniversePages), pages);
    pages->addWidget(new UniverseCreationPageView(b, pages));
    pages->addWidget(new StarCreationPageView(b, pages));
    pages->addWidget(new TourPageView(b, pages));
    pages->addWidget(new CompositePageView(b, pages));
    pages->addWidget(new GravityPageView(b, pages));
    for (int i = 0; i < pages->count(); ++i) pages->widget(i)->setObjectName(IndexedName("fraUniProp", i));
    layout->addWidget(pages, 1);
}

// ---- galaxy sub-pages ---------------------------------------------------------------------

GalaxyCharacteristicsPageView::GalaxyCharacteristicsPageView(PropsBuilder& b, QWidget* parent)
    : QWidget(parent) {
    auto* grid = NewGrid(this);
    int row = 0;
    for (const char* key : {"Galaxy_Radius", "Galaxy_Rotation", "Galaxy_Distance"}) {
        FieldEdit* field = b.Number(this, key, 6);
        SpinControl* spin = b.Spin(this, key);
        AddRow(b, grid, row++, 0, key, field, {field, spin}, this);
    }
    QComboBox* plane = b.List(this, "Galaxy_AxisPlane");
    AddRow(b, grid, 3, 0, "Galaxy_AxisPlane", plane, {plane}, this);
    QComboBox* colour = b.List(this, "Galaxy_ColorComp");
    FieldEdit* multiplier = b.Number(this, "Galaxy_ColorMult", 6);
    SpinControl* multiplierSpin = b.Spin(this, "Galaxy_ColorMult");
    grid->addWidget(b.Label(this, "Galaxy_ColorComp", colour), 4, 0, 1, 2);
    grid->addWidget(Row(this, {colour, multiplier, multiplierSpin}), 5, 0, 1, 2);
    QComboBox* profile = b.List(this, "Galaxy_Profile");
    auto* picture = new ProfilePictogram(this);
    picture->setObjectName("picGalProfile");
    b.Register(Own(ControlId::GalaxyProfilePicture), picture);
    AddRow(b, grid, 6, 0, "Galaxy_Profile", profile, {profile, picture}, this);

    row = 0;
    for (const char* key : {"Galaxy_RadiusExp", "Galaxy_HeightExp", "Galaxy_GHW_Ratio", "Galaxy_AngleTilt",
                            "Galaxy_AngleTInc"}) {
        FieldEdit* field = b.Number(this, key, 6);
        AddRow(b, grid, row++, 2, key, field, {field}, this);
    }
    FieldEdit* hueStart = b.Number(this, "Galaxy_HueStart", 4);
    SpinControl* hueStartSpin = b.Spin(this, "Galaxy_HueStart");
    auto* hueSample = new ColourSwatch(this);
    hueSample->setObjectName("picGalHue");
    b.Register(Own(ControlId::GalaxyHueSample), hueSample);
    FieldEdit* hueInc = b.Number(this, "Galaxy_HWheelInc", 6);
    AddRow(b, grid, row++, 2, "Galaxy_HueStart", hueStart, {hueStart, hueStartSpin, hueSample, hueInc}, this);

    auto* colours = new QGroupBox(Tr(pt::kGalHueBox), this);
    auto* colourGrid = NewGrid(colours);
    const char* const hueKeys[] = {"Galaxy_HueRed", "Galaxy_HueGrn", "Galaxy_HueBlu", "Galaxy_HueBase",
                                   "Galaxy_HueBlend"};
    FieldEdit* hue[5];
    SpinControl* hueSpin[5];
    for (int i = 0; i < 5; ++i) {
        hue[i] = b.Number(colours, hueKeys[i], 3);
        hueSpin[i] = b.Spin(colours, hueKeys[i]);
    }
    const ControlId sampleIds[] = {ControlId::RedSample, ControlId::GreenSample, ControlId::BlueSample,
                                   ControlId::BaseSample};
    ColourSwatch* sample[4];
    for (int i = 0; i < 4; ++i) {
        sample[i] = new ColourSwatch(colours);
        sample[i]->setObjectName(IndexedName("picPixHue", i));
        b.Register(Own(sampleIds[i]), sample[i]);
    }
    AddRow(b, colourGrid, 0, 0, "Galaxy_HueRed", hue[0],
           {hue[0], hueSpin[0], sample[0], hue[1], hueSpin[1], sample[1], hue[2], hueSpin[2], sample[2]},
           colours);
    AddRow(b, colourGrid, 1, 0, "Galaxy_HueBase", hue[3], {hue[3], hueSpin[3], sample[3], hue[4], hueSpin[4]},
           colours);
    grid->addWidget(colours, row, 2, 2, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(8, 1);
}

NovaStarPageView::NovaStarPageView(PropsBuilder& b, QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    const struct {
        const char* box;
        const char* keys[3];
    } groups[] = {{pt::kNewStarsBox, {"Galaxy_NewFreq", "Galaxy_NewFrames", "Galaxy_NewExtMult"}},
                  {pt::kNovaBox, {"Galaxy_NovaFreq", "Galaxy_NovaFrames", "Galaxy_NovaExtMult"}}};
    int column = 0;
    for (const auto& g : groups) {
        auto* box = new QGroupBox(Tr(g.box), this);
        auto* grid = NewGrid(box);
        for (int i = 0; i < 3; ++i) {
            FieldEdit* field = b.Number(box, g.keys[i], 6);
            AddRow(b, grid, i, 0, g.keys[i], field, {field}, box);
        }
        grid->setRowStretch(3, 1);
        layout->addWidget(box, 0, column++);
    }
    auto* gravity = new QGroupBox(Tr(pt::kGalGravityBox), this);
    auto* gravityGrid = NewGrid(gravity);
    FieldEdit* mass = b.Number(gravity, "CorePointMass", 6);
    FieldEdit* local = b.Number(gravity, "LocalGravityForce", 6);
    AddRow(b, gravityGrid, 0, 0, "CorePointMass", mass, {mass}, gravity);
    AddRow(b, gravityGrid, 1, 0, "LocalGravityForce", local, {local}, gravity);
    auto* note = new QLabel(Tr(pt::kGalGravityNote), gravity);
    note->setWordWrap(true);
    gravityGrid->addWidget(note, 0, 2, 2, 1);
    gravityGrid->setColumnStretch(2, 1);
    layout->addWidget(gravity, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
}

CometPageView::CometPageView(PropsBuilder& b, QWidget* parent) : QWidget(parent) {
    auto* grid = NewGrid(this);
    int row = 0;
    for (const char* key : {"Galaxy_CometFreq", "Galaxy_CometStars", "Galaxy_CometOrbit", "Galaxy_CometSpeed",
                            "Galaxy_CometSWind"}) {
        FieldEdit* field = b.Number(this, key, 6);
        AddRow(b, grid, row++, 0, key, field, {field}, this);
    }
    FieldEdit* cometPersist = b.Number(this, "Galaxy_CometCPersist", 6);
    FieldEdit* starPersist = b.Number(this, "Galaxy_CometSPersist", 6);
    AddRow(b, grid, 0, 2, "Galaxy_CometCPersist", cometPersist, {cometPersist, starPersist}, this);
    FieldEdit* hueStart = b.Number(this, "Galaxy_HWC_Start", 4);
    SpinControl* hueStartSpin = b.Spin(this, "Galaxy_HWC_Start");
    FieldEdit* hueEnd = b.Number(this, "Galaxy_HWC_End", 4);
    SpinControl* hueEndSpin = b.Spin(this, "Galaxy_HWC_End");
    AddRow(b, grid, 1, 2, "Galaxy_HWC_Start", hueStart, {hueStart, hueStartSpin, hueEnd, hueEndSpin}, this);
    auto* ramp = new RampSample(this);
    ramp->setObjectName("picColNova");
    b.Register(Own(ControlId::CometRamp), ramp);
    grid->addWidget(ramp, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);
}

GalaxyPageView::GalaxyPageView(PropsBuilder& b, QWidget* parent) : QGroupBox(Tr(pt::kGalaxyPage), parent) {
    setObjectName("fraAni_1");
    b.Register(Own(ControlId::GalaxyFrame), this);
    auto* layout = new QVBoxLayout(this);
    QComboBox* theme = b.Combo(this, ControlId::GalaxyTheme, "cboGalaxyTheme");
    QComboBox* extras = b.Combo(this, ControlId::GalaxyExtras, "cboGalaxExtras");
    layout->addLayout(PageHeader(theme, extras, this));

    auto* pages = new QStackedWidget(this);
    pages->setObjectName("fraGalProp");
    b.Register(Own(ControlId::GalaxyPages), pages);
    pages->addWidget(new GalaxyCharacteristicsPageView(b, pages));
    pages->addWidget(new NovaStarPageView(b, pages));
    pages->addWidget(new CometPageView(b, pages));
    for (int i = 0; i < pages->count(); ++i) pages->widget(i)->setObjectName(IndexedName("fraGalProp", i));
    layout->addWidget(pages, 1);
}

// ---- the boxes beside the pages -----------------------------------------------------------

GalaxyTypesBoxView::GalaxyTypesBoxView(PropsBuilder& b, QWidget* parent)
    : QGroupBox(Tr(pt::kGalaxyTypesBox), parent) {
    setObjectName("fraGalaxyTypes");
    auto* layout = new QVBoxLayout(this);
    QListWidget* list = b.Lines(this, ControlId::GalaxyTypeList, "lstUniGalaxy");
    list->setItemDelegate(new NameWeightDelegate(list));
    ShowWholeRows(list, kGalaxyTypeRowsShown);
    layout->addWidget(NewLabel(WithMnemonic(ToQt(LabelOf("_UniGalPct")), pt::kNameListMnemonic), list, this));
    layout->addWidget(list);

    FieldEdit* name = b.Text(this, "_UniGalName");
    FieldEdit* weight = b.Number(this, "_UniGalPct", 4);
    SpinControl* weightSpin = b.Spin(this, "_UniGalPct");
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(4);
    nameRow->addWidget(name, 1);
    nameRow->addWidget(weight);
    nameRow->addWidget(weightSpin);
    layout->addLayout(nameRow);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(b.Button(this, ControlId::GalaxyCommit, pt::kGalCommit, "cmdGalCommit"));
    buttons->addWidget(b.Button(this, ControlId::GalaxyProps, pt::kGalProps, "cmdGalProps"));
    buttons->addWidget(b.Button(this, ControlId::GalaxyPreview, pt::kGalPreview, "cmdGalPreview"));
    layout->addLayout(buttons);
}

PreviewBoxView::PreviewBoxView(PropsBuilder& b, QWidget* parent) : QGroupBox(Tr(pt::kPreviewBox), parent) {
    setObjectName("fraPreview");
    auto* layout = new QVBoxLayout(this);
    auto* picture = new SurfacePicture(this);
    picture->setObjectName("picPreview");
    picture->setFixedSize(kPreviewSize);
    b.Register(Own(ControlId::PreviewPicture), picture);
    layout->addWidget(picture, 0, Qt::AlignCenter);
}

CopyBoxView::CopyBoxView(PropsBuilder& b, QWidget* parent) : QGroupBox(Tr(pt::kCopyBox), parent) {
    setObjectName("fraPropCopy");
    auto* grid = NewGrid(this);
    QComboBox* property = b.Combo(this, ControlId::CopyProperty, "cboPropCopy");
    auto* value = new FieldEdit(this);
    value->setObjectName("txtPropCopy");
    value->setFixedWidth(value->fontMetrics().horizontalAdvance(QString(7, QLatin1Char('0'))) +
                         kFieldPadding);
    b.Register(Own(ControlId::CopyValue), value);
    QPushButton* copy = b.Button(this, ControlId::CopyToAll, pt::kCopyToAll, "cmdPropCopy");
    grid->addWidget(NewLabel(Tr(pt::kCopyProps), property, this), 0, 0);
    grid->addWidget(NewLabel(Tr(pt::kCopyValue), value, this), 0, 1);
    grid->addWidget(property, 1, 0);
    grid->addWidget(value, 1, 1);
    grid->addWidget(copy, 2, 0, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(0, 1);
}

DisplayBoxView::DisplayBoxView(PropsBuilder& b, QWidget* parent) : QGroupBox(Tr(pt::kGeneralBox), parent) {
    setObjectName("fraGeneral");
    auto* grid = NewGrid(this);
    FieldEdit* pixelSize = b.Number(this, "PixelSize", 3);
    SpinControl* pixelSizeSpin = b.Spin(this, "PixelSize");
    FieldEdit* focal = b.Number(this, "FocalLength", 6);
    FieldEdit* message = b.Text(this, "LockMessage");
    const auto label = [this](std::string_view key, char mnemonic, QWidget* buddy) {
        return NewLabel(WithMnemonic(ToQt(LabelOf(key)), mnemonic), buddy, this);
    };
    grid->addWidget(label("PixelSize", pt::kPixelSizeMnemonic, pixelSize), 0, 0,
                    Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Row(this, {pixelSize, pixelSizeSpin}), 0, 1);
    grid->addWidget(label("FocalLength", pt::kFocalLengthMnemonic, focal), 1, 0,
                    Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Row(this, {focal}), 1, 1);
    grid->addWidget(label("LockMessage", pt::kLockMessageMnemonic, message), 2, 0);
    grid->addWidget(message, 2, 1);
    grid->setColumnStretch(1, 1);
}

}  // namespace astrelle
