// The copy-to-all properties and the copy itself.
#include "ui/logic/copy_box.h"

#include "settings/rounding.h"
#include "ui/logic/props_text.h"

namespace astrelle {

namespace {

constexpr NumberKind kI = NumberKind::Int16;
constexpr NumberKind kL = NumberKind::Int32;
constexpr NumberKind kF = NumberKind::Float;
constexpr KeyFilter kDig = KeyFilter::Digits;
constexpr KeyFilter kDec = KeyFilter::Decimal;

constexpr CopyProperty kProperties[] = {
    {"Hue:  Red", "Galaxy_HueRed", {kI, 0, 100}, kDig},
    {"Hue:  Green", "Galaxy_HueGrn", {kI, 0, 100}, kDig},
    {"Hue:  Blue", "Galaxy_HueBlu", {kI, 0, 100}, kDig},
    {"Hue:  Base", "Galaxy_HueBase", {kI, 0, 100}, kDig},
    {"Hue:  Blend", "Galaxy_HueBlend", {kI, 1, 60}, kDig},
    {"Radius", "Galaxy_Radius", {kL, 1, 30000}, kDig},
    {"Rotation Speed", "Galaxy_Rotation", {kL, 0, 30000}, kDig},
    {"Core Distance", "Galaxy_Distance", {kL, 0, 30000}, kDig},
    {"Axial Plane of Rotation", "Galaxy_AxisPlane", {kI, 0, 1}, kDig},
    {"Shape Profile", "Galaxy_Profile", {kI, 0, 6}, kDig},
    {"Height/Width Ratio", "Galaxy_GHW_Ratio", {kF, 0, 99.9}, kDec},
    {"Radius Exponent", "Galaxy_RadiusExp", {kF, 0, 99.9}, kDec},
    {"Height Exponent", "Galaxy_HeightExp", {kF, 0, 99.9}, kDec},
    {"Angular Tilt", "Galaxy_AngleTilt", {kI, 0, 359}, kDec},
    {"Angular Tilt Inc.", "Galaxy_AngleTInc", {kF, 0, 360}, kDec},
    {"Color Computation Index", "Galaxy_ColorComp", {kI, 0, 4}, kDig},
    {"Color Multiplier", "Galaxy_ColorMult", {kL, 1, 30000}, kDig},
    {"Hue Wheel Start Index", "Galaxy_HueStart", {kI, 0, 359}, kDig},
    {"Hue Wheel Increment", "Galaxy_HWheelInc", {kF, 0, 360}, kDec},
    {"New Star Frequency", "Galaxy_NewFreq", {kI, 0, 9999}, kDig},
    {"New Star Frames", "Galaxy_NewFrames", {kI, 1, 999}, kDig},
    {"New Star Ext. Mult.", "Galaxy_NewExtMult", {kI, 1, 9999}, kDig},
    {"Nova Star Frequency", "Galaxy_NovaFreq", {kI, 0, 9999}, kDig},
    {"Nova Star Frames", "Galaxy_NovaFrames", {kI, 1, 999}, kDig},
    {"Nova Star Ext. Mult", "Galaxy_NovaExtMult", {kI, 1, 9999}, kDig},
    {"Comet Frequency", "Galaxy_CometFreq", {kI, 0, 9999}, kDig},
    {"Comet Stars", "Galaxy_CometStars", {kI, 1, 999}, kDig},
    {"Comet Orbital Speed", "Galaxy_CometOrbit", {kI, 0, 9999}, kDig},
    {"Comet Emit Speed", "Galaxy_CometSpeed", {kI, 1, 9999}, kDig},
    {"Comet Solar Wind", "Galaxy_CometSWind", {kI, 0, 9999}, kDig},
    {"Comet Persistence", "Galaxy_CometCPersist", {kF, 0.1, 0.9999}, kDec},
    {"Comet Star Persist.", "Galaxy_CometSPersist", {kF, 0.1, 0.9999}, kDec},
    {"Hue Wheel Start Value", "Galaxy_HWC_Start", {kI, 0, 999}, kDig},
    {"Hue Wheel End Value", "Galaxy_HWC_End", {kI, 0, 999}, kDig},
};

const Control kList = Own(ControlId::CopyProperty);
const Control kValue = Own(ControlId::CopyValue);

}  // namespace

CopyBox::CopyBox(PropsView& view, GalaxyTypeTable& types) : PropsPage(view), types_(types) {}

std::span<const CopyProperty> CopyBox::Properties() {
    return kProperties;
}

void CopyBox::FillProperties() {
    std::vector<std::string> entries;
    for (const CopyProperty& property : kProperties) entries.emplace_back(property.entry);
    view_.FillList(kList, entries);
    view_.Select(kList, -1);
}

const CopyProperty* CopyBox::Chosen() const {
    const int entry = view_.Selected(kList);
    if (entry < 0 || entry >= static_cast<int>(std::size(kProperties))) return nullptr;
    return &kProperties[entry];
}

FieldRule CopyBox::ValueRule() const {
    FieldRule rule;
    rule.filter = KeyFilter::Digits;
    if (const CopyProperty* property = Chosen()) {
        rule.check = property->check;
        rule.filter = property->filter;
    }
    return rule;
}

std::optional<std::string_view> CopyBox::CopyToAll() {
    const CopyProperty* property = Chosen();
    if (property == nullptr) {
        view_.ShowMessage(props_text::kSelectProperty);
        view_.Focus(kList);
        return std::nullopt;
    }
    const std::string text = view_.Text(kValue);
    if (TrimBlanks(text).empty()) {
        view_.ShowMessage(props_text::kEnterPropertyValue);
        view_.Focus(kValue);
        return std::nullopt;
    }
    const SettingDef* def = FindSetting(property->key);
    if (def == nullptr) return std::nullopt;
    const double value = LeadingNumber(text);
    for (int row = 0; row < kGalaxyTypeCount; ++row) {
        GalaxyTypeRecord& record = types_[static_cast<size_t>(row)];
        if (int16_t* field = Int16Field(record, *def)) {
            *field = RoundToInt16Saturated(value);
        } else if (float* number = FloatField(record, *def)) {
            *number = static_cast<float>(value);
        }
    }
    return property->key;
}

}  // namespace astrelle
