// The advanced settings dialog's Qt view: the message sample shows the listed font from the
// moment the dialog opens and the hue as its text colour, the system's fonts are offered,
// and OK (also by Return while a field has the focus) stores the values as typed.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "engine/colour.h"
#include "settings/settings_store.h"
#include "ui/qt/advanced_window.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/packed_colour.h"
#include "ui_test_support.h"

namespace astrelle {
namespace {

const QStringList kFonts = {"Alpha Sans", "Beta Serif", "Gamma Mono"};

// The message sample shows the font the list shows, also when the stored font is the
// list's first entry or is not offered at all, and follows the list.
TEST(AdvancedWindow, TheSampleTakesTheListedFontAndTheHue) {
    for (const char* stored : {"Alpha Sans", "Not Installed Anywhere"}) {
        MemorySettingsStore store;
        ASSERT_TRUE(store.WriteText("Advanced", "Adv_FontName", stored));
        ASSERT_TRUE(store.WriteText("Advanced", "Adv_FontHueV", "30"));
        FrmAdvanced dialog(store, nullptr, kFonts);
        dialog.Load("Gone stargazing");
        auto* font = dialog.findChild<QComboBox*>();
        auto* message = dialog.findChild<FieldEdit*>("LockMessage");
        ASSERT_TRUE(font && message);
        EXPECT_EQ(message->font().family(), font->currentText()) << stored;
        EXPECT_EQ(message->text(), "Gone stargazing");
        EXPECT_EQ(message->palette().color(QPalette::Text), ColourFromPacked(HueColor(30)));
        font->setCurrentIndex(2);
        emit font->activated(2);
        EXPECT_EQ(message->font().family(), "Gamma Mono");
    }
}

// Return presses OK while the focus is still in the field just typed into: the value is
// stored as typed, and whoever reads it holds it to its range (the frame loop does).
TEST(AdvancedWindow, ReturnStoresTheValueAsTyped) {
    MemorySettingsStore store;
    QString message = "old";
    bool typed = false;
    QTimer::singleShot(0, [&typed] {
        auto* dialog = qobject_cast<FrmAdvanced*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        dialog->findChild<QCheckBox*>()->click();
        dialog->findChild<FieldEdit*>("LockMessage")->setText("new");
        auto* delay = dialog->findChild<FieldEdit*>("Adv_TimeDelay");
        delay->setFocus(Qt::TabFocusReason);
        typed = delay->hasFocus();
        QTest::keyClicks(delay, "5000");
        QTest::keyClick(delay, Qt::Key_Return);
        if (dialog->isVisible()) dialog->reject();  // Return did nothing: end the test's dialog
    });
    EXPECT_TRUE(ShowAdvancedDialog(nullptr, store, message));
    EXPECT_TRUE(typed);
    EXPECT_EQ(message, "new");
    EXPECT_EQ(store.ReadText("Advanced", "Adv_TimeDelay").value_or(""), "5000");
    EXPECT_EQ(store.ReadText("Advanced", "Adv_WinResize").value_or(""), "1");
}

}  // namespace
}  // namespace astrelle
