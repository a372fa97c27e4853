// The tables that belong to the properties dialog alone: the number kind of each field's
// input check (and the few ranges where the dialog's check differs from the stored range),
// the arrow-key steps, the spinners, and the copy-to-all properties. Which setting a field shows, and its
// stored range, come from the settings definitions; these tables add only what the dialog adds.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "ui/qt/field_edit.h"

namespace astrelle {

struct SettingDef;

// Control names used in the tables.
inline constexpr const char* kTxtUni = "txtUni";
inline constexpr const char* kTxtGalaxy = "txtGalaxy";
inline constexpr const char* kTxtPixHue = "txtPixHue";

// ---- input checks -------------------------------------------------------------------------
struct FieldKindSpec {
    const char* control;
    int index;
    FieldKind kind;
    bool dialogRange;  // true: the dialog checks low..high instead of the stored range
    double low;
    double high;
};

inline constexpr FieldKind kI = FieldKind::Int16;
inline constexpr FieldKind kL = FieldKind::Int32;
inline constexpr FieldKind kF = FieldKind::Float;

inline constexpr std::array<FieldKindSpec, 61> kFieldKinds = {{
    {kTxtGalaxy, 0, kL, false, 0, 0},
    {kTxtGalaxy, 1, kL, false, 0, 0},
    {kTxtGalaxy, 2, kL, false, 0, 0},
    {kTxtGalaxy, 3, kL, false, 0, 0},
    {kTxtGalaxy, 10, kI, false, 0, 0},
    {kTxtGalaxy, 11, kI, false, 0, 0},
    {kTxtGalaxy, 12, kI, false, 0, 0},
    {kTxtGalaxy, 20, kI, false, 0, 0},
    {kTxtGalaxy, 21, kI, false, 0, 0},
    {kTxtGalaxy, 22, kI, false, 0, 0},
    {kTxtGalaxy, 40, kI, false, 0, 0},
    {kTxtGalaxy, 41, kI, false, 0, 0},
    {kTxtGalaxy, 42, kI, false, 0, 0},
    {kTxtGalaxy, 43, kI, false, 0, 0},
    {kTxtGalaxy, 44, kI, false, 0, 0},
    {kTxtGalaxy, 45, kF, false, 0, 0},
    {kTxtGalaxy, 46, kF, false, 0, 0},
    {kTxtGalaxy, 47, kI, false, 0, 0},
    {kTxtGalaxy, 48, kI, false, 0, 0},
    // The two reserved gravity values are not stored and have no stored range.
    {kTxtGalaxy, 50, kI, true, 0, 9999},
    {kTxtGalaxy, 51, kI, true, 0, 9999},
    {kTxtGalaxy, 90, kF, false, 0, 0},
    {kTxtGalaxy, 91, kF, false, 0, 0},
    {kTxtGalaxy, 92, kF, false, 0, 0},
    {kTxtGalaxy, 93, kI, false, 0, 0},
    {kTxtGalaxy, 94, kF, false, 0, 0},
    {kTxtGalaxy, 95, kI, false, 0, 0},
    {kTxtGalaxy, 96, kF, false, 0, 0},
    {kTxtPixHue, 0, kI, false, 0, 0},
    {kTxtPixHue, 1, kI, false, 0, 0},
    {kTxtPixHue, 2, kI, false, 0, 0},
    {kTxtPixHue, 3, kI, false, 0, 0},
    // The blend field accepts up to 100; the stored blend is held to 60 when it is saved.
    {kTxtPixHue, 4, kI, true, 1, 100},
    {kTxtUni, 0, kL, false, 0, 0},
    {kTxtUni, 1, kI, false, 0, 0},
    {kTxtUni, 2, kI, false, 0, 0},
    {kTxtUni, 10, kL, false, 0, 0},
    {kTxtUni, 11, kI, false, 0, 0},
    {kTxtUni, 12, kF, false, 0, 0},
    {kTxtUni, 13, kF, false, 0, 0},
    {kTxtUni, 14, kF, false, 0, 0},
    {kTxtUni, 15, kF, false, 0, 0},
    {kTxtUni, 16, kI, false, 0, 0},
    {kTxtUni, 17, kI, false, 0, 0},
    {kTxtUni, 20, kI, false, 0, 0},
    {kTxtUni, 21, kI, false, 0, 0},
    {kTxtUni, 30, kI, false, 0, 0},
    {kTxtUni, 31, kI, false, 0, 0},
    {kTxtUni, 32, kI, false, 0, 0},
    {kTxtUni, 33, kL, false, 0, 0},
    // The dialog lets the ambient star count reach 0 (the engine holds it to at least 1) and
    // the ambient extension reach 99999 (the engine holds it to 9999).
    {kTxtUni, 40, kI, true, 0, 3000},
    {kTxtUni, 41, kF, false, 0, 0},
    {kTxtUni, 42, kF, false, 0, 0},
    {kTxtUni, 43, kI, false, 0, 0},
    {kTxtUni, 44, kL, true, 1, 99999},
    {kTxtUni, 50, kL, false, 0, 0},
    {kTxtUni, 51, kI, false, 0, 0},
    {"txtPixelSize", -1, kI, false, 0, 0},
    {"txtFocalLen", -1, kF, false, 0, 0},
    {"txtUniGalPct", -1, kI, false, 0, 0},
    {"txtCompGalPct", -1, kI, false, 0, 0},
}};

const FieldKindSpec* FindFieldKind(std::string_view control, int index);

// The setting a dialog control shows (control "txtUni", index 40 -> Universe_AmStar), from
// the settings definitions; nullptr when the control shows none.
const SettingDef* FindControlSetting(std::string_view control, int index);

// Float fields take the decimal key filter, every other number field the digit filter.
inline KeyFilterKind FilterForKind(FieldKind kind) {
    return kind == FieldKind::Float ? KeyFilterKind::Decimal : KeyFilterKind::Digits;
}

// ---- arrow keys ---------------------------------------------------------------------------
struct ArrowSpec {
    const char* control;
    int index;
    ArrowStep step;
};

inline constexpr std::array<ArrowSpec, 12> kArrowSteps = {{
    {kTxtGalaxy, 0, {10, 1, 30000}},
    {kTxtGalaxy, 3, {10, 1, 30000}},
    {kTxtGalaxy, 1, {10, 0, 30000}},
    {kTxtGalaxy, 2, {10, 0, 30000}},
    {kTxtGalaxy, 47, {1, 0, 999}},
    {kTxtGalaxy, 48, {1, 0, 999}},
    {kTxtGalaxy, 95, {5, 0, 359}},
    {kTxtUni, 0, {10, 10, 30000}},
    {kTxtUni, 1, {1, 1, 999}},
    // The trail field steps up to 9999 although leaving it holds the value to 999.
    {kTxtUni, 2, {10, 0, 9999}},
    {kTxtUni, 16, {1, 0, 999}},
    {kTxtUni, 17, {1, 0, 999}},
}};

std::optional<ArrowStep> FindArrowStep(std::string_view control, int index);

// ---- spinners -----------------------------------------------------------------------------
struct SpinnerSpec {
    const char* spinner;
    int spinnerIndex;  // -1 for a single spinner
    const char* field;
    int fieldIndex;  // -1 for a single field
    int low;
    int high;
    int step;
};

inline constexpr std::array<SpinnerSpec, 20> kSpinners = {{
    {"spnGalaxy", 0, kTxtGalaxy, 0, 1, 30000, 10},
    {"spnGalaxy", 1, kTxtGalaxy, 1, 0, 30000, 10},
    {"spnGalaxy", 2, kTxtGalaxy, 2, 0, 30000, 10},
    {"spnGalaxy", 3, kTxtGalaxy, 3, 1, 30000, 10},
    {"spnGalaxy", 4, kTxtGalaxy, 47, 0, 999, 1},
    {"spnGalaxy", 5, kTxtGalaxy, 48, 0, 999, 1},
    {"spnGalHue", -1, kTxtGalaxy, 95, 0, 359, 5},
    {"spnUni", 0, kTxtUni, 0, 10, 30000, 10},
    {"spnUni", 1, kTxtUni, 1, 1, 999, 1},
    {"spnUni", 2, kTxtUni, 2, 1, 999, 1},
    {"spnUni", 3, kTxtUni, 16, 0, 999, 1},
    {"spnUni", 4, kTxtUni, 17, 0, 999, 1},
    {"spnUniGalPct", -1, "txtUniGalPct", -1, 0, 999, 1},
    {"spnCompGalPct", -1, "txtCompGalPct", -1, 0, 999, 1},
    {"spnPixHue", 0, kTxtPixHue, 0, 0, 100, 1},
    {"spnPixHue", 1, kTxtPixHue, 1, 0, 100, 1},
    {"spnPixHue", 2, kTxtPixHue, 2, 0, 100, 1},
    {"spnPixHue", 3, kTxtPixHue, 3, 0, 100, 1},
    {"spnPixHue", 4, kTxtPixHue, 4, 1, 60, 1},
    {"spnPixSize", -1, "txtPixelSize", -1, 1, 9, 1},
}};

const SpinnerSpec& FindSpinner(std::string_view spinner, int index);

// ---- copy to all --------------------------------------------------------------------------
struct CopySpec {
    const char* entry;  // text of the cboPropCopy entry
    const char* key;    // galaxy type setting that receives the value
    FieldKind kind;     // check of txtPropCopy while this entry is chosen
    double low;
    double high;
    KeyFilterKind filter;
};

inline constexpr KeyFilterKind kDig = KeyFilterKind::Digits;
inline constexpr KeyFilterKind kDec = KeyFilterKind::Decimal;

inline constexpr std::array<CopySpec, 34> kCopyProperties = {{
    {"Hue:  Red", "Galaxy_HueRed", kI, 0, 100, kDig},
    {"Hue:  Green", "Galaxy_HueGrn", kI, 0, 100, kDig},
    {"Hue:  Blue", "Galaxy_HueBlu", kI, 0, 100, kDig},
    {"Hue:  Base", "Galaxy_HueBase", kI, 0, 100, kDig},
    {"Hue:  Blend", "Galaxy_HueBlend", kI, 1, 60, kDig},
    {"Radius", "Galaxy_Radius", kL, 1, 30000, kDig},
    {"Rotation Speed", "Galaxy_Rotation", kL, 0, 30000, kDig},
    {"Core Distance", "Galaxy_Distance", kL, 0, 30000, kDig},
    {"Axial Plane of Rotation", "Galaxy_AxisPlane", kI, 0, 1, kDig},
    {"Shape Profile", "Galaxy_Profile", kI, 0, 6, kDig},
    {"Height/Width Ratio", "Galaxy_GHW_Ratio", kF, 0, 99.9, kDec},
    {"Radius Exponent", "Galaxy_RadiusExp", kF, 0, 99.9, kDec},
    {"Height Exponent", "Galaxy_HeightExp", kF, 0, 99.9, kDec},
    {"Angular Tilt", "Galaxy_AngleTilt", kI, 0, 359, kDec},
    {"Angular Tilt Inc.", "Galaxy_AngleTInc", kF, 0, 360, kDec},
    {"Color Computation Index", "Galaxy_ColorComp", kI, 0, 4, kDig},
    {"Color Multiplier", "Galaxy_ColorMult", kL, 1, 30000, kDig},
    {"Hue Wheel Start Index", "Galaxy_HueStart", kI, 0, 359, kDig},
    {"Hue Wheel Increment", "Galaxy_HWheelInc", kF, 0, 360, kDec},
    {"New Star Frequency", "Galaxy_NewFreq", kI, 0, 9999, kDig},
    {"New Star Frames", "Galaxy_NewFrames", kI, 1, 999, kDig},
    {"New Star Ext. Mult.", "Galaxy_NewExtMult", kI, 1, 9999, kDig},
    {"Nova Star Frequency", "Galaxy_NovaFreq", kI, 0, 9999, kDig},
    {"Nova Star Frames", "Galaxy_NovaFrames", kI, 1, 999, kDig},
    {"Nova Star Ext. Mult", "Galaxy_NovaExtMult", kI, 1, 9999, kDig},
    {"Comet Frequency", "Galaxy_CometFreq", kI, 0, 9999, kDig},
    {"Comet Stars", "Galaxy_CometStars", kI, 1, 999, kDig},
    {"Comet Orbital Speed", "Galaxy_CometOrbit", kI, 0, 9999, kDig},
    {"Comet Emit Speed", "Galaxy_CometSpeed", kI, 1, 9999, kDig},
    {"Comet Solar Wind", "Galaxy_CometSWind", kI, 0, 9999, kDig},
    {"Comet Persistence", "Galaxy_CometCPersist", kF, 0.1, 0.9999, kDec},
    {"Comet Star Persist.", "Galaxy_CometSPersist", kF, 0.1, 0.9999, kDec},
    {"Hue Wheel Start Value", "Galaxy_HWC_Start", kI, 0, 999, kDig},
    {"Hue Wheel End Value", "Galaxy_HWC_End", kI, 0, 999, kDig},
}};

}  // namespace astrelle
