// Set-up of the properties dialog's logic tests: a store in memory, the shared tables, a
// fake view whose preview runs on the headless host, and the user's hand.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "fake_view.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "ui/logic/name_lines.h"
#include "ui/logic/props_dialog.h"

namespace astrelle::testing_support {

class PropsLogicTest : public ::testing::Test {
  protected:
    // Opens a new dialog with a new view on the store and tables as they stand.
    PropsDialog& Open() {
        dialog.reset();
        view = std::make_unique<FakePropsView>();
        dialog = std::make_unique<PropsDialog>(
            PropsEnvironment{store, types, composites, view->host.Process(), templatePath}, *view);
        dialog->Open();
        return *dialog;
    }
    User<FakePropsView> U() { return {*view, *dialog}; }
    FakeControl& At(std::string_view key) { return view->At(key); }
    FakeControl& At(ControlId id) { return view->At(id); }
    FakeControl& At(const Control& c) { return view->At(c); }
    std::string Text(std::string_view key) { return view->At(key).text; }
    std::string Text(ControlId id) { return view->At(id).text; }
    ProcessValues& Process() { return view->host.Process(); }

    std::string Stored(std::string_view section, std::string_view key) {
        return store.ReadText(section, key).value_or("<missing>");
    }
    struct StoredRow {
        const char* section;
        const char* key;
        const char* text;
    };
    void ExpectStored(std::initializer_list<StoredRow> rows) {
        for (const StoredRow& row : rows) EXPECT_EQ(Stored(row.section, row.key), row.text) << row.key;
    }
    void Write(std::initializer_list<StoredRow> rows) {
        for (const StoredRow& row : rows) ASSERT_TRUE(store.WriteText(row.section, row.key, row.text));
    }
    // Name and weight of a line of a list.
    std::string NameAt(ControlId list, int row) {
        return NameOfLine(At(list).entries.at(static_cast<size_t>(row)));
    }
    std::string WeightAt(ControlId list, int row) {
        return WeightOfLine(At(list).entries.at(static_cast<size_t>(row)));
    }
    // Chooses a galaxy type and opens it on the galaxy page.
    void OpenGalaxyType(int row) {
        U().Choose(Own(ControlId::GalaxyTypeList), row);
        U().Press(ControlId::GalaxyProps);
    }

    MemorySettingsStore store;
    GalaxyTypeTable types{};
    CompositeTable composites{};
    std::string templatePath;
    std::unique_ptr<FakePropsView> view;
    std::unique_ptr<PropsDialog> dialog;
};

}  // namespace astrelle::testing_support
