// The galaxy sub-pages' field tables, their samples, and the copies between a galaxy type's
// row and the fields.
#include "ui/logic/galaxy_pages.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/colour.h"
#include "settings/factory_tables.h"
#include "settings/rounding.h"

namespace astrelle {

namespace {

constexpr FieldKind kI = FieldKind::Int16;
constexpr FieldKind kL = FieldKind::Int32;
constexpr FieldKind kF = FieldKind::Float;

constexpr int kPercent = 100;
constexpr double kLevelsPerPercent = 2.55;  // a percentage as a colour level 0..255

// clang-format off
constexpr FieldRow kCharacteristics[] = {
    NumberRow("Galaxy_Radius", kL).Arrows(10).Spinner(10),
    NumberRow("Galaxy_Rotation", kL).Arrows(10).Spinner(10),
    NumberRow("Galaxy_Distance", kL).Arrows(10).Spinner(10),
    ListRow("Galaxy_AxisPlane"),
    ListRow("Galaxy_ColorComp"),
    NumberRow("Galaxy_ColorMult", kL).Arrows(10).Spinner(10),
    ListRow("Galaxy_Profile"),
    NumberRow("Galaxy_RadiusExp", kF),
    NumberRow("Galaxy_HeightExp", kF),
    NumberRow("Galaxy_GHW_Ratio", kF),
    NumberRow("Galaxy_AngleTilt", kI),
    NumberRow("Galaxy_AngleTInc", kF),
    NumberRow("Galaxy_HueStart", kI).Arrows(5).Spinner(5),
    NumberRow("Galaxy_HWheelInc", kF),
    NumberRow("Galaxy_HueRed", kI).Spinner(1),
    NumberRow("Galaxy_HueGrn", kI).Spinner(1),
    NumberRow("Galaxy_HueBlu", kI).Spinner(1),
    NumberRow("Galaxy_HueBase", kI).Spinner(1),
    // The blend field takes up to 100; the stored blend is held to 60 when it is saved.
    NumberRow("Galaxy_HueBlend", kI).Range(1, 100).Spinner(1),
};

constexpr FieldRow kNovaStars[] = {
    NumberRow("Galaxy_NewFreq", kI),
    NumberRow("Galaxy_NewFrames", kI),
    NumberRow("Galaxy_NewExtMult", kI),
    NumberRow("Galaxy_NovaFreq", kI),
    NumberRow("Galaxy_NovaFrames", kI),
    NumberRow("Galaxy_NovaExtMult", kI),
    // The reserved gravity values are not stored and have no stored range.
    NumberRow("CorePointMass", kI).Range(0, 9999),
    NumberRow("LocalGravityForce", kI).Range(0, 9999),
};

constexpr FieldRow kComets[] = {
    NumberRow("Galaxy_CometFreq", kI),
    NumberRow("Galaxy_CometStars", kI),
    NumberRow("Galaxy_CometOrbit", kI),
    NumberRow("Galaxy_CometSpeed", kI),
    NumberRow("Galaxy_CometSWind", kI),
    NumberRow("Galaxy_CometCPersist", kF),
    NumberRow("Galaxy_CometSPersist", kF),
    NumberRow("Galaxy_HWC_Start", kI).Arrows(1).Spinner(1),
    NumberRow("Galaxy_HWC_End", kI).Arrows(1).Spinner(1),
};
// clang-format on

// The colour samples of the star colour fields: red, green, blue and the grey of the base.
struct ColourSample {
    std::string_view key;
    ControlId sample;
    bool red, green, blue;
};
constexpr ColourSample kColourSamples[] = {
    {"Galaxy_HueRed", ControlId::RedSample, true, false, false},
    {"Galaxy_HueGrn", ControlId::GreenSample, false, true, false},
    {"Galaxy_HueBlu", ControlId::BlueSample, false, false, true},
    {"Galaxy_HueBase", ControlId::BaseSample, true, true, true},
};

bool IsList(const FieldRow& row) {
    return row.kind == FieldKind::List;
}

}  // namespace

std::span<const FieldRow> GalaxyCharacteristicsPage::Rows() {
    return kCharacteristics;
}

void GalaxyCharacteristicsPage::OnChanged(std::string_view key) {
    for (const ColourSample& sample : kColourSamples) {
        if (sample.key != key) continue;
        const double number = RoundHalfEven(LeadingNumber("0" + view_.Text(Field(key))));
        const double percent = std::isnan(number) ? 0 : std::clamp<double>(number, 0, kPercent);
        const int level = static_cast<int>(RoundHalfEven(percent * kLevelsPerPercent));
        view_.SetColour(Own(sample.sample), PackColour(sample.red ? level : 0, sample.green ? level : 0,
                                                       sample.blue ? level : 0));
        return;
    }
    if (key == "Galaxy_HueStart") {
        view_.SetColour(Own(ControlId::GalaxyHueSample), HueColor(HueOfText(view_.Text(Field(key)))));
    } else if (key == "Galaxy_Profile") {
        view_.SetProfile(Own(ControlId::GalaxyProfilePicture), view_.Selected(Field(key)));
    }
}

std::span<const FieldRow> NovaStarPage::Rows() {
    return kNovaStars;
}

std::span<const FieldRow> CometPage::Rows() {
    return kComets;
}

void CometPage::OnChanged(std::string_view key) {
    if (key == "Galaxy_HWC_Start" || key == "Galaxy_HWC_End") {
        ShowHueRamp(view_, Own(ControlId::CometRamp), "Galaxy_HWC_Start", "Galaxy_HWC_End");
    }
}

std::array<std::span<const FieldRow>, 3> GalaxyPageRows() {
    return {kCharacteristics, kNovaStars, kComets};
}

void ShowGalaxyValue(PropsView& view, const FieldRow& row, std::string_view text) {
    if (!IsList(row)) {
        view.SetText(Field(row.key), text);
        return;
    }
    const SettingDef* def = DefinitionOf(row.key);
    const int16_t index = RoundToInt16Saturated(LeadingNumber(text));
    view.Select(Field(row.key), def ? HoldInt16(*def, index) : index);
}

void ShowGalaxyType(PropsView& view, const GalaxyTypeRecord& record) {
    for (const std::span<const FieldRow> rows : GalaxyPageRows()) {
        for (const FieldRow& row : rows) {
            if (const SettingDef* def = DefinitionOf(row.key))
                ShowGalaxyValue(view, row, FieldText(record, *def));
        }
    }
}

void ReadGalaxyType(const PropsView& view, GalaxyTypeRecord& record) {
    for (const std::span<const FieldRow> rows : GalaxyPageRows()) {
        for (const FieldRow& row : rows) {
            const SettingDef* def = DefinitionOf(row.key);
            if (def == nullptr) continue;
            const double value =
                IsList(row) ? view.Selected(Field(row.key)) : LeadingNumber(view.Text(Field(row.key)));
            if (int16_t* field = Int16Field(record, *def)) {
                *field = RoundToInt16Saturated(value);
            } else if (float* number = FloatField(record, *def)) {
                *number = static_cast<float>(value);
            }
        }
    }
}

void ShowFactoryGalaxyRow(PropsView& view, int k) {
    const std::string factoryRow = GalaxyFactoryRow(k);
    for (int column = 0; column < kGalaxyFactoryColumns; ++column) {
        const SettingDef* def = GalaxyFactoryColumn(column);
        if (def == nullptr) continue;
        for (const std::span<const FieldRow> rows : GalaxyPageRows()) {
            for (const FieldRow& row : rows) {
                if (DefinitionOf(row.key) == def) ShowGalaxyValue(view, row, FieldAt(factoryRow, column));
            }
        }
    }
}

}  // namespace astrelle
