// The advanced settings dialog's logic: loading with the used-when-missing texts and an
// unknown font, the message sample following the font list and the hue, the fields' ranges
// and steps, Defaults followed by Cancel, OK storing the texts as they stand.
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
    void Store(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [key, text] : values) ASSERT_TRUE(store.WriteText("Advanced", key, text));
    }
    std::array<std::string, 3> Numbers() {
        return {view.At(kDelay).text, view.At(kSize).text, view.At(kHue).text};
    }
    User<FakeAdvancedView> U() { return {view, dialog}; }
    MemorySettingsStore store;
    FakeAdvancedView view;
    AdvancedDialog dialog{view, store};
};

TEST_F(AdvancedLogicTest, LoadTakesStoredTextsAndTheListedFontFromTheStart) {
    dialog.Load("Hello");
    EXPECT_EQ(Numbers(), (std::array<std::string, 3>{"25", "20", "180"}));
    EXPECT_EQ(view.At(kFont).entries, view.fonts);
    EXPECT_EQ(view.At(kFont).selected, 0);  // the default font is not offered: the first one
    EXPECT_EQ(view.At(kMessage).font, "Alpha Sans");
    EXPECT_FALSE(view.At(kResize).checked);
    EXPECT_EQ(view.At(kMessage).text, "Hello");
    EXPECT_EQ(view.At(ControlId::FontHueSample).colour, HueColor(180));
    EXPECT_EQ(view.At(kMessage).colour, HueColor(180));

    Store({{"Adv_TimeDelay", "40"},
           {"Adv_FontName", "Gamma Mono"},
           {"Adv_FontSize", "33"},
           {"Adv_FontHueV", "90"},
           {"Adv_WinResize", "1"}});
    dialog.Load("");
    EXPECT_EQ(Numbers(), (std::array<std::string, 3>{"40", "33", "90"}));
    EXPECT_EQ(view.At(kFont).selected, 2);
    EXPECT_EQ(view.At(kMessage).font, "Gamma Mono");
    EXPECT_TRUE(view.At(kResize).checked);
    EXPECT_EQ(view.At(ControlId::FontHueSample).colour, HueColor(90));
    // Defaults shows the used-when-missing values; Cancel then stores nothing.
    const int commits = store.CommitCount();
    U().Press(ControlId::DefaultsButton);
    EXPECT_EQ(Numbers(), (std::array<std::string, 3>{"25", "20", "180"}));
    EXPECT_TRUE(view.At(kFont).selected == 0 && view.At(kMessage).text.empty() && !view.At(kResize).checked);
    U().Press(ControlId::DismissButton);
    EXPECT_EQ(view.closed, DialogResult::Rejected);
    EXPECT_EQ(store.CommitCount(), commits);
    EXPECT_EQ(Stored("Adv_TimeDelay"), "40");

    Store({{"Adv_FontName", "Not Installed Anywhere"}, {"Adv_WinResize", "-1"}});  // only "1" ticks
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
        view.beeps = 0;
        U().Type(c.field, c.text);
        if (c.act == kUp || c.act == kDown)
            static_cast<void>(dialog.OnArrowKey(c.field, c.act == kUp ? 1 : -1));
        if (c.act == kLeave) U().Leave(c.field);
        EXPECT_EQ(view.At(c.field).text, c.expected) << c.field.key << " " << c.text;
        EXPECT_EQ(view.beeps, c.beeps) << c.field.key << " " << c.text;
    }
    U().Type(kHue, "");  // an empty field reads as hue 0
    EXPECT_EQ(view.At(ControlId::FontHueSample).colour, HueColor(0));
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
    EXPECT_EQ((std::array{Stored("Adv_TimeDelay"), Stored("Adv_FontName"), Stored("Adv_FontSize"),
                          Stored("Adv_FontHueV"), Stored("Adv_WinResize")}),
              (std::array<std::string, 5>{"5000", "Beta Serif", "20", "180", "1"}));
    EXPECT_EQ(store.CommitCount(), commits + 1);  // all five at once
}

}  // namespace
}  // namespace astrelle::testing_support
