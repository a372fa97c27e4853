// The universe sub-pages' field tables and the pictures and controls that follow them.
#include "ui/logic/universe_pages.h"

#include <array>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "settings/rounding.h"

namespace astrelle {

namespace {

constexpr FieldKind kI = FieldKind::Int16;
constexpr FieldKind kL = FieldKind::Int32;
constexpr FieldKind kF = FieldKind::Float;

// clang-format off
constexpr FieldRow kCreation[] = {
    NumberRow("Universe_Stars", kL).Arrows(10).Spinner(10),
    NumberRow("Universe_Galaxy", kI).Arrows(1).Spinner(1),
    // The trail steps up to 9999 with the arrows although leaving the field holds it to 999.
    NumberRow("Universe_STrail", kI).Arrows(10, 0, 9999).Spinner(1),
    NumberRow("Universe_Expand", kL),
    NumberRow("Universe_ESteps", kI),
    NumberRow("Universe_Persist", kF),
    NumberRow("Universe_Symetry", kF),
    NumberRow("Universe_Damping", kF),
    NumberRow("Universe_HWRatio", kF),
    NumberRow("Universe_HW_Start", kI).Arrows(1).Spinner(1),
    NumberRow("Universe_HW_End", kI).Arrows(1).Spinner(1),
    ListRow("Universe_Profile"),
};

constexpr FieldRow kStarCreation[] = {
    NumberRow("Universe_NewFreq", kI),
    NumberRow("Universe_NewPctStEx", kI),
    // The dialog lets the ambient star count reach 0 (the engine holds it to at least 1)
    // and the ambient extension 99999 (the engine holds it to 9999).
    NumberRow("Universe_AmStar", kI).Range(0, 3000),
    NumberRow("Universe_AmPers", kF),
    NumberRow("Universe_AmCAge", kF),
    NumberRow("Universe_AmFrames", kI),
    NumberRow("Universe_AmMaxExt", kL).Range(1, 99999),
    CheckRow("Universe_AmProf"),
};

constexpr std::string_view kTourKey = "Universe_Tour";
constexpr FieldRow kTour[] = {
    CheckRow(kTourKey),
    NumberRow("Universe_GSteps", kI),
    NumberRow("Universe_GPCtrl", kI),
    NumberRow("Universe_GCCtrl", kI),
    NumberRow("Universe_DstCen", kL),
    CheckRow("Universe_GVisit"),
    CheckRow("Universe_GTrack"),
};

constexpr FieldRow kGravity[] = {
    NumberRow("Universe_GravForce", kL),
    NumberRow("Universe_GravFrame", kI),
};

constexpr FieldRow kDisplay[] = {
    NumberRow("PixelSize", kI).Spinner(1),
    NumberRow("FocalLength", kF),
    TextRow("LockMessage"),
};
// clang-format on

}  // namespace

int16_t HueOfText(std::string_view text) {
    return RoundToInt16Saturated(LeadingNumber("0" + std::string(text)));
}

void ShowHueRamp(PropsView& view, const Control& sample, std::string_view startKey, std::string_view endKey) {
    std::array<uint32_t, kRampSize> ramp{};
    BuildHueRamp(ramp.data(), HueOfText(view.Text(Field(startKey))), HueOfText(view.Text(Field(endKey))));
    view.SetRamp(sample, ramp);
}

std::span<const FieldRow> UniverseCreationPage::Rows() {
    return kCreation;
}

void UniverseCreationPage::OnChanged(std::string_view key) {
    if (key == "Universe_HW_Start" || key == "Universe_HW_End") {
        ShowHueRamp(view_, Own(ControlId::UniverseRamp), "Universe_HW_Start", "Universe_HW_End");
    } else if (key == "Universe_Profile") {
        view_.SetProfile(Own(ControlId::UniverseProfilePicture), view_.Selected(Field(key)));
    }
}

std::span<const FieldRow> StarCreationPage::Rows() {
    return kStarCreation;
}

std::span<const FieldRow> TourPage::Rows() {
    return kTour;
}

void TourPage::OnChanged(std::string_view key) {
    if (key != kTourKey) return;
    const bool touring = view_.Checked(Field(kTourKey));
    for (const FieldRow& row : kTour) {
        if (row.key != kTourKey) view_.Enable(Field(row.key), touring);
    }
}

std::span<const FieldRow> GravityPage::Rows() {
    return kGravity;
}

std::span<const FieldRow> DisplayBox::Rows() {
    return kDisplay;
}

}  // namespace astrelle
