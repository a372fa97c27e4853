// The advanced settings dialog: arrow keys and arrows held to the ranges, the key filter,
// normalisation on leaving a field, the hue preview, loading with defaults and an unknown
// font, OK storing the texts as they stand, and Defaults followed by Cancel changing nothing.
#include "ui/advanced_dialog.h"

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
#include "ui8_test_support.h"

namespace astrelle {
namespace {

using testing::EnsureApplication;
using testing::FeedbackRecorder;

const QStringList kFonts = {"Alpha Sans", "Beta Serif", "Gamma Mono"};

QColor Colour(uint32_t packed) {
    return QColor(static_cast<int>(packed & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
                  static_cast<int>((packed >> 16) & 0xFF));
}

std::string Stored(MemorySettingsStore& store, const char* key) {
    return store.ReadText("Advanced", key).value_or("<missing>");
}

class AdvancedDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApplication();
        dialog_ = std::make_unique<AdvancedDialog>(nullptr, kFonts);
    }
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

TEST_F(AdvancedDialogTest, ArrowKeysStepAndStopAtTheRangeEnds) {
    QLineEdit* size = dialog_->Field(1);
    size->setText("80");
    QTest::keyClick(size, Qt::Key_Up);
    EXPECT_EQ(size->text(), "80");
    QTest::keyClick(size, Qt::Key_Down);
    EXPECT_EQ(size->text(), "79");

    QLineEdit* delay = dialog_->Field(0);
    delay->setText("5");
    QTest::keyClick(delay, Qt::Key_Down);
    EXPECT_EQ(delay->text(), "0");
    delay->setText("995");
    QTest::keyClick(delay, Qt::Key_Up);
    EXPECT_EQ(delay->text(), "999");

    QLineEdit* hue = dialog_->Field(2);
    hue->setText("");
    QTest::keyClick(hue, Qt::Key_Up);
    EXPECT_EQ(hue->text(), "5");
    hue->setText("2.5");  // halves go to even before the step
    QTest::keyClick(hue, Qt::Key_Up);
    EXPECT_EQ(hue->text(), "7");
}

TEST_F(AdvancedDialogTest, ArrowButtonsRaiseWithUpAndFollowTheField) {
    dialog_->Field(0)->setText("120");
    EXPECT_EQ(dialog_->Spin(0)->Value(), 120);
    dialog_->Spin(0)->UpButton()->click();
    EXPECT_EQ(dialog_->Field(0)->text(), "130");
    dialog_->Spin(0)->DownButton()->click();
    dialog_->Spin(0)->DownButton()->click();
    EXPECT_EQ(dialog_->Field(0)->text(), "110");

    dialog_->Field(1)->setText("80");
    dialog_->Spin(1)->UpButton()->click();
    EXPECT_EQ(dialog_->Field(1)->text(), "80");
}

TEST_F(AdvancedDialogTest, OnlyDigitsAndBackspaceReachTheFieldOthersBeep) {
    FeedbackRecorder feedback;
    QLineEdit* delay = dialog_->Field(0);
    delay->clear();
    QTest::keyClicks(delay, "1a2-.3");
    EXPECT_EQ(delay->text(), "123");
    EXPECT_EQ(feedback.beeps, 3);
    QTest::keyClick(delay, Qt::Key_Backspace);
    EXPECT_EQ(delay->text(), "12");
    QTest::keyClick(delay, Qt::Key_Left);  // navigation is no typing
    EXPECT_EQ(feedback.beeps, 3);

    // The message field takes any text.
    QTest::keyClicks(dialog_->Message(), "Gone a-roving!");
    EXPECT_EQ(dialog_->Message()->text(), "Gone a-roving!");
}

TEST_F(AdvancedDialogTest, LeavingAFieldHoldsItToItsRange) {
    QLineEdit* hue = dialog_->Field(2);
    Focus(hue);
    hue->clear();
    QTest::keyClicks(hue, "400");
    EXPECT_EQ(hue->text(), "400");
    Leave(hue);
    EXPECT_EQ(hue->text(), "359");

    QLineEdit* size = dialog_->Field(1);
    size->setText("");
    Leave(size);
    EXPECT_EQ(size->text(), "10");
}

TEST_F(AdvancedDialogTest, HueFieldColoursTheSwatchAndTheMessage) {
    dialog_->Field(2)->setText("30");
    EXPECT_EQ(dialog_->HueSwatch()->palette().color(QPalette::Window), Colour(HueColor(30)));
    EXPECT_EQ(dialog_->Message()->palette().color(QPalette::Text), Colour(HueColor(30)));
    dialog_->Field(2)->setText("");
    EXPECT_EQ(dialog_->HueSwatch()->palette().color(QPalette::Window), Colour(HueColor(0)));
    dialog_->Field(2)->setText("400");  // off the wheel until the field is left
    EXPECT_EQ(dialog_->HueSwatch()->palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(AdvancedDialogTest, ChosenFontShowsInTheMessage) {
    dialog_->FontList()->setCurrentIndex(2);
    EXPECT_EQ(dialog_->Message()->font().family(), "Gamma Mono");
}

TEST_F(AdvancedDialogTest, LoadTakesStoredTextsAndFallsBackToDefaults) {
    MemorySettingsStore empty;
    dialog_->LoadAdvancedDialog(empty, "Hello");
    EXPECT_EQ(dialog_->Field(0)->text(), "25");
    EXPECT_EQ(dialog_->Field(1)->text(), "20");
    EXPECT_EQ(dialog_->Field(2)->text(), "180");
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
    EXPECT_EQ(dialog_->Field(0)->text(), "40");
    EXPECT_EQ(dialog_->Field(1)->text(), "33");
    EXPECT_EQ(dialog_->Field(2)->text(), "90");
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
        dialog->Field(0)->setText("0400");  // typed, never left: stored as typed
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

TEST(AdvancedDialogFonts, OffersTheSystemFontFamilies) {
    EnsureApplication();
    AdvancedDialog dialog;
    EXPECT_EQ(dialog.FontList()->count(), QFontDatabase::families().size());
    if (!qEnvironmentVariableIsEmpty("ASTRELLE_SCREENSHOTS")) {
        dialog.Message()->setText("Back in a minute");
        dialog.Field(2)->setText("60");
        dialog.grab().save(qEnvironmentVariable("ASTRELLE_SCREENSHOTS") + "/advanced.png");
    }
}

}  // namespace
}  // namespace astrelle
