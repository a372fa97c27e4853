// Set-up of the properties dialog's logic tests: a store in memory, the shared tables, a
// fake view whose preview runs on the headless host, the user's hand, and expectations
// written as "key=text" and "section|key=text".
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

    // "key=text": the field shows the text; SetTexts sets it as pasted, without the focus.
    void ExpectTexts(std::initializer_list<std::string_view> rows) {
        for (const std::string_view row : rows)
            EXPECT_EQ(Text(row.substr(0, row.find('='))), After(row, '=')) << row;
    }
    void SetTexts(std::initializer_list<std::string_view> rows) {
        for (const std::string_view row : rows) At(row.substr(0, row.find('='))).text = After(row, '=');
    }
    // "section|key=text": the store holds the text; Write puts it there.
    void ExpectStored(std::initializer_list<std::string_view> rows) {
        for (const std::string_view row : rows)
            EXPECT_EQ(Stored(Before(row, '|'), KeyOf(row)), After(row, '=')) << row;
    }
    void Write(std::initializer_list<std::string_view> rows) {
        for (const std::string_view row : rows)
            ASSERT_TRUE(store.WriteText(Before(row, '|'), KeyOf(row), After(row, '=')));
    }
    static std::string_view Before(std::string_view row, char c) { return row.substr(0, row.find(c)); }
    static std::string_view After(std::string_view row, char c) { return row.substr(row.find(c) + 1); }
    static std::string_view KeyOf(std::string_view row) { return Before(After(row, '|'), '='); }
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
