// Tests of the built-in factory tables: shape and consistency of the rows, the names and
// weights of the type list, and what the loaders do and leave alone.
#include "settings/factory_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "settings/value_utils.h"

namespace astrelle {
namespace {

int FieldCount(const std::string& row) {
    int n = 0;
    while (!FieldAt(row, n).empty()) ++n;
    return n;
}

TEST(FactoryTables, GalaxyTypesKeepFixedWidthNamesWeightsAndThirtySixNumbers) {
    int total = 0;
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        EXPECT_EQ(GalaxyTypeName(i).size(), static_cast<size_t>(kGalaxyTypeNameWidth)) << i;
        EXPECT_NE(GalaxyTypeName(i)[0], ' ') << i;
        total += GalaxyTypeWeight(i);
        const std::string row = GalaxyFactoryRow(i + 1);
        EXPECT_EQ(row.back(), ',') << i;
        EXPECT_EQ(FieldCount(row), kGalaxyFactoryColumns) << i;
        for (int c = 0; c < kGalaxyFactoryColumns; ++c) EXPECT_TRUE(IsNumericText(FieldAt(row, c))) << i;
        EXPECT_EQ(FieldAt(row, 29) + FieldAt(row, 30), "00") << i;  // the reserved gravity columns
    }
    EXPECT_EQ(total, 206);
    EXPECT_EQ(GalaxyTypeName(8), "Cylindrical Hourglass ");
    EXPECT_EQ(GalaxyTypeName(31), "Elongated Bottle      ");
    EXPECT_EQ(GalaxyTypeWeight(7), 5);
    // Indexes outside the tables give empty text.
    EXPECT_EQ(GalaxyTypeName(-1) + GalaxyTypeName(32), "");
    EXPECT_EQ(GalaxyTypeWeight(32), 0);
    for (int k : {-1, 0, 33}) EXPECT_EQ(GalaxyFactoryRow(k), "") << k;
    for (int k : {0, 9}) EXPECT_EQ(UniverseThemeRow(k) + UniverseThemeName(k), "") << k;
    for (int k : {0, 17}) EXPECT_EQ(CompositeFactoryRow(k), "") << k;
}

TEST(FactoryTables, ThemeRowsFillEveryUniverseSettingOnce) {
    std::set<std::string_view> keys;
    for (int c = 0; c < kUniverseThemeColumns; ++c) {
        ASSERT_NE(UniverseThemeSetting(c), nullptr) << c;
        keys.insert(UniverseThemeKey(c));
    }
    EXPECT_EQ(keys.size(), SettingsOf(SettingGroup::Universe).size());
    EXPECT_EQ(UniverseThemeKey(0), "Universe_Stars");
    EXPECT_EQ(UniverseThemeKey(11), "Universe_Profile");
    EXPECT_EQ(UniverseThemeKey(28), "Universe_GravFrame");
    EXPECT_EQ(UniverseThemeKey(29), "");
    EXPECT_EQ(UniverseThemeKey(-1), "");
    for (int k = 1; k <= kUniverseThemeCount; ++k) {
        const std::string row = UniverseThemeRow(k);
        EXPECT_EQ(FieldCount(row), kUniverseThemeColumns) << k;
        for (int c = 0; c < kUniverseThemeColumns; ++c) EXPECT_TRUE(IsNumericText(FieldAt(row, c))) << k;
        EXPECT_FALSE(UniverseThemeName(k).empty());
    }
    EXPECT_EQ(UniverseThemeName(1), "Classical (14.3 Billion Years Ago...)");
    EXPECT_EQ(UniverseThemeName(2), "Stylized:  Neon / Warp Speed");
    EXPECT_EQ(FieldAt(UniverseThemeRow(8), 27), "125000");  // gravity on
    EXPECT_EQ(FieldAt(UniverseThemeRow(1), 7), "0.015");
}

// The rows hold name, weight, count and exactly that many members (nothing after the
// last); loading sets the members in use and keeps the rest.
TEST(FactoryTables, CompositeRowsLoadNameWeightCountAndMembers) {
    for (int k = 1; k <= kCompositeCount; ++k) {
        const std::string row = CompositeFactoryRow(k);
        EXPECT_EQ(FieldCount(row), ParseInt16Or(FieldAt(row, 2), -1) + 3) << k;
    }
    CompositeTable table{};
    for (CompositeRecord& r : table) r.Members.fill(99);
    LoadFactoryComposites(table);
    int total = 0;
    for (const CompositeRecord& r : table) {
        ASSERT_GE(r.Count, 1) << r.Name;
        for (int j = 0; j < r.Count; ++j) {
            EXPECT_GE(r.Members[static_cast<size_t>(j)], 0) << r.Name;
            EXPECT_LT(r.Members[static_cast<size_t>(j)], kGalaxyTypeCount) << r.Name;
        }
        for (int j = r.Count; j < kCompositeMembers; ++j) EXPECT_EQ(r.Members[static_cast<size_t>(j)], 99);
        total += r.Weight;
    }
    EXPECT_EQ(total, 170);
    EXPECT_EQ(table[5].Name + "|" + table[6].Name, "Disks: YZ Axis Major|Disks:  XZ Axis Major");
    EXPECT_EQ(table[13].Name, "Sphere Rings / Shells");
    const std::array<int16_t, 8> r13 = {17, 7, 12, 27, 28, 29, 30, 99};
    EXPECT_TRUE(std::equal(r13.begin(), r13.end(), table[13].Members.begin()));
}

TEST(FactoryTables, GalaxyTypesLoadInsideTheirRangesAndLeaveEngineFieldsAlone) {
    GalaxyTypeTable table{};
    for (GalaxyTypeRecord& r : table) {
        r.CompositeFlag = -1;
        r.CorePointMass = 5;
    }
    LoadFactoryGalaxyTypes(table);
    // Stored text forms (for floats equal text means the same float); the tilt increments
    // close to 360 included.
    const struct {
        int row;
        const char* key;
        const char* text;
    } cases[] = {{0, "_UniGalName", "Standard Galaxy       "},
                 {0, "_UniGalPct", "20"},
                 {0, "Galaxy_CometCPersist", "0.9975"},
                 {13, "Galaxy_HWheelInc", "0.0002"},
                 {16, "Galaxy_AxisPlane", "1"},
                 {17, "Galaxy_HueBlu", "35"},
                 {31, "Galaxy_GHW_Ratio", "12"},
                 {6, "Galaxy_AngleTInc", "359.85"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FieldText(table[static_cast<size_t>(c.row)], *FindSetting(c.key)), c.text)
            << c.row << c.key;
    }
    EXPECT_EQ(table[0].CorePointMass, 0.0f);
    EXPECT_EQ(table[0].CompositeFlag, -1);  // engine-owned: not touched
    EXPECT_EQ(table[32].Name, "");          // the composite slots belong to the engine
    EXPECT_EQ(table[32].CorePointMass, 5.0f);
    // Every factory value lies inside its range, so the range step changes nothing.
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        GalaxyTypeTable clamped = table;
        ClampGalaxyType(clamped, i);
        for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
            EXPECT_EQ(FieldText(clamped[static_cast<size_t>(i)], def),
                      FieldText(table[static_cast<size_t>(i)], def))
                << i << " " << def.key;
        }
    }

    GalaxyTypeTable one{};  // one row leaves the others alone
    LoadFactoryGalaxyType(one, 5);
    EXPECT_EQ(one[5].Name, "Solar Wind Comets     ");
    EXPECT_EQ(one[4].Name, "");
    EXPECT_EQ(one[6].Radius, 0.0f);
    LoadFactoryGalaxyType(one, 32);  // composite slot: not a galaxy type
    LoadFactoryGalaxyType(one, -1);
    EXPECT_EQ(one[32].Name, "");
}

}  // namespace
}  // namespace astrelle
