// The galaxy page and its sub-pages: galaxy characteristics with the star colours, new and
// nova stars, and comets.

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

}  // namespace astrelle
