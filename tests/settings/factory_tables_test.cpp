// The built-in factory tables: every row complete and numeric, names of fixed width, the
// weights the type choice depends on, and loaders that leave engine-owned fields alone.
// The numbers themselves reach the pictures of the engine's reference runs.
#include "settings/factory_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/value_utils.h"

namespace astrelle {
namespace {

int NumericFields(const std::string& row) {
    int n = 0;
    while (IsNumericText(FieldAt(row, n))) ++n;
    return n;
}

TEST(FactoryTables, RowsAreCompleteNamesFixedWidthAndWeightsAsShipped) {
    int total = 0;
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        EXPECT_EQ(GalaxyTypeName(i).size(), static_cast<size_t>(kGalaxyTypeNameWidth)) << i;
        EXPECT_NE(GalaxyTypeName(i)[0], ' ') << i;
        EXPECT_EQ(NumericFields(GalaxyFactoryRow(i + 1)), kGalaxyFactoryColumns) << i;
        total += GalaxyTypeWeight(i);
    }
    EXPECT_EQ(total, 206);
    EXPECT_EQ(GalaxyTypeName(31) + GalaxyTypeName(32) + GalaxyFactoryRow(33), "Elongated Bottle      ");
    for (int k = 1; k <= kUniverseThemeCount; ++k) {
        EXPECT_EQ(NumericFields(UniverseThemeRow(k)), kUniverseThemeColumns) << k;
        EXPECT_FALSE(UniverseThemeName(k).empty());
    }
    EXPECT_EQ(UniverseThemeName(1), "Classical (14.3 Billion Years Ago...)");
    EXPECT_EQ(std::string(UniverseThemeKey(0)) + " " + std::string(UniverseThemeKey(28)),
              "Universe_Stars Universe_GravFrame");
    CompositeTable table{};
    for (CompositeRecord& r : table) r.Members.fill(99);
    LoadFactoryComposites(table);
    total = 0;
    for (const CompositeRecord& r : table) {
        for (int j = 0; j < kCompositeMembers; ++j) {
            const int16_t m = r.Members[static_cast<size_t>(j)];
            EXPECT_TRUE(j < r.Count ? m >= 0 && m < kGalaxyTypeCount : m == 99) << r.Name << " " << j;
        }
        total += r.Weight;
    }
    EXPECT_EQ(total, 170);
    EXPECT_EQ(table[6].Name, "Disks:  XZ Axis Major");
}

// Factory values lie inside their ranges (the range step changes nothing); the engine's
// own fields and the composite slots are not touched; one row leaves the others alone.
TEST(FactoryTables, GalaxyTypesLoadInsideTheirRangesAndLeaveEngineFieldsAlone) {
    GalaxyTypeTable table{};
    for (GalaxyTypeRecord& r : table) r.CompositeFlag = -1;
    LoadFactoryGalaxyTypes(table);
    EXPECT_EQ(FieldText(table[6], *FindSetting("Galaxy_AngleTInc")), "359.85");
    EXPECT_EQ(table[0].CompositeFlag, -1);
    EXPECT_EQ(table[32].Name, "");
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        GalaxyTypeTable clamped = table;
        ClampGalaxyType(clamped, i);
        for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
            EXPECT_EQ(FieldText(clamped[static_cast<size_t>(i)], def),
                      FieldText(table[static_cast<size_t>(i)], def))
                << i << " " << def.key;
        }
    }
    GalaxyTypeTable one{};
    LoadFactoryGalaxyType(one, 5);
    EXPECT_EQ(one[5].Name + one[4].Name, "Solar Wind Comets     ");
    LoadFactoryGalaxyType(one, 32);  // a composite slot: not a galaxy type
    EXPECT_EQ(one[32].Name, "");
}

}  // namespace
}  // namespace astrelle
