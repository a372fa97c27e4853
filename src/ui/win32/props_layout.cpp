// Where the properties dialog's controls sit, in dialog units, in tab order: the galaxy
// types box, the preview, the copy and display boxes along the top; the universe page (five
// sub-pages) or the galaxy page (three sub-pages) below; Accept and Cancel at the bottom.
// Fields are named by their setting's key, their labels come from the settings.
#include <string_view>

#include "ui/logic/props_dialog.h"
#include "ui/logic/props_text.h"
#include "ui/win32/layout_builder.h"
#include "ui/win32/props_view.h"

namespace astrelle::win32 {

namespace {

namespace pt = props_text;

// Page sets of the dialog window.
constexpr int kMain = 0;
constexpr int kUniverse = 1;
constexpr int kGalaxy = 2;
constexpr PageRef kAllPages{};
constexpr PageRef kUniversePage{kMain, 0};
constexpr PageRef kGalaxyPage{kMain, 1};
constexpr PageRef UniverseSub(int index) {
    return PageRef{kUniverse, index};
}
constexpr PageRef GalaxySub(int index) {
    return PageRef{kGalaxy, index};
}

constexpr int kClientWidth = 560;
constexpr int kClientHeight = 326;

// Rows of fields: a field is 12 units high, its label 8 and two lower; rows 14 apart.
constexpr int kFieldHeight = 12;
constexpr int kLabelHeight = 8;
constexpr int kLabelDrop = 2;
constexpr int kRow = 14;
constexpr int kButtonHeight = 14;
constexpr int kSubPageTop = 172;
// The main pages' frame, and the line of the theme and extras lists at its top.
constexpr int kMainTop = 142;
constexpr int kMainHeight = 162;
constexpr int kThemeY = 154;
constexpr int kButtonsY = 308;

// A label and its field on one line.
void Line(LayoutBuilder& b, std::string_view key, int labelX, int labelWidth, int fieldX, int fieldWidth,
          int y) {
    b.LabelledField(key, DluRect{labelX, y + kLabelDrop, labelWidth, kLabelHeight},
                    DluRect{fieldX, y, fieldWidth, kFieldHeight});
}

void Field(LayoutBuilder& b, std::string_view key, int x, int width, int y) {
    b.Field(key, DluRect{x, y, width, kFieldHeight});
}

void Label(LayoutBuilder& b, std::string_view key, int x, int width, int y) {
    b.Label(key, DluRect{x, y + kLabelDrop, width, kLabelHeight});
}

void TopBoxes(LayoutBuilder& b) {
    b.OnPages(kAllPages);
    // Galaxy types.
    b.Decoration(ItemKind::Group, pt::kGalaxyTypesBox, {4, 2, 152, 136});
    b.OwnLabel(ControlId::GalaxyTypeList, WithMnemonic(LabelOf("_UniGalName"), pt::kNameListMnemonic),
               {10, 13, 140, kLabelHeight});
    b.Own(ControlId::GalaxyTypeList, ItemKind::List, "", {10, 23, 140, 77}, kOwnerDrawList);
    Field(b, "_UniGalName", 10, 98, 102);
    Field(b, "_UniGalPct", 110, 28, 102);
    b.Own(ControlId::GalaxyCommit, ItemKind::Button, pt::kGalCommit, {10, 118, 40, kButtonHeight});
    b.Own(ControlId::GalaxyProps, ItemKind::Button, pt::kGalProps, {52, 118, 36, kButtonHeight});
    b.Own(ControlId::GalaxyPreview, ItemKind::Button, pt::kGalPreview, {90, 118, 60, kButtonHeight});

    // The preview picture, about 4 : 3.
    b.Decoration(ItemKind::Group, pt::kPreviewBox, {160, 2, 150, 136});
    b.Own(ControlId::PreviewPicture, ItemKind::Picture, "", {166, 14, 138, 118}, kFramed);

    // Copy to all.
    b.Decoration(ItemKind::Group, pt::kCopyBox, {314, 2, 242, 54});
    b.OwnLabel(ControlId::CopyProperty, pt::kCopyProps, {320, 13, 150, kLabelHeight});
    b.Own(ControlId::CopyProperty, ItemKind::DropList, "", {320, 23, 150, kFieldHeight});
    b.OwnLabel(ControlId::CopyValue, pt::kCopyValue, {476, 13, 74, kLabelHeight});
    b.Own(ControlId::CopyValue, ItemKind::Edit, "", {476, 23, 74, kFieldHeight});
    b.Own(ControlId::CopyToAll, ItemKind::Button, pt::kCopyToAll, {490, 38, 60, kButtonHeight});

    // Display.
    b.Decoration(ItemKind::Group, pt::kGeneralBox, {314, 58, 242, 80});
    b.Label("PixelSize", {320, 72 + kLabelDrop, 110, kLabelHeight},
            WithMnemonic(LabelOf("PixelSize"), pt::kPixelSizeMnemonic));
    Field(b, "PixelSize", 432, 30, 72);
    b.Label("FocalLength", {320, 90 + kLabelDrop, 110, kLabelHeight},
            WithMnemonic(LabelOf("FocalLength"), pt::kFocalLengthMnemonic));
    Field(b, "FocalLength", 432, 50, 90);
    b.Label("LockMessage", {320, 108 + kLabelDrop, 110, kLabelHeight},
            WithMnemonic(LabelOf("LockMessage"), pt::kLockMessageMnemonic));
    Field(b, "LockMessage", 432, 118, 108);
}

void PageHeads(LayoutBuilder& b) {
    b.OnPages(kUniversePage);
    b.Decoration(ItemKind::Group, pt::kUniversePage, {4, kMainTop, 552, kMainHeight});
    b.OnPages(kGalaxyPage);
    b.Own(ControlId::GalaxyFrame, ItemKind::Group, pt::kGalaxyPage, {4, kMainTop, 552, kMainHeight});
    // One label for the theme and extras lists of both pages; its access key reaches the
    // list of the page shown.
    b.OnPages(kAllPages);
    b.Decoration(ItemKind::Label, pt::kTheme, {10, kThemeY + kLabelDrop, 30, kLabelHeight});
    b.OnPages(kUniversePage);
    b.Own(ControlId::UniverseTheme, ItemKind::DropList, "", {42, kThemeY, 240, kFieldHeight});
    b.OnPages(kGalaxyPage);
    b.Own(ControlId::GalaxyTheme, ItemKind::DropList, "", {42, kThemeY, 240, kFieldHeight});
    b.OnPages(kAllPages);
    b.Decoration(ItemKind::Label, pt::kExtras, {292, kThemeY + kLabelDrop, 30, kLabelHeight});
    b.OnPages(kUniversePage);
    b.Own(ControlId::UniverseExtras, ItemKind::DropList, "", {324, kThemeY, 226, kFieldHeight});
    b.OnPages(kGalaxyPage);
    b.Own(ControlId::GalaxyExtras, ItemKind::DropList, "", {324, kThemeY, 226, kFieldHeight});
}

void UniverseCreation(LayoutBuilder& b) {
    b.OnPages(kUniversePage, UniverseSub(0));
    int y = kSubPageTop;
    for (const std::string_view key : {"Universe_Stars", "Universe_Galaxy", "Universe_STrail",
                                       "Universe_Expand", "Universe_ESteps", "Universe_Persist"}) {
        Line(b, key, 12, 126, 140, 40, y);
        y += kRow;
    }
    constexpr int kLabelX = 290;
    constexpr int kLabelWidth = 142;
    constexpr int kFieldX = 434;
    y = kSubPageTop;
    Label(b, "Universe_Symetry", kLabelX, kLabelWidth, y);
    Field(b, "Universe_Symetry", kFieldX, 34, y);
    Field(b, "Universe_Damping", kFieldX + 38, 34, y);
    y += kRow;
    Line(b, "Universe_HWRatio", kLabelX, kLabelWidth, kFieldX, 34, y);
    y += kRow;
    Label(b, "Universe_HW_Start", kLabelX, kLabelWidth, y);
    Field(b, "Universe_HW_Start", kFieldX, 28, y);
    Field(b, "Universe_HW_End", kFieldX + 42, 28, y);
    y += kRow;
    b.Own(ControlId::UniverseRamp, ItemKind::Picture, "", {kFieldX, y + 1, 116, 9}, kFramed);
    y += kRow;
    Label(b, "Universe_Profile", kLabelX, kLabelWidth, y);
    Field(b, "Universe_Profile", kFieldX, 80, y);
    y += kRow + 2;
    b.Own(ControlId::UniverseProfilePicture, ItemKind::Picture, "", {kFieldX, y, 52, 28}, kFramed);
}

void StarCreation(LayoutBuilder& b) {
    b.OnPages(kUniversePage, UniverseSub(1));
    b.Decoration(ItemKind::Group, pt::kNewStarsBox, {10, kSubPageTop - 4, 262, 128});
    int y = kSubPageTop + 10;
    for (const std::string_view key : {"Universe_NewFreq", "Universe_NewPctStEx"}) {
        Line(b, key, 16, 150, 170, 40, y);
        y += kRow;
    }
    b.Decoration(ItemKind::Group, pt::kAmbientBox, {278, kSubPageTop - 4, 272, 128});
    y = kSubPageTop + 10;
    for (const std::string_view key : {"Universe_AmStar", "Universe_AmPers", "Universe_AmCAge",
                                       "Universe_AmFrames", "Universe_AmMaxExt"}) {
        Line(b, key, 284, 120, 406, 44, y);
        y += kRow;
    }
    Field(b, "Universe_AmProf", 284, 132, y + 1);
}

void Tour(LayoutBuilder& b) {
    b.OnPages(kUniversePage, UniverseSub(2));
    int y = kSubPageTop;
    Field(b, "Universe_Tour", 12, 160, y);
    y += kRow + 2;
    for (const std::string_view key :
         {"Universe_GSteps", "Universe_GPCtrl", "Universe_GCCtrl", "Universe_DstCen"}) {
        Line(b, key, 12, 160, 174, 46, y);
        y += kRow;
    }
    Field(b, "Universe_GVisit", 12, 172, y + 1);
    Field(b, "Universe_GTrack", 12, 172, y + 1 + kRow);
}

void Composites(LayoutBuilder& b) {
    b.OnPages(kUniversePage, UniverseSub(3));
    b.OwnLabel(ControlId::CompositeList, pt::kCompositeList, {12, kSubPageTop - 2, 180, kLabelHeight});
    b.Own(ControlId::CompositeList, ItemKind::List, "", {12, kSubPageTop + 8, 190, 86}, kOwnerDrawList);
    Field(b, "_CompGalName", 12, 150, kSubPageTop + 96);
    Field(b, "_CompGalPct", 164, 28, kSubPageTop + 96);
    b.Own(ControlId::CompositeCommit, ItemKind::Button, pt::kCompCommit,
          {12, kSubPageTop + 112, 44, kButtonHeight});
    b.Own(ControlId::CompositePreview, ItemKind::Button, pt::kCompPreview,
          {58, kSubPageTop + 112, 60, kButtonHeight});
    b.OwnLabel(ControlId::MajorType, pt::kCompMajor, {210, kSubPageTop - 2, 130, kLabelHeight});
    b.Own(ControlId::MajorType, ItemKind::DropList, "", {210, kSubPageTop + 8, 130, kFieldHeight});
    b.OwnLabel(ControlId::MinorTypes, pt::kCompMinor, {348, kSubPageTop - 2, 200, kLabelHeight});
    b.Own(ControlId::MinorTypes, ItemKind::MultiList, "", {348, kSubPageTop + 8, 202, 118});
}

void Gravity(LayoutBuilder& b) {
    b.OnPages(kUniversePage, UniverseSub(4));
    int y = kSubPageTop + 2;
    for (const std::string_view key : {"Universe_GravForce", "Universe_GravFrame"}) {
        Line(b, key, 12, 160, 174, 50, y);
        y += kRow;
    }
    b.Decoration(ItemKind::Label, pt::kGravityWarning, {12, y + 6, 536, 26}, kMultiLine | kNoPrefix);
}

void GalaxyCharacteristics(LayoutBuilder& b) {
    b.OnPages(kGalaxyPage, GalaxySub(0));
    int y = kSubPageTop;
    for (const std::string_view key : {"Galaxy_Radius", "Galaxy_Rotation", "Galaxy_Distance"}) {
        Line(b, key, 12, 128, 142, 40, y);
        y += kRow;
    }
    Line(b, "Galaxy_AxisPlane", 12, 128, 142, 50, y);
    y += kRow;
    Label(b, "Galaxy_ColorComp", 12, 240, y);
    y += kRow - 2;
    Field(b, "Galaxy_ColorComp", 12, 128, y);
    Field(b, "Galaxy_ColorMult", 142, 40, y);
    y += kRow + 4;
    Line(b, "Galaxy_Profile", 12, 128, 142, 70, y);
    b.Own(ControlId::GalaxyProfilePicture, ItemKind::Picture, "", {218, y - 8, 52, 28}, kFramed);

    constexpr int kLabelX = 282;
    constexpr int kLabelWidth = 156;
    constexpr int kFieldX = 440;
    y = kSubPageTop;
    for (const std::string_view key : {"Galaxy_RadiusExp", "Galaxy_HeightExp", "Galaxy_GHW_Ratio",
                                       "Galaxy_AngleTilt", "Galaxy_AngleTInc"}) {
        Line(b, key, kLabelX, kLabelWidth, kFieldX, 36, y);
        y += kRow - 1;
    }
    Label(b, "Galaxy_HueStart", kLabelX, kLabelWidth, y);
    Field(b, "Galaxy_HueStart", kFieldX, 26, y);
    b.Own(ControlId::GalaxyHueSample, ItemKind::Picture, "", {kFieldX + 38, y, 12, kFieldHeight}, kFramed);
    Field(b, "Galaxy_HWheelInc", kFieldX + 52, 36, y);

    // Star colours: each field with its spinner and its sample.
    y += kRow;
    b.Decoration(ItemKind::Group, pt::kGalHueBox, {kLabelX - 6, y - 2, 274, 44});
    y += 10;
    constexpr int kColourLabelWidth = 112;
    constexpr int kColourX = kLabelX + kColourLabelWidth + 2;
    constexpr int kColourStep = 52;
    Label(b, "Galaxy_HueRed", kLabelX, kColourLabelWidth, y);
    const ControlId samples[] = {ControlId::RedSample, ControlId::GreenSample, ControlId::BlueSample};
    const std::string_view colours[] = {"Galaxy_HueRed", "Galaxy_HueGrn", "Galaxy_HueBlu"};
    for (int i = 0; i < 3; ++i) {
        const int x = kColourX + i * kColourStep;
        Field(b, colours[i], x, 24, y);
        b.Own(samples[i], ItemKind::Picture, "", {x + 36, y, 12, kFieldHeight}, kFramed);
    }
    y += kRow;
    Label(b, "Galaxy_HueBase", kLabelX, kColourLabelWidth, y);
    Field(b, "Galaxy_HueBase", kColourX, 24, y);
    b.Own(ControlId::BaseSample, ItemKind::Picture, "", {kColourX + 36, y, 12, kFieldHeight}, kFramed);
    Field(b, "Galaxy_HueBlend", kColourX + kColourStep, 24, y);
}

void NovaStars(LayoutBuilder& b) {
    b.OnPages(kGalaxyPage, GalaxySub(1));
    b.Decoration(ItemKind::Group, pt::kNewStarsBox, {10, kSubPageTop - 4, 268, 60});
    int y = kSubPageTop + 8;
    for (const std::string_view key : {"Galaxy_NewFreq", "Galaxy_NewFrames", "Galaxy_NewExtMult"}) {
        Line(b, key, 16, 166, 186, 40, y);
        y += kRow;
    }
    b.Decoration(ItemKind::Group, pt::kNovaBox, {10, kSubPageTop + 60, 268, 60});
    y = kSubPageTop + 72;
    for (const std::string_view key : {"Galaxy_NovaFreq", "Galaxy_NovaFrames", "Galaxy_NovaExtMult"}) {
        Line(b, key, 16, 166, 186, 40, y);
        y += kRow;
    }
    b.Decoration(ItemKind::Group, pt::kGalGravityBox, {284, kSubPageTop - 4, 266, 124});
    y = kSubPageTop + 8;
    for (const std::string_view key : {"CorePointMass", "LocalGravityForce"}) {
        Line(b, key, 290, 120, 412, 40, y);
        y += kRow;
    }
    b.Decoration(ItemKind::Label, pt::kGalGravityNote, {290, y + 6, 254, 40}, kMultiLine | kNoPrefix);
}

void Comets(LayoutBuilder& b) {
    b.OnPages(kGalaxyPage, GalaxySub(2));
    int y = kSubPageTop;
    for (const std::string_view key : {"Galaxy_CometFreq", "Galaxy_CometStars", "Galaxy_CometOrbit",
                                       "Galaxy_CometSpeed", "Galaxy_CometSWind"}) {
        Line(b, key, 12, 150, 164, 40, y);
        y += kRow;
    }
    Label(b, "Galaxy_CometCPersist", 12, 150, y);
    Field(b, "Galaxy_CometCPersist", 164, 40, y);
    Field(b, "Galaxy_CometSPersist", 208, 40, y);
    y += kRow;
    Label(b, "Galaxy_HWC_Start", 12, 150, y);
    Field(b, "Galaxy_HWC_Start", 164, 28, y);
    Field(b, "Galaxy_HWC_End", 208, 28, y);
    b.Own(ControlId::CometRamp, ItemKind::Picture, "", {164, y + kRow + 1, 116, 9}, kFramed);
}

}  // namespace

DluRect PropsClientSize() {
    return DluRect{0, 0, kClientWidth, kClientHeight};
}

std::vector<ViewItem> PropsLayout() {
    LayoutBuilder b([](std::string_view key) { return PropsDialog::FieldRowOf(key); });
    TopBoxes(b);
    PageHeads(b);
    UniverseCreation(b);
    StarCreation(b);
    Tour(b);
    Composites(b);
    Gravity(b);
    GalaxyCharacteristics(b);
    NovaStars(b);
    Comets(b);
    b.OnPages(kAllPages);
    b.Own(ControlId::AcceptButton, ItemKind::Button, pt::kAccept, {394, kButtonsY, 100, kButtonHeight},
          kDefaultButton);
    b.Own(ControlId::DismissButton, ItemKind::Button, pt::kDismiss, {498, kButtonsY, 58, kButtonHeight},
          kCancelButton);
    return b.Take();
}

std::vector<MenuEntryDef> PropsMenu() {
    auto entry = [](const char* text, MenuEntry which) {
        return MenuEntryDef(text, kFirstMenuId + static_cast<int>(which));
    };
    const MenuEntryDef separator("", 0);
    return {
        MenuEntryDef(pt::kMenuFile, 0, true),
        entry(pt::kMenuOpenTemplate, MenuEntry::OpenTemplate),
        separator,
        entry(pt::kMenuSaveTemplate, MenuEntry::SaveTemplate),
        entry(pt::kMenuSaveTemplateAs, MenuEntry::SaveTemplateAs),
        separator,
        entry(pt::kMenuExit, MenuEntry::Exit),
        MenuEntryDef(pt::kMenuEdit, 0, true),
        entry(pt::kMenuReset, MenuEntry::Reset),
        separator,
        entry(pt::kMenuAdvanced, MenuEntry::Advanced),
        MenuEntryDef(pt::kMenuHelp, 0, true),
        entry(pt::kMenuContents, MenuEntry::HelpContents),
        entry(pt::kMenuSearch, MenuEntry::HelpSearch),
        separator,
        entry(pt::kMenuWebPage, MenuEntry::WebPage),
        separator,
        entry(pt::kMenuAbout, MenuEntry::About),
    };
}

}  // namespace astrelle::win32
