// Set-up of the properties dialog's Qt tests: an in-memory settings store, the shared
// tables, and a window whose openings of other dialogs and the help page are recorded
// instead of blocking on modal windows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "engine/process_values.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/props_window.h"
#include "ui_test_support.h"

namespace astrelle::testing_support {

class RecordingProps : public FrmProps {
  public:
    using FrmProps::FrmProps;
    std::string ChooseTemplateFile(TemplateMode, std::string_view, std::string_view) override {
        ++chooserCalls;
        return chooserAnswer;
    }
    bool EditAdvancedSettings(std::string&) override { return ++advancedCalls, false; }
    void ShowAbout() override { ++aboutCalls; }
    void ShowWebPage() override { ++webPages; }
    HelpResult OpenHelp(std::string_view topic) override {
        helpTopics.emplace_back(topic);
        return HelpResult::Opened;
    }
    int chooserCalls = 0;
    std::string chooserAnswer;
    int advancedCalls = 0;
    int aboutCalls = 0;
    int webPages = 0;
    std::vector<std::string> helpTopics;
};

class PropsDialogTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (dialog) dialog->hide();
        dialog.reset();
    }
    // Opens the dialog on the store as it stands, shown and active so focus moves for real.
    RecordingProps& Open() {
        dialog = std::make_unique<RecordingProps>(
            PropsEnvironment{store, galaxyTypes, composites, process, templatePath});
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return *dialog;
    }
    template <class T = QWidget>
    T* Find(const char* name) {
        T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Replaces a field's text by typing, after giving it the focus the way Tab does.
    void TypeInto(QWidget* field, const QString& text) {
        field->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QTest::keyClicks(field, text);
    }
    static void ClickLine(QListWidget* list, int row) {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    static void Choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    std::string Stored(std::string_view section, std::string_view key) {
        return store.ReadText(section, key).value_or("<missing>");
    }

    FeedbackRecorder feedback;
    MemorySettingsStore store;
    GalaxyTypeTable galaxyTypes{};
    CompositeTable composites{};
    ProcessValues process;
    std::string templatePath;
    std::unique_ptr<RecordingProps> dialog;
};

}  // namespace astrelle::testing_support
