// The registry layer over an in-memory store: fallbacks, text forms of numbers, the
// integer reads of float fields, row order, composite member limits and the first run.

#include "settings/registry_store.h"

#include <gtest/gtest.h>

#include <string>

#include "recording_store.h"
#include "settings/factory_tables.h"
#include "settings/value_utils.h"

namespace astrelle {
namespace {

using testing::RecordingStore;

TEST(RegistryStore, AnEmptyStoreGivesTheUsedWhenMissingValues) {
    MemorySettingsStore store;
    EXPECT_EQ(GetSettingInt16(store, "Universe", "Universe_Galaxy", 100), 100);
    EXPECT_EQ(GetSettingText(store, "General", "LockMessage", "none"), "none");
    EXPECT_EQ(GetSettingText(store, *FindSetting("Adv_FontName")), "MS Sans Serif");
    store.WriteText("Advanced", "Adv_FontName", "Gill Sans");  // only an empty name is missing
    EXPECT_EQ(GetSettingText(store, *FindSetting("Adv_FontName")), "Gill Sans");
    EXPECT_EQ(GetSettingInt16(store, *FindSetting("AnimationType")), -1);
    EXPECT_FLOAT_EQ(GetSettingFloat(store, *FindSetting("Universe_Persist")), 0.985f);

    GalaxyTypeTable table{};
    LoadGalaxyTypeFromRegistry(store, table, 3);
    const GalaxyTypeRecord& row = table[3];
    // Every stored field, in the stored order.
    std::string texts;
    for (const SettingDef* def : GalaxyStoreOrder()) texts += FieldText(row, *def) + "|";
    EXPECT_EQ(texts,
              "0|< Galaxy Profile 4 >|100|100|100|0|60|250|300|350|2000|200|10|200|150|40|750|300|50|100|150|"
              "300|0.94|0.998|60|0|1.3|2|0.3|150|0.05|0.012|0|3|240|0|");
    // Every stored field got its used-when-missing value, whatever it held before.
    GalaxyTypeTable dirty{};
    dirty[3].HWCEnd = 77;
    dirty[3].AngleTInc = 9;
    LoadGalaxyTypeFromRegistry(store, dirty, 3);
    for (const SettingDef* def : GalaxyStoreOrder()) {
        EXPECT_EQ(FieldText(dirty[3], *def), FieldText(row, *def)) << def->key;
    }

    CompositeTable composites{};
    composites[15].Count = 5;
    LoadAllComposites(store, composites);
    for (int c = 0; c < kCompositeCount; ++c) {
        EXPECT_EQ(composites[c].Name, "< Composite Galaxy " + std::to_string(c + 1) + " >");
        EXPECT_EQ(composites[c].Weight, 0);
        EXPECT_EQ(composites[c].Count, 0);
    }
}

// Numbers are written in their shortest plain form; reading goes through the strict
// parsers, whose fallbacks and limits the value tests check.
TEST(RegistryStore, TextsAreTrimmedNumbersPlainAndTextsReadUpTo127Characters) {
    MemorySettingsStore store;
    RegWriteText(store, "Universe\\Galaxy0", "Galaxy_CometCPersist", 0.9975f);
    EXPECT_EQ(store.ReadText("Universe\\Galaxy0", "Galaxy_CometCPersist"), "0.9975");
    EXPECT_EQ(GetSettingFloat(store, "Universe\\Galaxy0", "Galaxy_CometCPersist", 0.5f), 0.9975f);
    RegWriteText(store, "S", "int", static_cast<int16_t>(-300));
    EXPECT_EQ(store.ReadText("S", "int"), "-300");
    ASSERT_TRUE(RegWriteText(store, "Universe\\Galaxy0", "_UniGalName", "  Standard Galaxy       "));
    EXPECT_EQ(store.ReadText("Universe\\Galaxy0", "_UniGalName"), "Standard Galaxy");

    // Characters, not bytes: 127 two-byte letters are read whole.
    std::string umlauts;
    for (int i = 0; i < 127; ++i) umlauts += "\xC3\xBC";
    for (const std::string& text : {std::string(127, 'a'), std::string(128, 'a'), umlauts}) {
        RegWriteText(store, "General", "LockMessage", text);
        EXPECT_EQ(RegReadText(store, "General", "LockMessage", "default"),
                  text.size() == 128 ? "default" : text);
    }
}

TEST(RegistryStore, FloatFieldsStoredAsWholeNumbersReadBackRounded) {
    MemorySettingsStore store;
    const std::string section = "Universe\\Galaxy2";
    store.WriteText(section, "Galaxy_CometOrbit", "0.5");
    store.WriteText(section, "Galaxy_CometSpeed", "1.5");
    store.WriteText(section, "Galaxy_Radius", "30000.5");
    store.WriteText(section, "Galaxy_AngleTInc", "0.5");  // a true float field keeps its fraction
    store.WriteText(section, "Galaxy_HueBlend", "0");
    store.WriteText(section, "Galaxy_ColorComp", "7");
    GalaxyTypeTable table{};
    LoadGalaxyTypeFromRegistry(store, table, 2);
    EXPECT_EQ(table[2].CometOrbit, 0.0f);
    EXPECT_EQ(table[2].CometSpeed, 2.0f);
    EXPECT_EQ(table[2].Radius, 30000.0f);
    EXPECT_EQ(table[2].AngleTInc, 0.5f);
    LoadAllGalaxyTypes(store, table);  // and then held to their ranges
    EXPECT_EQ(table[2].HueBlend, 1);
    EXPECT_EQ(table[2].ColorComp, 4);
}

// Rows are written and read in the model's stored order (not the record order), held to
// their ranges first and all in one commit; names lose their trailing blanks.
TEST(RegistryStore, SavingAllRowsRoundTripsInTheStoredOrderInOneCommit) {
    RecordingStore store;
    GalaxyTypeTable table{};
    LoadFactoryGalaxyTypes(table);
    table[7].HueBlend = 0;
    table[7].CometCPersist = 0.9975f;
    ASSERT_TRUE(SaveAllGalaxyTypes(store, table));
    EXPECT_EQ(store.inner.CommitCount(), 1);
    EXPECT_EQ(store.Raw("Universe\\Galaxy7", "Galaxy_HueBlend"), "1");
    EXPECT_EQ(store.Raw("Universe\\Galaxy5", "_UniGalName"), "Solar Wind Comets");
    std::vector<std::string> expected;
    for (const SettingDef* def : GalaxyStoreOrder()) expected.push_back(KeyFor(*def, KeyStyle::Registry));
    EXPECT_EQ(store.KeysOf(store.writes, "Universe\\Galaxy5"), expected);
    GalaxyTypeTable loaded{};
    LoadAllGalaxyTypes(store, loaded);
    EXPECT_EQ(store.KeysOf(store.reads, "Universe\\Galaxy5"), expected);
    EXPECT_EQ(loaded[7].CometCPersist, 0.9975f);
    EXPECT_EQ(FieldText(loaded[31], *FindSetting("Galaxy_GHW_Ratio")), "12");
    store.inner.SetFailWrites(true);
    EXPECT_FALSE(SaveAllGalaxyTypes(store, table));
}

TEST(RegistryStore, CompositeRowsNeverUseMoreThan32Members) {
    RecordingStore store;
    const std::string section = "Universe\\CompGal4";
    store.inner.WriteText(section, "CompGal_Count", "40");
    for (int j = 0; j < 40; ++j) store.inner.WriteText(section, "CompGal_Type" + std::to_string(j), "7");
    store.inner.WriteText(section, "CompGal_Type0", "-3");
    store.inner.WriteText(section, "CompGal_Type30", "50");
    store.inner.WriteText(section, "CompGal_Type31", "50");
    CompositeTable table{};
    LoadAllComposites(store, table);
    const CompositeRecord& row = table[4];
    EXPECT_EQ(row.Count, 31);
    EXPECT_EQ(row.Members[0], 0);
    EXPECT_EQ(row.Members[1], 7);
    EXPECT_EQ(row.Members[30], 31);
    EXPECT_EQ(row.Members[31], 50);  // beyond the held count: read but not held
    auto keys = store.KeysOf(store.reads, section);
    EXPECT_EQ(keys.size(), 3u + 32u);
    EXPECT_EQ(keys.back(), "CompGal_Type31");

    // Saving writes at most the 32 member entries, whatever the count says.
    CompositeTable wild{};
    wild[2].Count = 40;
    store.writes.clear();
    SaveCompositeToRegistry(store, wild, 2);
    EXPECT_EQ(store.KeysOf(store.writes, "Universe\\CompGal2").size(), 3u + 32u);
    wild[2].Count = -4;
    wild[2].Weight = 1500;  // the registry save writes composite rows without holding them
    store.writes.clear();
    ASSERT_TRUE(SaveAllComposites(store, wild));
    EXPECT_EQ(store.Raw("Universe\\CompGal2", "_CompGalPct"), "1500");
    EXPECT_EQ(store.KeysOf(store.writes, "Universe\\CompGal2"),
              (std::vector<std::string>{"_CompGalPct", "_CompGalName", "CompGal_Count"}));
}

TEST(RegistryStore, FirstRunFillsTheFactoryTypesUntilTheMarkerIsWritten) {
    MemorySettingsStore store;
    GalaxyTypeTable table{};
    ASSERT_TRUE(EnsureFirstRunGalaxyTypes(store, table));
    GalaxyTypeTable factory{};
    LoadFactoryGalaxyTypes(factory);
    EXPECT_EQ(table[0].Name, factory[0].Name);
    GalaxyTypeTable loaded{};
    LoadAllGalaxyTypes(store, loaded);
    EXPECT_EQ(loaded[31].Name, std::string(TrimBlanks(factory[31].Name)));
    EXPECT_EQ(loaded[31].Weight, factory[31].Weight);

    store.WriteText("General", "AnimationType", "abc");  // not a number: still a first run
    EXPECT_TRUE(EnsureFirstRunGalaxyTypes(store, table));
    ASSERT_TRUE(WriteFirstRunMarker(store));
    EXPECT_EQ(store.ReadText("General", "AnimationType"), "0");
    table[0].Name = "mine";
    EXPECT_FALSE(EnsureFirstRunGalaxyTypes(store, table));
    EXPECT_EQ(table[0].Name, "mine");
}

}  // namespace
}  // namespace astrelle
