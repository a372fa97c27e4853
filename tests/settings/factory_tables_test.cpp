// Tests of the built-in factory tables: shape and consistency of the rows, the names and
// weights of the type list, and what the loaders do and leave alone.
#include "settings/factory_tables.h"

#include <gtest/gtest.h>

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

TEST(GalaxyTypeList, NamesKeepTheirFixedWidthAndWeightsAddUp) {
    EXPECT_EQ(GalaxyTypeName(0), "Standard Galaxy       ");
    EXPECT_EQ(GalaxyTypeName(31), "Elongated Bottle      ");
    EXPECT_EQ(GalaxyTypeName(8), "Cylindrical Hourglass ");
    int total = 0;
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        EXPECT_EQ(GalaxyTypeName(i).size(), static_cast<size_t>(kGalaxyTypeNameWidth)) << i;
        EXPECT_NE(GalaxyTypeName(i)[0], ' ') << i;
        total += GalaxyTypeWeight(i);
    }
    EXPECT_EQ(total, 206);
    EXPECT_EQ(GalaxyTypeWeight(7), 5);
    EXPECT_EQ(GalaxyTypeWeight(0), 20);
    EXPECT_EQ(GalaxyTypeName(-1), "");
    EXPECT_EQ(GalaxyTypeName(32), "");
    EXPECT_EQ(GalaxyTypeWeight(32), 0);
}

TEST(FactoryRows, IndexesOutsideTheTablesGiveEmptyText) {
    for (int k : {-1, 0, 33}) EXPECT_EQ(GalaxyFactoryRow(k), "") << k;
    for (int k : {0, 9}) {
        EXPECT_EQ(UniverseThemeRow(k), "") << k;
        EXPECT_EQ(UniverseThemeName(k), "") << k;
    }
    for (int k : {0, 17}) EXPECT_EQ(CompositeFactoryRow(k), "") << k;
    EXPECT_NE(GalaxyFactoryRow(1), "");
    EXPECT_NE(GalaxyFactoryRow(32), "");
    EXPECT_NE(CompositeFactoryRow(16), "");
}

TEST(FactoryRows, GalaxyRowsHoldThirtySixNumbersAndEndWithAComma) {
    for (int k = 1; k <= kGalaxyTypeCount; ++k) {
        const std::string row = GalaxyFactoryRow(k);
        EXPECT_EQ(row.back(), ',') << k;
        EXPECT_EQ(FieldCount(row), kGalaxyFactoryColumns) << k;
        for (int c = 0; c < kGalaxyFactoryColumns; ++c) {
            EXPECT_TRUE(IsNumericText(FieldAt(row, c))) << k << ":" << c;
        }
        EXPECT_EQ(FieldAt(row, 29), "0") << k;  // the reserved gravity columns
        EXPECT_EQ(FieldAt(row, 30), "0") << k;
    }
}

TEST(FactoryRows, ThemeRowsFillEveryUniverseSettingOnce) {
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

TEST(FactoryRows, CompositeRowsNameWeightCountAndMembers) {
    int total = 0;
    for (int k = 1; k <= kCompositeCount; ++k) {
        const std::string row = CompositeFactoryRow(k);
        const int16_t count = ParseInt16Or(FieldAt(row, 2), -1);
        ASSERT_GE(count, 1) << k;
        EXPECT_EQ(FieldCount(row), count + 3) << k;  // nothing after the last member
        for (int j = 0; j < count; ++j) {
            const int16_t member = ParseInt16Or(FieldAt(row, j + 3), -1);
            EXPECT_GE(member, 0) << k;
            EXPECT_LT(member, kGalaxyTypeCount) << k;
        }
        total += ParseInt16Or(FieldAt(row, 1), 0);
    }
    EXPECT_EQ(total, 170);
    EXPECT_EQ(FieldAt(CompositeFactoryRow(1), 0), "Nested Rings / Solid Core");
    EXPECT_EQ(FieldAt(CompositeFactoryRow(6), 0), "Disks: YZ Axis Major");
    EXPECT_EQ(FieldAt(CompositeFactoryRow(7), 0), "Disks:  XZ Axis Major");
    EXPECT_EQ(FieldAt(CompositeFactoryRow(16), 0), "Sphere Rings / Ornament");
}

TEST(LoadFactoryGalaxyTypes, FillsEveryTypeWithValuesInsideTheRanges) {
    GalaxyTypeTable table{};
    for (GalaxyTypeRecord& r : table) {
        r.CompositeFlag = -1;
        r.CorePointMass = 5;
    }
    LoadFactoryGalaxyTypes(table);

    const GalaxyTypeRecord& standard = table[0];
    EXPECT_EQ(standard.Name, "Standard Galaxy       ");
    EXPECT_EQ(standard.Weight, 20);
    EXPECT_EQ(standard.Radius, 300.0f);
    EXPECT_EQ(standard.RadiusExp, 1.4f);
    EXPECT_EQ(standard.CometCPersist, 0.9975f);
    EXPECT_EQ(standard.CometSPersist, 0.94f);
    EXPECT_EQ(standard.HWCEnd, 240);
    EXPECT_EQ(standard.HueBlend, 60);
    EXPECT_EQ(standard.CorePointMass, 0.0f);
    EXPECT_EQ(standard.CompositeFlag, -1);  // engine-owned: not touched
    EXPECT_EQ(table[13].HWheelInc, 0.0002f);
    EXPECT_EQ(table[16].Rotation, 30000.0f);
    EXPECT_EQ(table[16].ColorMult, 30000.0f);
    EXPECT_EQ(table[16].AxisPlane, 1);
    EXPECT_EQ(table[17].HueRed, 15);
    EXPECT_EQ(table[17].HueBlu, 35);
    EXPECT_EQ(table[6].HueBlend, 45);
    EXPECT_EQ(table[15].ColorComp, 4);
    EXPECT_EQ(table[31].GHWRatio, 12.0f);

    // The composite slots belong to the engine.
    EXPECT_EQ(table[32].Name, "");
    EXPECT_EQ(table[32].CorePointMass, 5.0f);

    // Every factory value lies inside its range, so the range step changes nothing; the
    // tilt increments close to 360 (rows 6, 13, 20, 22, 24) included.
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        GalaxyTypeTable clamped = table;
        ClampGalaxyType(clamped, i);
        for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
            EXPECT_EQ(FieldText(clamped[static_cast<size_t>(i)], def),
                      FieldText(table[static_cast<size_t>(i)], def))
                << i << " " << def.key;
        }
    }
    EXPECT_EQ(table[6].AngleTInc, 359.85f);
    EXPECT_EQ(table[20].AngleTInc, 359.4f);
    EXPECT_EQ(table[22].AngleTInc, 357.6f);
    EXPECT_EQ(table[24].AngleTInc, 358.8f);
}

TEST(LoadFactoryGalaxyTypes, OneRowLeavesTheOthersAlone) {
    GalaxyTypeTable table{};
    LoadFactoryGalaxyType(table, 5);
    EXPECT_EQ(table[5].Name, "Solar Wind Comets     ");
    EXPECT_EQ(table[5].CometSWind, 2500.0f);
    EXPECT_EQ(table[4].Name, "");
    EXPECT_EQ(table[6].Radius, 0.0f);
    LoadFactoryGalaxyType(table, 32);  // composite slot: not a galaxy type
    LoadFactoryGalaxyType(table, -1);
    EXPECT_EQ(table[32].Name, "");
}

TEST(LoadFactoryComposites, SetsMembersInUseAndKeepsTheRest) {
    CompositeTable table{};
    for (CompositeRecord& r : table) r.Members.fill(99);
    LoadFactoryComposites(table);
    const CompositeRecord& r13 = table[13];
    EXPECT_EQ(r13.Name, "Sphere Rings / Shells");
    EXPECT_EQ(r13.Weight, 10);
    EXPECT_EQ(r13.Count, 7);
    const int16_t expected[] = {17, 7, 12, 27, 28, 29, 30};
    for (int j = 0; j < 7; ++j) EXPECT_EQ(r13.Members[static_cast<size_t>(j)], expected[j]) << j;
    for (int j = 7; j < kCompositeMembers; ++j) EXPECT_EQ(r13.Members[static_cast<size_t>(j)], 99) << j;
    EXPECT_EQ(table[5].Name, "Disks: YZ Axis Major");
    EXPECT_EQ(table[0].Members[5], 25);
    EXPECT_EQ(table[0].Members[6], 99);
    int total = 0;
    for (const CompositeRecord& r : table) total += r.Weight;
    EXPECT_EQ(total, 170);
}

}  // namespace
}  // namespace astrelle
