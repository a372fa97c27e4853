// The advanced settings dialog: the fields' ranges and steps, the hue preview, loading with
// defaults and an unknown font, OK storing the texts as they stand, and Defaults followed
// by Cancel changing nothing.
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
#include "ui/field_edit.h"
#include "ui/spin_control.h"
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
    QLineEdit* delay = dialog_->Field(0);
    QLineEdit* size = dialog_->Field(1);
    QLineEdit* hue = dialog_->Field(2);
    size->setText("80");
    QTest::keyClick(size, Qt::Key_Up);
    EXPECT_EQ(size->text(), "80");
    QTest::keyClick(size, Qt::Key_Down);
    EXPECT_EQ(size->text(), "79");
    delay->setText("5");
    QTest::keyClick(delay, Qt::Key_Down);
    EXPECT_EQ(delay->text(), "0");
    hue->setText("2");
    QTest::keyClick(hue, Qt::Key_Up);
    EXPECT_EQ(hue->text(), "7");

    // The spinners: up raises, each by its step, held to the range, and they follow the field.
    delay->setText("120");
    Arrow(dialog_->Spin(0), Qt::UpArrow)->click();
    EXPECT_EQ(delay->text(), "130");
    Arrow(dialog_->Spin(0), Qt::DownArrow)->click();
    EXPECT_EQ(delay->text(), "120");
    Arrow(dialog_->Spin(1), Qt::UpArrow)->click();
    EXPECT_EQ(size->text(), "80");

    // Digits only, with the dialogs' beep; leaving holds the value to the range.
    Focus(hue);
    hue->clear();
    QTest::keyClicks(hue, "4-00");
    EXPECT_EQ(hue->text(), "400");
    EXPECT_EQ(feedback.beeps, 1);
    Leave(hue);
    EXPECT_EQ(hue->text(), "359");
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
    AdvancedDialog dialog;
    EXPECT_EQ(dialog.FontList()->count(), QFontDatabase::families().size());
    dialog.Message()->setText("Back in a minute");
    dialog.Field(2)->setText("60");
    EXPECT_TRUE(testing_support::SaveScreenshot(dialog, "advanced"));
}

}  // namespace
}  // namespace astrelle
