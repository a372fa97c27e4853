// The advanced settings dialog's logic: loading with the used-when-missing texts and an
// unknown font, the message sample following the font list and the hue, the fields'
// ranges and steps, OK storing the texts as they stand, Defaults followed by Cancel.
#include "ui/logic/advanced_dialog.h"

#include <gtest/gtest.h>

#include "engine/colour.h"
#include "fake_view.h"
#include "settings/settings_store.h"

namespace astrelle::testing_support {
namespace {

const Control kDelay = Field("Adv_TimeDelay");
const Control kSize = Field("Adv_FontSize");
const Control kHue = Field("Adv_FontHueV");
const Control kFont = Field("Adv_FontName");
const Control kResize = Field("Adv_WinResize");
const Control kMessage = Field("LockMessage");

class AdvancedLogicTest : public ::testing::Test {
  protected:
    std::string Stored(const char* key) { return store.ReadText("Advanced", key).value_or("<missing>"); }
    User<FakeAdvancedView> U() { return {view, dialog}; }
    MemorySettingsStore store;
    FakeAdvancedView view;
    AdvancedDialog dialog{view, store};
};

TEST_F(AdvancedLogicTest, LoadTakesStoredTextsAndTheListedFontFromTheStart) {
    dialog.Load("Hello");
    EXPECT_EQ(view.At(kDelay).text, "25");
    EXPECT_EQ(view.At(kSize).text, "20");
    EXPECT_EQ(view.At(kHue).text, "180");
    EXPECT_EQ(view.At(kFont).entries, view.fonts);
    EXPECT_EQ(view.At(kFont).selected, 0);  // the default font is not offered: the first one
    EXPECT_EQ(view.At(kMessage).font, "Alpha Sans");
    EXPECT_FALSE(view.At(kResize).checked);
    EXPECT_EQ(view.At(kMessage).text, "Hello");
    EXPECT_EQ(view.At(ControlId::FontHueSample).colour, HueColor(180));
    EXPECT_EQ(view.At(kMessage).colour, HueColor(180));

    for (const auto& [key, text] : {std::pair{"Adv_TimeDelay", "40"},
                                    {"Adv_FontName", "Gamma Mono"},
                                    {"Adv_FontSize", "33"},
                                    {"Adv_FontHueV", "90"},
                                    {"Adv_WinResize", "1"}}) {
        ASSERT_TRUE(store.WriteText("Advanced", key, text));
    }
    dialog.Load("");
    EXPECT_EQ(view.At(kDelay).text, "40");
    EXPECT_EQ(view.At(kSize).text, "33");
    EXPECT_EQ(view.At(kFont).selected, 2);
    EXPECT_EQ(view.At(kMessage).font, "Gamma Mono");
    EXPECT_TRUE(view.At(kResize).checked);
    EXPECT_EQ(view.At(ControlId::FontHueSample).colour, HueColor(90));

    ASSERT_TRUE(store.WriteText("Advanced", "Adv_FontName", "Not Installed Anywhere"));
    ASSERT_TRUE(store.WriteText("Advanced", "Adv_WinResize", "-1"));  // only "1" ticks the box
    dialog.Load("");
    EXPECT_EQ(view.At(kFont).selected, 0);
    EXPECT_EQ(view.At(kMessage).font, "Alpha Sans");
    EXPECT_FALSE(view.At(kResize).checked);

    U().Choose(kFont, 1);
    EXPECT_EQ(view.At(kMessage).font, "Beta Serif");
}

TEST_F(AdvancedLogicTest, NumberFieldsTakeTheirRangesAndStepsFromTheSettings) {
    dialog.Load("");
    enum Act { kUp, kDown, kType, kLeave };
    const struct {
        Control field;
        const char* text;
        Act act;
        const char* expected;
        int beeps;
    } cases[] = {
        {kSize, "80", kUp, "80", 0},     {kSize, "79", kDown, "78", 0}, {kDelay, "5", kDown, "0", 0},
        {kDelay, "120", kUp, "130", 0},  {kHue, "2", kUp, "7", 0},      {kHue, "4-00", kType, "400", 1},
        {kHue, "400", kLeave, "359", 0}, {kSize, "", kLeave, "10", 0},  {kDelay, "1000", kLeave, "999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field.key) + " " + c.text);
        view.beeps = 0;
        U().Type(c.field, c.text);
        if (c.act == kUp || c.act == kDown) {
            EXPECT_TRUE(dialog.OnArrowKey(c.field, c.act == kUp ? 1 : -1));
        }
        if (c.act == kLeave) U().Leave(c.field);
        EXPECT_EQ(view.At(c.field).text, c.expected);
        EXPECT_EQ(view.beeps, c.beeps);
    }
    U().Type(kHue, "");  // an empty field reads as hue 0
    EXPECT_EQ(view.At(ControlId::FontHueSample).colour, HueColor(0));
    EXPECT_EQ(SpinnerOf(*FindRow(AdvancedDialog::Rows(), "Adv_TimeDelay")).high, 999);
    EXPECT_EQ(SpinnerOf(*FindRow(AdvancedDialog::Rows(), "Adv_FontSize")).low, 10);
}

// OK while the focus is still in the field just typed into stores the value as typed;
// whoever reads it holds it to its range (the frame loop does).
TEST_F(AdvancedLogicTest, OkStoresTheTextsAsTheyStandAndReturnsTheMessage) {
    dialog.Load("old message");
    U().Choose(kFont, 1);
    U().Tick(kResize, true);
    U().Type(kMessage, "new message");
    U().Type(kDelay, "5000");
    const int commits = store.CommitCount();
    U().Press(ControlId::OkButton);
    EXPECT_EQ(view.closed, DialogResult::Accepted);
    EXPECT_EQ(dialog.Message(), "new message");
    EXPECT_EQ(Stored("Adv_TimeDelay"), "5000");
    EXPECT_EQ(Stored("Adv_FontName"), "Beta Serif");
    EXPECT_EQ(Stored("Adv_FontSize"), "20");
    EXPECT_EQ(Stored("Adv_FontHueV"), "180");
    EXPECT_EQ(Stored("Adv_WinResize"), "1");
    EXPECT_EQ(store.CommitCount(), commits + 1);  // all five at once
}

TEST_F(AdvancedLogicTest, DefaultsThenCancelChangesNothing) {
    for (const auto& [key, text] : {std::pair{"Adv_TimeDelay", "40"},
                                    {"Adv_FontSize", "33"},
                                    {"Adv_WinResize", "1"},
                                    {"Adv_FontName", "Beta Serif"}}) {
        ASSERT_TRUE(store.WriteText("Advanced", key, text));
    }
    dialog.Load("keep me");
    const int commits = store.CommitCount();
    U().Press(ControlId::DefaultsButton);
    EXPECT_EQ(view.At(kDelay).text, "25");
    EXPECT_EQ(view.At(kSize).text, "20");
    EXPECT_EQ(view.At(kHue).text, "180");
    EXPECT_EQ(view.At(kFont).selected, 0);  // "MS Sans Serif" is not offered
    EXPECT_EQ(view.At(kMessage).text, "");
    EXPECT_FALSE(view.At(kResize).checked);
    U().Press(ControlId::DismissButton);
    EXPECT_EQ(view.closed, DialogResult::Rejected);
    EXPECT_EQ(store.CommitCount(), commits);
    EXPECT_EQ(Stored("Adv_TimeDelay"), "40");
    EXPECT_EQ(Stored("Adv_FontHueV"), "<missing>");
}

}  // namespace
}  // namespace astrelle::testing_support
