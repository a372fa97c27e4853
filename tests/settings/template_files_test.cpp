// Templates over in-memory stores: save and open restore the dialog and the tables, bad
// texts keep old values, import copies only what it should.

#include "settings/template_files.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "recording_store.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/value_utils.h"

namespace astrelle {
namespace {

using testing::RecordingStore;

// Dialog fields with a different plain number in every universe text field and every
// check box set.
TemplateFields DistinctFields() {
    TemplateFields f;
    f.txtPixelSize = " 3 ";
    f.txtFocalLen = "2.5";
    f.txtMessage = "  Gone stargazing  ";
    int n = 1;
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        if (def.control == "txtUni") f.txtUni[def.controlIndex] = std::to_string(n++) + ".25";
    }
    f.chkUniTour = f.chkVisitSeq = f.chkTrackGrav = f.chkAmbDisp = true;
    f.cboUniProfile = 5;
    return f;
}

TEST(Templates, SavingAndOpeningRestoresEverythingButTheAmbientProfileBox) {
    MemorySettingsStore file;
    MemorySettingsStore store;
    store.WriteText("Advanced", "Adv_TimeDelay", "40");
    const TemplateFields saved = DistinctFields();
    GalaxyTypeTable table{};
    CompositeTable composites{};
    LoadFactoryGalaxyTypes(table);
    LoadFactoryComposites(composites);
    table[4].CometCPersist = 0.9975f;
    ASSERT_TRUE(SaveTemplate(file, store, saved, table, composites));
    EXPECT_EQ(file.CommitCount(), 1);  // one write for the whole template
    EXPECT_EQ(file.ReadText("Universe", "Universe_AmProf"), std::nullopt);
    const std::tuple<const char*, const char*, const char*> stored[] = {
        // clang-format off
        {"General", "PixelSize", "3"},     {"General", "LockMessage", "Gone stargazing"},
        {"General", "AnimationType", "0"}, {"Advanced", "Adv_TimeDelay", "40"},
        {"Advanced", "Adv_FontName", "MS Sans Serif"}, {"UniGal4", "Galaxy_CometCPersist", "0.9975"},
        // clang-format on
    };
    for (auto [section, key, text] : stored) EXPECT_EQ(file.ReadText(section, key), text) << key;

    TemplateFields opened;
    opened.chkAmbDisp = true;
    GalaxyTypeTable openedTable{};
    CompositeTable openedComposites{};
    MemorySettingsStore otherStore;
    OpenTemplate(file, otherStore, opened, openedTable, openedComposites);
    EXPECT_EQ(opened.txtPixelSize, "3");
    EXPECT_EQ(opened.txtFocalLen, "2.5");
    EXPECT_EQ(opened.txtMessage, "Gone stargazing");
    EXPECT_EQ(opened.txtUni, saved.txtUni);
    EXPECT_TRUE(opened.chkUniTour && opened.chkVisitSeq && opened.chkTrackGrav);
    EXPECT_FALSE(opened.chkAmbDisp);
    EXPECT_EQ(opened.cboUniProfile, 5);
    EXPECT_EQ(otherStore.ReadText("Advanced", "Adv_TimeDelay"), "40");  // written at once
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        for (const SettingDef* def : GalaxyStoreOrder()) {
            EXPECT_EQ(FieldText(openedTable[i], *def), FieldText(table[i], *def)) << i << " " << def->key;
        }
    }
    for (int c = 0; c < kCompositeCount; ++c) {  // the factory rows leave no member beyond the count
        const CompositeRecord &a = openedComposites[c], &b = composites[c];
        EXPECT_TRUE(a.Name == b.Name && a.Weight == b.Weight && a.Count == b.Count && a.Members == b.Members)
            << c;
    }
}

TEST(Templates, RowsAreWrittenInTheirOrderAndHeldFirst) {
    RecordingStore file;
    MemorySettingsStore store;
    GalaxyTypeTable table{};
    CompositeTable composites{};
    LoadFactoryGalaxyTypes(table);
    table[0].NovaFreq = 40000;
    composites[1].Count = 2;
    composites[1].Members[0] = 19;
    composites[1].Members[1] = 45;
    ASSERT_TRUE(SaveTemplate(file, store, TemplateFields{}, table, composites));
    EXPECT_EQ(table[0].NovaFreq, 9999.0f);
    EXPECT_EQ(file.Raw("UniGal0", "Galaxy_NovaFreq"), "9999");
    std::vector<std::string> rowKeys;  // in the template spelling ("Galaxy_HWC_end")
    for (const SettingDef* def : GalaxyStoreOrder()) rowKeys.push_back(KeyFor(*def, KeyStyle::Template));
    EXPECT_EQ(file.KeysOf(file.writes, "UniGal0"), rowKeys);
    EXPECT_EQ(file.KeysOf(file.writes, "CompGal1"),
              (std::vector<std::string>{"_CompGalPct", "_CompGalName", "_CompGalCount", "GalaxyIndex_0",
                                        "GalaxyIndex_1"}));
    EXPECT_EQ(file.Raw("CompGal1", "GalaxyIndex_1"), "31");
    EXPECT_EQ(file.KeysOf(file.writes, "Universe").size(), 28u);
    EXPECT_EQ(file.KeysOf(file.writes, "Admin"),
              (std::vector<std::string>{"Product", "Module", "Version", "Copyright"}));
    EXPECT_EQ(file.Raw("Admin", "Product"), "Astrelle");
}

TEST(Templates, TextsThatDoNotConvertKeepTheOldValueAndCountsAreHeld) {
    // Numbers held to their ranges; text that is no 16-bit number or no finite float keeps
    // the old value; the weight is read by its leading number.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Galaxy_HueBlend", "0", "1"},        {"Galaxy_Profile", "abc", "4"},
        {"Galaxy_HueStart", "-32769", "123"}, {"Galaxy_Radius", "1e999", "777"},
        {"Galaxy_AngleTilt", "nan", "45"},    {"Galaxy_NovaFreq", "40000", "9999"},
        {"_UniGalPct", "12abc", "12"},        {"Galaxy_CometSPersist", "0.5", "0.5"}};
    RecordingStore file;
    MemorySettingsStore store;
    for (auto [key, text, _] : cases) file.inner.WriteText("UniGal3", key, text);
    file.inner.WriteText("Universe", "Universe_Profile", "9");
    file.inner.WriteText("Universe", "Universe_Tour", "2");  // a check box is set by "1" only
    file.inner.WriteText("General", "LockMessage", std::string(300, 'x'));
    // A composite count beyond the member entries reads only 32 of them.
    file.inner.WriteText("CompGal6", "_CompGalCount", "40");
    for (int j = 0; j < 40; ++j) file.inner.WriteText("CompGal6", "GalaxyIndex_" + std::to_string(j), "5");
    file.inner.WriteText("CompGal6", "GalaxyIndex_2", "-3");
    GalaxyTypeTable table{};
    LoadFactoryGalaxyTypes(table);
    table[3].Profile = 4;
    table[3].HueStart = 123;
    table[3].Radius = 777;
    table[3].AngleTilt = 45;
    CompositeTable composites{};
    TemplateFields fields;
    fields.cboUniProfile = 3;
    OpenTemplate(file, store, fields, table, composites);
    for (auto [key, _, held] : cases) EXPECT_EQ(FieldText(table[3], *FindSetting(key)), held) << key;
    EXPECT_EQ(fields.cboUniProfile, 3);                   // the list has no entry 9
    EXPECT_EQ(fields.txtMessage, std::string(254, 'x'));  // values are cut at 254 characters
    // A row the file does not have gets the used-when-missing values and placeholder name.
    EXPECT_EQ(table[10].Name, "< Galaxy Profile 11 >");
    EXPECT_EQ(table[10].HueBlend, 60);
    EXPECT_EQ(composites[0].Name, "< Composite Galaxy 1 >");
    EXPECT_EQ(composites[6].Count, 31);
    EXPECT_EQ(composites[6].Members[2], 0);
    EXPECT_EQ(composites[6].Members[30], 5);
    EXPECT_EQ(file.KeysOf(file.reads, "CompGal6").size(), 3u + 32u);
    // Fields the file lacks open with their used-when-missing texts.
    EXPECT_EQ(fields.txtPixelSize, "1");
    EXPECT_EQ(fields.txtFocalLen, "1.0");
    EXPECT_EQ(fields.txtUni[FindSetting("Universe_Stars")->controlIndex], "2500");
    EXPECT_FALSE(fields.chkUniTour);  // stored as "2": a box is set by "1" only
    EXPECT_EQ(store.ReadText("Advanced", "Adv_FontName"), "MS Sans Serif");
    for (const char* profile : {"0", "6"}) {  // the first and the last entry are taken
        file.inner.WriteText("Universe", "Universe_Profile", profile);
        OpenTemplate(file, store, fields, table, composites);
        EXPECT_EQ(fields.cboUniProfile, profile[0] - '0');
    }
}

TEST(Templates, AHandWrittenUniverseSectionImportsOnlyWhatItShould) {
    MemorySettingsStore file;
    file.WriteText("Universe", "Universe_Stars", "3000");
    file.WriteText("Universe", "Universe_HW_Start", "5");
    file.WriteText("Universe", "Universe_GravForce", "12.5xyz");
    MemorySettingsStore store;
    store.WriteText("Universe", "Universe_HW_Start", "77");
    store.WriteText("Universe\\Galaxy0", "_UniGalName", "Kept");
    ASSERT_TRUE(ImportTemplate(file, store));
    EXPECT_EQ(store.CommitCount(), 3);  // two set-up writes and one import
    // General and Advanced get their used-when-missing values, the universe what the file
    // has or the default, except the keys import leaves alone.
    const std::tuple<const char*, const char*, std::optional<std::string>> imported[] = {
        // clang-format off
        {"General", "AnimationType", "1"},     {"General", "PixelSize", "1"},
        {"General", "FocalLength", "1.0"},     {"General", "LockMessage", ""},
        {"Advanced", "Adv_TimeDelay", "25"},   {"Advanced", "Adv_FontName", "MS Sans Serif"},
        {"Advanced", "Adv_WinResize", ""},     {"Universe", "Universe_Stars", "3000"},
        {"Universe", "Universe_GravForce", "12.5"}, {"Universe", "Universe_Persist", "0.985"},
        {"Universe", "Universe_Profile", "2"}, {"Universe", "Universe_HW_Start", "77"},
        {"Universe", "Universe_HW_End", std::nullopt}, {"Universe", "Universe_AmFrames", std::nullopt},
        {"Universe", "Universe_AmMaxExt", std::nullopt}, {"Universe\\Galaxy0", "_UniGalName", "Kept"},
        // clang-format on
    };
    for (const auto& [section, key, text] : imported) EXPECT_EQ(store.ReadText(section, key), text) << key;
    EXPECT_EQ(store.ValueCount(), 4u + 5u + 25u + 2u);
}

// Plain digits of 1e300 or 1e-300 run to 300 characters, beyond what the stores read back.
TEST(Templates, NumbersOfAnySizeReadBackAfterSavingOrImporting) {
    MemorySettingsStore source;
    source.WriteText("Universe", "Universe_Stars", "1e300");
    source.WriteText("Universe", "Universe_Persist", "1e-300");
    source.WriteText("Universe", "Universe_Expand", "123456789012345678901234567890");
    MemorySettingsStore store;
    ASSERT_TRUE(ImportTemplate(source, store));
    EXPECT_EQ(GetSettingInt32(store, "Universe", "Universe_Stars", 7), 0);  // a number too big: 0
    EXPECT_EQ(GetSettingFloat(store, "Universe", "Universe_Persist", 7.0f), 0.0f);
    EXPECT_EQ(LeadingNumber(store.ReadText("Universe", "Universe_Expand").value_or("")),
              1.2345678901234568e29);

    TemplateFields fields;
    GalaxyTypeTable table{};
    CompositeTable composites{};
    OpenTemplate(source, store, fields, table, composites);
    MemorySettingsStore saved;
    ASSERT_TRUE(SaveTemplate(saved, store, fields, table, composites));
    TemplateFields reopened;
    OpenTemplate(saved, store, reopened, table, composites);
    for (size_t k = 0; k < fields.txtUni.size(); ++k)
        EXPECT_EQ(LeadingNumber(reopened.txtUni[k]), LeadingNumber(fields.txtUni[k])) << k;
}

}  // namespace
}  // namespace astrelle
