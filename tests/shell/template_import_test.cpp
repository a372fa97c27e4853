// The import step of start-up: only for an import decision, and never leaving a fresh
// store without galaxy types.

#include "shell/logic/template_import.h"

#include <gtest/gtest.h>

#include "settings/registry_store.h"

namespace astrelle {
namespace {

StartupDecision Decision(StartupAction action) {
    StartupDecision d;
    d.action = action;
    d.templatePath = "/tmp/x.glx";
    return d;
}

TEST(StartupImport, OnlyAnImportDecisionImportsAndAFreshStoreGetsTheFactoryTypes) {
    MemorySettingsStore file;
    file.WriteText("Universe", "Universe_Stars", "4000");
    file.WriteText("General", "AnimationType", "0");
    MemorySettingsStore store;
    for (StartupAction action : {StartupAction::RunSaver, StartupAction::Configure, StartupAction::Preview}) {
        EXPECT_FALSE(PerformStartupImport(Decision(action), file, store));
    }
    EXPECT_EQ(store.ValueCount(), 0u);
    ASSERT_TRUE(PerformStartupImport(Decision(StartupAction::ImportTemplateThenRun), file, store));
    EXPECT_EQ(store.CommitCount(), 1);
    EXPECT_EQ(store.ReadText("Universe", "Universe_Stars"), "4000");
    GalaxyTypeTable loaded{};
    LoadAllGalaxyTypes(store, loaded);
    EXPECT_NE(loaded[0].Name, "< Galaxy Profile 1 >");
    EXPECT_GT(loaded[0].Weight, 0);
    EXPECT_EQ(GetSettingInt16(store, "General", "AnimationType", -1), 0);
}

TEST(StartupImport, AConfiguredStoreKeepsItsGalaxyTypes) {
    MemorySettingsStore file;
    MemorySettingsStore store;
    store.WriteText("General", "AnimationType", "0");
    store.WriteText("Universe\\Galaxy0", "_UniGalName", "Mine");
    ASSERT_TRUE(PerformStartupImport(Decision(StartupAction::ImportTemplateThenRun), file, store));
    EXPECT_EQ(store.ReadText("Universe\\Galaxy0", "_UniGalName"), "Mine");
    EXPECT_EQ(store.ReadText("Universe\\Galaxy1", "_UniGalName"), std::nullopt);
    EXPECT_EQ(store.ReadText("General", "AnimationType"), "1");  // the template had no marker
}

}  // namespace
}  // namespace astrelle
