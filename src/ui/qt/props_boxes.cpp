// The boxes beside the pages of the properties dialog: the galaxy types, the preview
// picture, copy to all and the display values.

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
#include "ui/qt/surface_picture.h"

namespace astrelle {

namespace pt = props_text;
using namespace props_layout;

// The preview picture: the size the animation's previews were composed for.
constexpr QSize kPreviewSize(272, 204);

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
    FitDigits(value, 7);
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
