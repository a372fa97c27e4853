// Shared set-up of the properties dialog tests: an in-memory settings store, the shared
// tables, and hooks that record message boxes, beeps, chooser calls and opened addresses
// instead of blocking on modal windows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QUrl>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/process_values.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/props_dialog.h"
#include "ui_test_support.h"

namespace astrelle::testing_support {

struct ShownMessage {
    QMessageBox::Icon icon;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
};

struct ChooserCall {
    bool open;
    QString title;
    QString types;
};

class PropsDialogTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (dialog) dialog->hide();
        dialog.reset();
    }

    PropsHooks RecordingHooks() {
        PropsHooks hooks;
        hooks.message = [this](QWidget*, QMessageBox::Icon icon, const QString& text,
                               QMessageBox::StandardButtons buttons, QMessageBox::StandardButton def) {
            messages.push_back({icon, text, buttons, def});
            return answer;
        };
        hooks.beep = [this] { ++beeps; };
        hooks.selectTemplateFile = [this](QWidget*, bool open, const QString& title, const QString& types) {
            chooserCalls.push_back({open, title, types});
            return chooserAnswer;
        };
        hooks.showAdvanced = [this](QWidget*, QString& message) {
            ++advancedCalls;
            message = advancedMessage;
        };
        hooks.showAbout = [this](QWidget*) { ++aboutCalls; };
        hooks.showWebPage = [this](QWidget*) { ++webPages; };
        hooks.openUrl = [this](const QUrl& url) {
            openedUrls.push_back(url);
            return urlOpens;
        };
        return hooks;
    }

    // Opens the dialog on the store as it stands, shown and active so focus moves for real.
    FrmProps& Open() {
        dialog = std::make_unique<FrmProps>(
            PropsEnvironment{store, galaxyTypes, composites, process, templatePath}, RecordingHooks());
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return *dialog;
    }

    PropsControls& C() { return dialog->Controls(); }

    template <class T = QWidget>
    T* Find(const QString& name) {
        T* widget = dialog->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    // Gives a field the focus the way Tab does, and replaces its text by typing.
    void TypeInto(FieldEdit* field, const QString& text) {
        field->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        if (text.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(field, text);
        }
    }

    // Moves the focus to another control, as leaving a field with Tab does.
    void Leave(QWidget* next) {
        next->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    // Clicks a line of a list as the user does.
    static void ClickLine(QListWidget* list, int row) {
        QListWidgetItem* item = list->item(row);
        ASSERT_NE(item, nullptr);
        list->scrollToItem(item);
        const QRect rect = list->visualItemRect(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static void Choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    std::string Stored(std::string_view section, std::string_view key) {
        return store.ReadText(section, key).value_or("<missing>");
    }

    // Expects each {section, key, text} row in the store.
    struct StoredRow {
        const char* section;
        const char* key;
        const char* text;
    };
    void ExpectStored(std::initializer_list<StoredRow> rows) {
        for (const StoredRow& row : rows) EXPECT_EQ(Stored(row.section, row.key), row.text) << row.key;
    }

    // Expects each {index, text} row in the indexed fields (txtUni, txtGalaxy).
    static void ExpectFields(const std::map<int, FieldEdit*>& fields,
                             std::initializer_list<std::pair<int, const char*>> rows) {
        for (const auto& [index, text] : rows) EXPECT_EQ(fields.at(index)->text(), text) << "field " << index;
    }

    static QString Caption(const QAbstractButton* button) { return button->text().remove(QLatin1Char('&')); }

    MemorySettingsStore store;
    GalaxyTypeTable galaxyTypes{};
    CompositeTable composites{};
    ProcessValues process;
    std::string templatePath;

    std::vector<ShownMessage> messages;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    int beeps = 0;
    std::vector<ChooserCall> chooserCalls;
    QString chooserAnswer;
    int advancedCalls = 0;
    QString advancedMessage;
    int aboutCalls = 0;
    int webPages = 0;
    std::vector<QUrl> openedUrls;
    bool urlOpens = true;

    std::unique_ptr<FrmProps> dialog;
};

}  // namespace astrelle::testing_support
