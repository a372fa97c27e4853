// The import step of start-up: only for an import decision, and never leaving a fresh
// store without galaxy types.

#include "shell/logic/template_import.h"

#include <gtest/gtest.h>

#include "settings/registry_store.h"

namespace astrelle {
namespace {

StartupDecision ImportDecision() {
    StartupDecision d;
    d.action = StartupAction::ImportTemplateThenRun;
    d.templatePath = "/tmp/x.glx";
    return d;
}

TEST(StartupImport, OnlyAnImportDecisionImports) {
    MemorySettingsStore file;
    file.WriteText("Universe", "Universe_Stars", "4000");
    MemorySettingsStore store;
    for (StartupAction action : {StartupAction::RunSaver, StartupAction::Configure, StartupAction::Preview}) {
        StartupDecision d;
        d.action = action;
        EXPECT_FALSE(PerformStartupImport(d, file, store));
    }
    EXPECT_EQ(store.ValueCount(), 0u);
    ASSERT_TRUE(PerformStartupImport(ImportDecision(), file, store));
    EXPECT_EQ(store.ReadText("Universe", "Universe_Stars"), "4000");
}

TEST(StartupImport, AFreshStoreGetsTheFactoryGalaxyTypesToo) {
    MemorySettingsStore file;
    file.WriteText("General", "AnimationType", "0");
    MemorySettingsStore store;
    ASSERT_TRUE(PerformStartupImport(ImportDecision(), file, store));
    EXPECT_EQ(store.CommitCount(), 1);
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
    ASSERT_TRUE(PerformStartupImport(ImportDecision(), file, store));
    EXPECT_EQ(store.ReadText("Universe\\Galaxy0", "_UniGalName"), "Mine");
    EXPECT_EQ(store.ReadText("Universe\\Galaxy1", "_UniGalName"), std::nullopt);
    EXPECT_EQ(store.ReadText("General", "AnimationType"), "1");  // the template had no marker
}

}  // namespace
}  // namespace astrelle
