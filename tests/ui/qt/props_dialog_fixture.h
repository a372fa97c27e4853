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

// Records the dialogs and pages it would open ("chooser", "advanced", "about", "web", and
// "help " with the topic) instead of opening them.
class RecordingProps : public FrmProps {
  public:
    using FrmProps::FrmProps;
    std::string ChooseTemplateFile(TemplateMode, std::string_view, std::string_view) override {
        return opened.emplace_back("chooser"), std::string();
    }
    bool EditAdvancedSettings(std::string&) override { return opened.emplace_back("advanced"), false; }
    void ShowAbout() override { opened.emplace_back("about"); }
    void ShowWebPage() override { opened.emplace_back("web"); }
    HelpResult OpenHelp(std::string_view topic) override {
        return opened.push_back("help " + std::string(topic)), HelpResult::Opened;
    }
    std::vector<std::string> opened;
};

class PropsDialogTest : public ::testing::Test {
  protected:
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
