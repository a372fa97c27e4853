// The universe page and its sub-pages: creation, new and ambient stars, the tour, the
// composites and gravity.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <utility>
#include <vector>

#include "ui/logic/field_rows.h"
#include "ui/logic/props_text.h"
#include "ui/qt/colour_samples.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/props_pages.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/spin_control.h"

namespace astrelle {

namespace pt = props_text;
using namespace props_layout;

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

}  // namespace astrelle
