// Tests of the setting definitions (consistency of the one table) and of the range steps
// of galaxy type and composite rows. The used-when-missing names, the stored text form of
// the fields and the composite key order are checked through the registry and template
// tests that use them.
#include "settings/settings_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "settings/value_utils.h"

namespace astrelle {
namespace {

constexpr SettingGroup kAllGroups[] = {SettingGroup::General, SettingGroup::Advanced, SettingGroup::Universe,
                                       SettingGroup::GalaxyRow, SettingGroup::CompositeRow};

const SettingDef& Def(std::string_view key) {
    const SettingDef* def = FindSetting(key);
    EXPECT_NE(def, nullptr) << key;
    return *def;
}

TEST(SettingDefs, UsedWhenMissingValuesAreNumericAndInsideTheirRanges) {
    for (SettingGroup group : kAllGroups) {
        for (const SettingDef& def : SettingsOf(group)) {
            if (def.type == ValueType::Text) continue;
            ASSERT_TRUE(IsNumericText(def.missingText)) << def.key;
            if (!def.hasRange) continue;
            const double v = LeadingNumber(def.missingText);
            if (def.key == "Universe_AmMaxExt") {
                EXPECT_GT(v, def.high);  // deliberately above; the engine holds it to 9999
                continue;
            }
            EXPECT_GE(v, def.low) << def.key;
            EXPECT_LE(v, def.high) << def.key;
        }
    }
}

// The order of stored files; the template spells one key with a small "e".
TEST(SettingDefs, StoreOrderIsTheOrderOfStoredFiles) {
    std::string keys;
    for (const SettingDef* def : GalaxyStoreOrder()) keys += KeyFor(*def, KeyStyle::Template) + " ";
    EXPECT_EQ(
        keys,
        "_UniGalPct _UniGalName Galaxy_HueRed Galaxy_HueGrn Galaxy_HueBlu Galaxy_HueBase Galaxy_HueBlend "
        "Galaxy_Radius Galaxy_Rotation Galaxy_Distance Galaxy_ColorMult Galaxy_NewFreq Galaxy_NewFrames "
        "Galaxy_NewExtMult Galaxy_NovaFreq Galaxy_NovaFrames Galaxy_NovaExtMult Galaxy_CometFreq "
        "Galaxy_CometStars Galaxy_CometOrbit Galaxy_CometSpeed Galaxy_CometSWind Galaxy_CometSPersist "
        "Galaxy_CometCPersist Galaxy_HWC_Start Galaxy_HWC_end Galaxy_RadiusExp Galaxy_HeightExp "
        "Galaxy_GHW_Ratio Galaxy_AngleTilt Galaxy_AngleTInc Galaxy_HWheelInc Galaxy_AxisPlane "
        "Galaxy_ColorComp Galaxy_HueStart Galaxy_Profile ");
    EXPECT_EQ(KeyFor(*GalaxyStoreOrder()[25], KeyStyle::Registry), "Galaxy_HWC_End");
}

// The dialog's labels show the ranges ("Stars (10 - 30000):"), the first of them where a
// label has two; five labels show other ranges than the settings hold to.
TEST(SettingDefs, RangesAreTheOnesTheLabelsShow) {
    const std::set<std::string_view> differ = {"Galaxy_HueBlend", "Galaxy_ColorComp", "Galaxy_HWheelInc",
                                               "Universe_AmStar", "Universe_AmMaxExt"};
    int checked = 0;
    for (SettingGroup group : kAllGroups) {
        for (const SettingDef& def : SettingsOf(group)) {
            const size_t open = def.label.find('(');
            if (!def.hasRange || open == std::string_view::npos || differ.count(def.key) != 0) continue;
            const std::string range(def.label.substr(open + 1));
            EXPECT_EQ(LeadingNumber(range), def.low) << def.key;
            EXPECT_EQ(LeadingNumber(range.substr(range.find(" - ") + 3)), def.high) << def.key;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 53);
}

TEST(HoldToRange, RoundsWhereTheSettingSaysSo) {
    EXPECT_EQ(HoldInt16(Def("Universe_Stars"), 5), 10);
    EXPECT_EQ(HoldInt16(Def("PixelSize"), 0), 1);
    EXPECT_EQ(HoldInt16(Def("Universe_Tour"), -1), -1);  // flags have no range
    EXPECT_EQ(HoldInt32(Def("Adv_TimeDelay"), 5000), 999);
    const std::tuple<const char*, float, float> floats[] = {
        // clang-format off
        {"Universe_NewPctStEx", 70.5f, 70.0f},   {"Universe_NewPctStEx", 71.5f, 72.0f},
        {"Universe_AmMaxExt", 15000.0f, 9999.0f}, {"Universe_Persist", 0.1f, 0.25f},
        {"FocalLength", 0.005f, 0.01f},
        // clang-format on
    };
    for (auto [key, in, out] : floats) EXPECT_EQ(HoldFloat(Def(key), in), out) << key << " " << in;
}

// Rounded fields round halves to even before the clamp; CometOrbit is held as a float;
// the name and the engine-owned fields are not touched.
TEST(ClampGalaxyType, HoldsStoredValuesAsTheRowsExpect) {
    GalaxyTypeTable table{};
    const struct {
        const char* key;
        float in;
        const char* out;
    } cases[] = {
        // clang-format off
        {"Galaxy_HueBlend", 0, "1"}, {"Galaxy_ColorComp", 7, "4"}, {"Galaxy_Radius", 30000.5f, "30000"},
        {"Galaxy_Rotation", 2.5f, "2"}, {"Galaxy_Distance", 3.5f, "4"}, {"Galaxy_NovaFreq", 40000, "9999"},
        {"Galaxy_CometOrbit", 0.5f, "0.5"}, {"Galaxy_AngleTInc", 359.85f, "359.85"},
        {"Galaxy_CometCPersist", 1, "0.9999"}, {"_UniGalPct", 1000, "999"},
        // clang-format on
    };
    GalaxyTypeRecord& r = table[5];
    for (const auto& c : cases) {
        if (int16_t* v = Int16Field(r, Def(c.key))) *v = static_cast<int16_t>(c.in);
        if (float* v = FloatField(r, Def(c.key))) *v = c.in;
    }
    r.Name = "  odd name  ";
    r.CompositeFlag = -1;
    r.CorePointMass = -5;
    ClampGalaxyType(table, 5);
    for (const auto& c : cases) EXPECT_EQ(FieldText(r, Def(c.key)), c.out) << c.key;
    EXPECT_EQ(r.Name, "  odd name  ");
    EXPECT_EQ(r.CompositeFlag, -1);
    EXPECT_EQ(r.CorePointMass, -5.0f);
    // Zeroed rows come out at the lower bounds; other rows are not touched.
    ClampGalaxyType(table, 4);
    EXPECT_EQ(table[4].HueBlend, 1);
    EXPECT_EQ(table[4].Radius, 1.0f);
    EXPECT_EQ(table[4].CometCPersist, 0.1f);
    ClampGalaxyType(table, -1);  // rows outside the table are ignored
    ClampGalaxyType(table, kGalaxyTableRows);
    EXPECT_EQ(table[3].HueBlend, 0);
}

}  // namespace
}  // namespace astrelle
