// Templates on real files: a saved template opens to the same dialog and tables, saving
// over a hand-edited template keeps its other lines, and hand-written names in any case
// are found.

#include <gtest/gtest.h>

#include "platform/profile_file.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/template_files.h"
#include "settings/value_utils.h"
#include "test_support.h"

namespace astrelle {
namespace {

using testing::ReadFileBytes;
using testing::ScratchDir;
using testing::WriteFileBytes;

struct Tables {
    GalaxyTypeTable galaxies{};
    CompositeTable composites{};
};

Tables FactoryTables() {
    Tables t;
    LoadFactoryGalaxyTypes(t.galaxies);
    LoadFactoryComposites(t.composites);
    return t;
}

TEST(TemplateFiles, ASavedTemplateOpensToTheSameValues) {
    ScratchDir dir;
    FileSettingsStore store(dir / "config");
    TemplateFields fields;
    fields.txtPixelSize = "2";
    fields.txtFocalLen = "1.5";
    fields.txtMessage = "Hello";
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        if (def.control == "txtUni") fields.txtUni[def.controlIndex] = "7" + std::string(def.missingText);
    }
    fields.txtUni[12] = "0.9975";
    fields.chkUniTour = true;
    fields.chkAmbDisp = true;
    fields.cboUniProfile = 6;
    Tables saved = FactoryTables();
    {
        TemplateFile file(dir / "mine.glx");
        ASSERT_TRUE(SaveTemplate(file, store, fields, saved.galaxies, saved.composites));
    }
    EXPECT_EQ(ReadFileBytes(dir / "mine.glx").rfind("[Admin]\nProduct=Astrelle\nModule=3D Tessarine\n", 0),
              0u);

    TemplateFile file(dir / "mine.glx");
    TemplateFields opened;
    Tables loaded;
    OpenTemplate(file, store, opened, loaded.galaxies, loaded.composites);
    for (int k = 0; k < kUniverseFieldSlots; ++k)
        EXPECT_EQ(opened.txtUni[k], fields.txtUni[k]) << "txtUni " << k;
    EXPECT_EQ(opened.txtMessage, "Hello");
    EXPECT_EQ(opened.cboUniProfile, 6);
    EXPECT_TRUE(opened.chkUniTour);
    EXPECT_FALSE(opened.chkAmbDisp);
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        // Names keep their text; the trailing blanks of factory names do not survive a file.
        EXPECT_EQ(loaded.galaxies[i].Name, std::string(TrimBlanks(saved.galaxies[i].Name)));
        for (const SettingDef* def : GalaxyStoreOrder()) {
            if (TextField(saved.galaxies[i], *def) != nullptr) continue;
            EXPECT_EQ(FieldText(loaded.galaxies[i], *def), FieldText(saved.galaxies[i], *def)) << def->key;
        }
    }
    EXPECT_EQ(loaded.composites[5].Count, saved.composites[5].Count);
    // Opening wrote the advanced values to the settings file.
    EXPECT_EQ(store.ReadText("Advanced", "Adv_TimeDelay"), "25");
}

TEST(TemplateFiles, SavingOverAHandEditedTemplateKeepsItsOtherLines) {
    ScratchDir dir;
    const std::string path = dir / "edited.glx";
    WriteFileBytes(path,
                   "; my favourite spirals\r\n"
                   "[unigal0]\r\n"
                   "galaxy_radius=5\r\n"
                   "my_note=keep me\r\n"
                   "[universe]\r\n"
                   "universe_stars=1234\r\n");
    {
        TemplateFile file(path);
        TemplateFields fields;
        Tables tables;
        MemorySettingsStore store;
        OpenTemplate(file, store, fields, tables.galaxies, tables.composites);
        EXPECT_EQ(tables.galaxies[0].Radius, 5.0f);  // lower-case names are found
        EXPECT_EQ(fields.txtUni[0], "1234");
        tables.galaxies[0].Radius = 600;
        ASSERT_TRUE(SaveTemplate(file, store, fields, tables.galaxies, tables.composites));
    }
    const std::string text = ReadFileBytes(path);
    // The value replaced in place with its spelling, the foreign key kept, new keys after it.
    EXPECT_EQ(
        text.rfind(
            "; my favourite spirals\r\n[unigal0]\r\ngalaxy_radius=600\r\nmy_note=keep me\r\n_UniGalPct=", 0),
        0u)
        << text.substr(0, 200);
    EXPECT_NE(text.find("\r\n[universe]\r\nuniverse_stars=1234\r\n"), std::string::npos);
    const std::string lower = AsciiLower(text);  // no second copy of either section
    EXPECT_EQ(lower.find("[unigal0]", lower.find("[unigal0]") + 1), std::string::npos);
    EXPECT_EQ(lower.find("[universe]", lower.find("[universe]") + 1), std::string::npos);
}

TEST(TemplateFiles, SavingWhereNothingMayBeWrittenFailsAndDestroysNothing) {
    ScratchDir dir;
    FileSettingsStore store(dir / "config");
    Tables tables = FactoryTables();
    TemplateFile nowhere(dir / "missing/folder/t.glx");
    EXPECT_FALSE(SaveTemplate(nowhere, store, TemplateFields{}, tables.galaxies, tables.composites));

    WriteFileBytes(dir / "locked.glx", "[General]\nPixelSize=4\n");
    ::chmod((dir / "locked.glx").c_str(), 0444);
    TemplateFile locked(dir / "locked.glx");
    EXPECT_FALSE(SaveTemplate(locked, store, TemplateFields{}, tables.galaxies, tables.composites));
    EXPECT_EQ(ReadFileBytes(dir / "locked.glx"), "[General]\nPixelSize=4\n");
}

TEST(TemplateFiles, ImportFromAFileWritesTheSettingsFileOnce) {
    ScratchDir dir;
    WriteFileBytes(dir / "only-universe.GLX", "[Universe]\nUniverse_Stars=4000\nUniverse_AmMaxExt=5\n");
    FileSettingsStore store(dir / "config");
    ASSERT_TRUE(store.WriteText("Universe", "Universe_AmMaxExt", "9000"));
    TemplateFile file(dir / "only-universe.GLX");
    ASSERT_TRUE(ImportTemplate(file, store));
    FileSettingsStore fresh(dir / "config");
    EXPECT_EQ(fresh.ReadText("Universe", "Universe_Stars"), "4000");
    EXPECT_EQ(fresh.ReadText("Universe", "Universe_AmMaxExt"), "9000");
    EXPECT_EQ(fresh.ReadText("General", "AnimationType"), "1");
}

}  // namespace
}  // namespace astrelle
