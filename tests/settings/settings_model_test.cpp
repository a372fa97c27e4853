// Tests of the setting definitions (consistency of the one table) and of the range steps
// of galaxy type and composite rows. The used-when-missing names and the stored text form
// of the fields are checked through the registry and template tests that use them.
#include "settings/settings_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "settings/value_utils.h"

namespace astrelle {
namespace {

constexpr SettingGroup kAllGroups[] = {SettingGroup::General, SettingGroup::Advanced, SettingGroup::Universe,
                                       SettingGroup::GalaxyRow, SettingGroup::CompositeRow};

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

const SettingDef& Def(std::string_view key) {
    const SettingDef* def = FindSetting(key);
    EXPECT_NE(def, nullptr) << key;
    return *def;
}

TEST(SettingDefs, KeysAreUniqueWithoutRegardToCaseAndFindable) {
    std::set<std::string> seen;
    for (SettingGroup group : kAllGroups) {
        for (const SettingDef& def : SettingsOf(group)) {
            EXPECT_EQ(def.group, group) << def.key;
            if (!def.IsStored()) continue;
            EXPECT_TRUE(seen.insert(Upper(def.key)).second) << def.key;
            const std::string lower = [&] {
                std::string s(def.key);
                for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                return s;
            }();
            const std::string probe = def.isMemberList ? lower + "7" : lower;
            EXPECT_EQ(FindSetting(probe), &def) << probe;
            EXPECT_EQ(FindSetting(KeyFor(def, KeyStyle::Template, 7)), &def) << def.key;
        }
    }
    EXPECT_EQ(FindSetting(""), nullptr);
    EXPECT_EQ(FindSetting("CompGal_Type"), nullptr);
    EXPECT_EQ(FindSetting("CompGal_Type1x"), nullptr);
    EXPECT_EQ(FindSetting("Universe_Star"), nullptr);
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

TEST(SettingDefs, GalaxyFieldsPointAtTheirRecordFieldsOfTheRightType) {
    for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
        const int pointers =
            (def.galaxyInt16 != nullptr) + (def.galaxyFloat != nullptr) + (def.galaxyText != nullptr);
        EXPECT_EQ(pointers, 1) << def.key;
        EXPECT_EQ(def.galaxyInt16 != nullptr, def.type == ValueType::Int16) << def.key;
        EXPECT_EQ(def.galaxyFloat != nullptr, def.type == ValueType::Float) << def.key;
    }
    // Spot checks that a key really reaches its own field.
    GalaxyTypeRecord record;
    *FloatField(record, Def("Galaxy_ColorMult")) = 1234;
    *Int16Field(record, Def("Galaxy_HWC_End")) = 77;
    *FloatField(record, Def("Galaxy_CometSPersist")) = 0.5f;
    *TextField(record, Def("_UniGalName")) = "x";
    EXPECT_EQ(record.ColorMult, 1234);
    EXPECT_EQ(record.HWCEnd, 77);
    EXPECT_EQ(record.CometSPersist, 0.5f);
    EXPECT_EQ(record.CometCPersist, 0.0f);
    EXPECT_EQ(record.Name, "x");
    EXPECT_EQ(FloatField(record, Def("Galaxy_Profile")), nullptr);
}

TEST(SettingDefs, StoreOrderIsTheOrderOfStoredFiles) {
    const std::vector<std::string> expected = {
        "_UniGalPct",         "_UniGalName",       "Galaxy_HueRed",        "Galaxy_HueGrn",
        "Galaxy_HueBlu",      "Galaxy_HueBase",    "Galaxy_HueBlend",      "Galaxy_Radius",
        "Galaxy_Rotation",    "Galaxy_Distance",   "Galaxy_ColorMult",     "Galaxy_NewFreq",
        "Galaxy_NewFrames",   "Galaxy_NewExtMult", "Galaxy_NovaFreq",      "Galaxy_NovaFrames",
        "Galaxy_NovaExtMult", "Galaxy_CometFreq",  "Galaxy_CometStars",    "Galaxy_CometOrbit",
        "Galaxy_CometSpeed",  "Galaxy_CometSWind", "Galaxy_CometSPersist", "Galaxy_CometCPersist",
        "Galaxy_HWC_Start",   "Galaxy_HWC_end",    "Galaxy_RadiusExp",     "Galaxy_HeightExp",
        "Galaxy_GHW_Ratio",   "Galaxy_AngleTilt",  "Galaxy_AngleTInc",     "Galaxy_HWheelInc",
        "Galaxy_AxisPlane",   "Galaxy_ColorComp",  "Galaxy_HueStart",      "Galaxy_Profile"};
    const auto order = GalaxyStoreOrder();
    ASSERT_EQ(order.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_NE(order[i], nullptr) << i;
        EXPECT_EQ(KeyFor(*order[i], KeyStyle::Template), expected[i]);
    }
    EXPECT_EQ(KeyFor(*order[25], KeyStyle::Registry), "Galaxy_HWC_End");

    const auto composite = CompositeStoreOrder();
    ASSERT_EQ(composite.size(), 4u);
    EXPECT_EQ(KeyFor(*composite[0], KeyStyle::Registry), "_CompGalPct");
    EXPECT_EQ(KeyFor(*composite[1], KeyStyle::Registry), "_CompGalName");
    EXPECT_EQ(KeyFor(*composite[2], KeyStyle::Registry), "CompGal_Count");
    EXPECT_EQ(KeyFor(*composite[2], KeyStyle::Template), "_CompGalCount");
    EXPECT_EQ(KeyFor(*composite[3], KeyStyle::Registry, 0), "CompGal_Type0");
    EXPECT_EQ(KeyFor(*composite[3], KeyStyle::Template, 31), "GalaxyIndex_31");
}

TEST(SettingDefs, EveryFactoryColumnFillsOneFieldOfTheMatchingWidth) {
    const std::set<int> int16Columns = {3, 10, 12, 13, 14, 15, 18, 21, 27, 28, 31, 32, 33, 34, 35};
    std::set<const SettingDef*> fields;
    for (int c = 0; c < 36; ++c) {
        const SettingDef* def = GalaxyFactoryColumn(c);
        ASSERT_NE(def, nullptr) << c;
        EXPECT_EQ(def->factoryColumn, c);
        EXPECT_EQ(def->type, int16Columns.count(c) ? ValueType::Int16 : ValueType::Float) << c;
        fields.insert(def);
    }
    EXPECT_EQ(fields.size(), 36u);
    EXPECT_EQ(GalaxyFactoryColumn(-1), nullptr);
    EXPECT_EQ(GalaxyFactoryColumn(36), nullptr);
    EXPECT_EQ(GalaxyFactoryColumn(29)->key, "");  // CorePointMass: never stored
}

TEST(HoldToRange, RoundsWhereTheSettingSaysSo) {
    EXPECT_EQ(HoldInt16(Def("Universe_Stars"), 5), 10);
    EXPECT_EQ(HoldInt16(Def("PixelSize"), 0), 1);
    EXPECT_EQ(HoldInt32(Def("Adv_TimeDelay"), 5000), 999);
    EXPECT_EQ(HoldFloat(Def("Universe_NewPctStEx"), 70.5f), 70.0f);
    EXPECT_EQ(HoldFloat(Def("Universe_NewPctStEx"), 71.5f), 72.0f);
    EXPECT_EQ(HoldFloat(Def("Universe_AmMaxExt"), 15000.0f), 9999.0f);
    EXPECT_EQ(HoldFloat(Def("Universe_Persist"), 0.1f), 0.25f);
    EXPECT_EQ(HoldFloat(Def("FocalLength"), 0.005f), 0.01f);
    EXPECT_EQ(HoldInt16(Def("Universe_Tour"), -1), -1);  // flags have no range
}

class ClampGalaxyTypeTest : public ::testing::Test {
  protected:
    GalaxyTypeTable table_{};
    GalaxyTypeRecord& Row(int i) { return table_[static_cast<size_t>(i)]; }
};

TEST_F(ClampGalaxyTypeTest, HoldsStoredValuesAsTheRowsExpect) {
    GalaxyTypeRecord& r = Row(5);
    r.HueBlend = 0;
    r.ColorComp = 7;
    r.Radius = 30000.5f;
    r.Rotation = 2.5f;
    r.Distance = 3.5f;
    r.NovaFreq = 40000;
    r.CometOrbit = 0.5f;  // held as a float, not rounded
    r.AngleTInc = 359.85f;
    r.CometCPersist = 1.0f;
    r.Weight = 1000;
    r.Name = "  odd name  ";
    r.CompositeFlag = -1;
    r.CorePointMass = -5;
    ClampGalaxyType(table_, 5);
    EXPECT_EQ(r.HueBlend, 1);
    EXPECT_EQ(r.ColorComp, 4);
    EXPECT_EQ(r.Radius, 30000.0f);
    EXPECT_EQ(r.Rotation, 2.0f);
    EXPECT_EQ(r.Distance, 4.0f);
    EXPECT_EQ(r.NovaFreq, 9999.0f);
    EXPECT_EQ(r.CometOrbit, 0.5f);
    EXPECT_EQ(r.AngleTInc, 359.85f);
    EXPECT_EQ(r.CometCPersist, 0.9999f);
    EXPECT_EQ(r.Weight, 999);
    EXPECT_EQ(r.Name, "  odd name  ");
    EXPECT_EQ(r.CompositeFlag, -1);
    EXPECT_EQ(r.CorePointMass, -5.0f);
    // Zeroed rows come out at the lower bounds; other rows are not touched.
    EXPECT_EQ(Row(4).HueBlend, 0);
    ClampGalaxyType(table_, 4);
    EXPECT_EQ(Row(4).HueBlend, 1);
    EXPECT_EQ(Row(4).Radius, 1.0f);
    EXPECT_EQ(Row(4).CometCPersist, 0.1f);
    ClampGalaxyType(table_, -1);  // rows outside the table are ignored
    ClampGalaxyType(table_, kGalaxyTableRows);
    EXPECT_EQ(Row(3).HueBlend, 0);
}

// Whatever a row held before (NaN, infinities, huge or negative values), every field with a
// range ends inside it, and the rounded floats end as whole numbers.
TEST_F(ClampGalaxyTypeTest, EveryFieldEndsInsideItsRange) {
    std::mt19937 gen(99);
    const float specials[] = {std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              3e9f,
                              -3e9f,
                              2.5f,
                              0.5f,
                              -0.0f};
    for (int round = 0; round < 500; ++round) {
        GalaxyTypeRecord& r = Row(round % kGalaxyTypeCount);
        for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
            if (int16_t* v = Int16Field(r, def)) *v = static_cast<int16_t>(gen());
            if (float* v = FloatField(r, def)) {
                *v = round % 3 == 0 ? specials[gen() % std::size(specials)]
                                    : std::uniform_real_distribution<float>(-50000.0f, 50000.0f)(gen);
            }
        }
        ClampGalaxyType(table_, round % kGalaxyTypeCount);
        for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
            if (!def.hasRange) continue;
            double value = 0;
            if (const int16_t* v = Int16Field(r, def)) value = *v;
            if (const float* v = FloatField(r, def)) value = *v;
            ASSERT_FALSE(std::isnan(value)) << def.key;
            ASSERT_GE(value, static_cast<float>(def.low)) << def.key;
            ASSERT_LE(value, static_cast<float>(def.high)) << def.key;
            if (def.roundBeforeClamp) {
                ASSERT_EQ(value, std::nearbyint(value)) << def.key;
            }
        }
    }
}

TEST(ClampCompositeType, HoldsCountAndTheMembersInUseOnly) {
    CompositeTable table{};
    CompositeRecord& r = table[3];
    r.Weight = -4;
    r.Count = 40;
    r.Members.fill(-3);
    r.Members[1] = 50;
    ClampCompositeType(table, 3);
    EXPECT_EQ(r.Weight, 0);
    EXPECT_EQ(r.Count, 31);
    EXPECT_EQ(r.Members[0], 0);
    EXPECT_EQ(r.Members[1], 31);
    EXPECT_EQ(r.Members[30], 0);
    EXPECT_EQ(r.Members[31], -3);  // beyond Count: left as it was

    CompositeRecord& s = table[4];
    s.Weight = 1000;
    s.Count = 2;
    s.Members = {};
    s.Members[0] = 40;
    s.Members[2] = 40;
    ClampCompositeType(table, 4);
    EXPECT_EQ(s.Weight, 999);
    EXPECT_EQ(s.Members[0], 31);
    EXPECT_EQ(s.Members[2], 40);

    CompositeRecord& t = table[5];
    t.Count = -7;
    t.Members[0] = 99;
    ClampCompositeType(table, 5);
    EXPECT_EQ(t.Count, 0);
    EXPECT_EQ(t.Members[0], 99);

    ClampCompositeType(table, 16);  // outside the table: nothing happens
    ClampCompositeType(table, -1);
}

}  // namespace
}  // namespace astrelle
