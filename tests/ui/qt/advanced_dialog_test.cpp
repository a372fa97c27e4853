// The advanced settings dialog: the fields' ranges and steps, the hue preview, loading with
// defaults and an unknown font, OK storing the texts as they stand, and Defaults followed
// by Cancel changing nothing.
#include "ui/qt/advanced_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "engine/colour.h"
#include "settings/settings_store.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/spin_control.h"
#include "ui_test_support.h"

namespace astrelle {
namespace {

using testing_support::FeedbackRecorder;

const QStringList kFonts = {"Alpha Sans", "Beta Serif", "Gamma Mono"};

QColor Colour(uint32_t packed) {
    return QColor(static_cast<int>(packed & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
                  static_cast<int>((packed >> 16) & 0xFF));
}

// The spinner's arrow button pointing the given way.
QToolButton* Arrow(SpinControl* spin, Qt::ArrowType direction) {
    for (QToolButton* button : spin->findChildren<QToolButton*>()) {
        if (button->arrowType() == direction) return button;
    }
    ADD_FAILURE() << "no arrow";
    return nullptr;
}

std::string Stored(MemorySettingsStore& store, const char* key) {
    return store.ReadText("Advanced", key).value_or("<missing>");
}

class AdvancedDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { dialog_ = std::make_unique<AdvancedDialog>(nullptr, kFonts); }
    // Gives the field the focus as a click or Tab would, then sends keys to it.
    void Focus(QLineEdit* edit) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &in);
    }
    void Leave(QLineEdit* edit) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    }
    std::unique_ptr<AdvancedDialog> dialog_;
};

// The fields behave as every number field of the dialogs; what is this dialog's own are the
// ranges and steps of its limits table, the digit filter and the beep.
TEST_F(AdvancedDialogTest, NumberFieldsTakeTheirRangesAndStepsFromTheLimits) {
    FeedbackRecorder feedback;
    enum Act { kUp, kDown, kSpinUp, kSpinDown, kType, kLeave };
    const struct {
        int field;
        const char* text;  // nullptr: keep the text
        Act act;
        const char* expected;
    } cases[] = {
        {1, "80", kUp, "80"},        {1, nullptr, kDown, "79"},  {0, "5", kDown, "0"},
        {2, "2", kUp, "7"},          {0, "120", kSpinUp, "130"}, {0, nullptr, kSpinDown, "120"},
        {1, nullptr, kSpinUp, "80"}, {2, "4-00", kType, "400"},  {2, nullptr, kLeave, "359"},
        {1, "", kLeave, "10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field << " " << (c.text ? c.text : "-"));
        QLineEdit* field = dialog_->Field(c.field);
        if (c.act == kType) {  // digits only, with the dialogs' beep
            Focus(field);
            field->clear();
            QTest::keyClicks(field, c.text);
        } else if (c.text) {
            field->setText(c.text);
        }
        if (c.act == kUp || c.act == kDown) QTest::keyClick(field, c.act == kUp ? Qt::Key_Up : Qt::Key_Down);
        if (c.act == kSpinUp || c.act == kSpinDown) {
            Arrow(dialog_->Spin(c.field), c.act == kSpinUp ? Qt::UpArrow : Qt::DownArrow)->click();
        }
        if (c.act == kLeave) Leave(field);
        EXPECT_EQ(field->text(), c.expected);
    }
    EXPECT_EQ(feedback.beeps, 1);
}

TEST_F(AdvancedDialogTest, MessageShowsTheHueAndTheChosenFont) {
    dialog_->Field(2)->setText("30");
    EXPECT_EQ(dialog_->HueSwatch()->palette().color(QPalette::Window), Colour(HueColor(30)));
    EXPECT_EQ(dialog_->Message()->palette().color(QPalette::Text), Colour(HueColor(30)));
    dialog_->Field(2)->setText("");
    EXPECT_EQ(dialog_->HueSwatch()->palette().color(QPalette::Window), Colour(HueColor(0)));
    dialog_->Field(2)->setText("400");  // off the wheel until the field is left
    EXPECT_EQ(dialog_->HueSwatch()->palette().color(QPalette::Window), QColor(Qt::black));
    dialog_->FontList()->setCurrentIndex(2);
    EXPECT_EQ(dialog_->Message()->font().family(), "Gamma Mono");
    dialog_->Message()->setText("Back in a minute");
    dialog_->Field(2)->setText("60");
    EXPECT_TRUE(testing_support::SaveScreenshot(*dialog_, "advanced"));
    // Without a list of its own the dialog offers the system's font families.
    EXPECT_EQ(AdvancedDialog().FontList()->count(), QFontDatabase::families().size());
}

TEST_F(AdvancedDialogTest, LoadTakesStoredTextsAndFallsBackToDefaults) {
    auto expectFields = [this](const char* delay, const char* size, const char* hue) {
        EXPECT_EQ(dialog_->Field(0)->text(), delay);
        EXPECT_EQ(dialog_->Field(1)->text(), size);
        EXPECT_EQ(dialog_->Field(2)->text(), hue);
    };
    MemorySettingsStore empty;
    dialog_->LoadAdvancedDialog(empty, "Hello");
    expectFields("25", "20", "180");
    EXPECT_EQ(dialog_->FontList()->currentIndex(), 0);  // the default font is not offered
    EXPECT_FALSE(dialog_->Resize()->isChecked());
    EXPECT_EQ(dialog_->Message()->text(), "Hello");

    MemorySettingsStore store;
    store.WriteText("Advanced", "Adv_TimeDelay", "40");
    store.WriteText("Advanced", "Adv_FontName", "Gamma Mono");
    store.WriteText("Advanced", "Adv_FontSize", "33");
    store.WriteText("Advanced", "Adv_FontHueV", "90");
    store.WriteText("Advanced", "Adv_WinResize", "1");
    dialog_->LoadAdvancedDialog(store, "");
    expectFields("40", "33", "90");
    EXPECT_EQ(dialog_->FontList()->currentText(), "Gamma Mono");
    EXPECT_TRUE(dialog_->Resize()->isChecked());

    store.WriteText("Advanced", "Adv_FontName", "Not Installed Anywhere");
    store.WriteText("Advanced", "Adv_WinResize", "-1");  // only "1" ticks the box
    dialog_->LoadAdvancedDialog(store, "");
    EXPECT_EQ(dialog_->FontList()->currentIndex(), 0);
    EXPECT_FALSE(dialog_->Resize()->isChecked());
}

TEST_F(AdvancedDialogTest, OkStoresTheTextsAsTheyStandAndReturnsTheMessage) {
    MemorySettingsStore store;
    QString message = "old message";
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<AdvancedDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->Field(0)->setText("0400");  // set without the focus: stored as it stands
        dialog->FontList()->setCurrentIndex(0);
        dialog->Resize()->setChecked(true);
        dialog->Message()->setText("new message");
        dialog->OkButton()->click();
    });
    EXPECT_TRUE(ShowAdvancedDialog(nullptr, store, message));
    EXPECT_EQ(message, "new message");
    EXPECT_EQ(Stored(store, "Adv_TimeDelay"), "0400");
    EXPECT_EQ(Stored(store, "Adv_FontSize"), "20");
    EXPECT_EQ(Stored(store, "Adv_FontHueV"), "180");
    EXPECT_EQ(Stored(store, "Adv_WinResize"), "1");
    EXPECT_FALSE(Stored(store, "Adv_FontName").empty());
    EXPECT_EQ(store.CommitCount(), 1);  // all five at once
}

TEST_F(AdvancedDialogTest, DefaultsThenCancelChangesNothing) {
    MemorySettingsStore store;
    store.WriteText("Advanced", "Adv_TimeDelay", "40");
    store.WriteText("Advanced", "Adv_FontSize", "33");
    store.WriteText("Advanced", "Adv_WinResize", "1");
    const int commits = store.CommitCount();
    QString message = "keep me";
    bool defaultsShown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<AdvancedDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->DefaultsButton()->click();
        defaultsShown = dialog->Field(0)->text() == "25" && dialog->Field(1)->text() == "20" &&
                        dialog->Field(2)->text() == "180" && dialog->Message()->text().isEmpty() &&
                        !dialog->Resize()->isChecked();
        dialog->CancelButton()->click();
    });
    EXPECT_FALSE(ShowAdvancedDialog(nullptr, store, message));
    EXPECT_TRUE(defaultsShown);
    EXPECT_EQ(message, "keep me");
    EXPECT_EQ(store.CommitCount(), commits);
    EXPECT_EQ(Stored(store, "Adv_TimeDelay"), "40");
    EXPECT_EQ(Stored(store, "Adv_FontSize"), "33");
    EXPECT_EQ(Stored(store, "Adv_WinResize"), "1");
    EXPECT_EQ(Stored(store, "Adv_FontHueV"), "<missing>");
}

// The message sample shows the font the list shows from the moment the dialog opens,
// also when the stored font is the list's first entry or is not offered at all.
TEST(AdvancedDialogFont, TheSampleTakesTheListedFontWhenTheDialogOpens) {
    for (const char* stored : {"Alpha Sans", "Beta Serif", "Not Installed Anywhere"}) {
        MemorySettingsStore store;
        store.WriteText("Advanced", "Adv_FontName", stored);
        AdvancedDialog dialog(nullptr, kFonts);
        dialog.LoadAdvancedDialog(store, "Gone stargazing");
        EXPECT_EQ(dialog.Message()->font().family(), dialog.FontList()->currentText()) << stored;
    }
}

// Return presses OK while the focus is still in the field just typed into: the value is
// stored as typed, and whoever reads it holds it to its range (the frame loop does).
TEST(AdvancedDialogKeys, ReturnStoresTheValueAsTyped) {
    MemorySettingsStore store;
    QString message;
    bool typed = false;
    QTimer::singleShot(0, [&typed] {
        auto* dialog = qobject_cast<AdvancedDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        FieldEdit* delay = dialog->Field(0);
        delay->setFocus(Qt::TabFocusReason);
        typed = delay->hasFocus();
        QTest::keyClicks(delay, "5000");
        QTest::keyClick(delay, Qt::Key_Return);
        if (dialog->isVisible()) dialog->reject();  // Return did nothing: end the test's dialog
    });
    EXPECT_TRUE(ShowAdvancedDialog(nullptr, store, message));
    EXPECT_TRUE(typed);
    EXPECT_EQ(Stored(store, "Adv_TimeDelay"), "5000");
}

}  // namespace
}  // namespace astrelle
