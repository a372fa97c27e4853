// The properties dialog's fields: every field's check, key filter and arrow step from its
// page's table and its setting's definition; the pictures that follow the fields; the
// name-and-weight lines; and the rule that every action first corrects the focused field.
#include <array>
#include <cstdio>
#include <tuple>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "platform/profile_file.h"
#include "props_fixture.h"
#include "ui/logic/props_text.h"

namespace astrelle::testing_support {
namespace {

TEST_F(PropsLogicTest, FieldsTakeTheirCheckFilterAndArrowsFromTheTables) {
    Open();
    OpenGalaxyType(0);
    enum Act { kType, kUp, kDown, kLeave };
    const struct {
        const char* key;
        const char* typed;  // nullptr: keep the text
        Act act;
        const char* expected;
        int beeps;
    } cases[] = {
        {"Universe_STrail", "995", kUp, "1005", 0},  // the arrows step beyond what leaving keeps
        {"Universe_STrail", nullptr, kLeave, "999", 0},
        {"Universe_Stars", "15", kDown, "10", 0},  // down stops at the stored lower bound
        {"Universe_HW_End", "", kDown, "0", 0},
        {"Universe_Expand", "8000", kUp, "8000", 0},         // no arrow step: the keys do nothing
        {"Universe_Persist", "0.5.5", kType, "0.55", 1},     // a fraction field takes one point
        {"Universe_AmStar", "0", kLeave, "0", 0},            // the dialog's own range, not 1..3000
        {"Universe_AmMaxExt", "50000", kLeave, "50000", 0},  // and not 1..9999
        {"Universe_GravForce", "1234567", kLeave, "999999", 0},
        {"FocalLength", "0.005", kLeave, "0.01", 0},
        {"Galaxy_Radius", "", kLeave, "1", 0},
        {"Galaxy_Radius", "12a-3", kType, "123", 2},   // letters and signs never reach a digit field
        {"Galaxy_Radius", "22.5", kUp, "235", 1},      // typed "225": up 10
        {"Galaxy_HueBlend", "100", kLeave, "100", 0},  // the blend field takes up to 100
        {"Galaxy_HueBlend", "0", kLeave, "1", 0},
        {"Galaxy_AngleTilt", "400", kLeave, "360", 0},
        {"LocalGravityForce", "99999", kLeave, "9999", 0},
        {"LockMessage", "a.b-c", kLeave, "a.b-c", 0},  // text takes every key, as typed
    };
    for (const auto& c : cases) {
        view->beeps = 0;
        if (c.typed) U().Type(Field(c.key), c.typed);
        if (c.act == kUp || c.act == kDown)
            static_cast<void>(dialog->OnArrowKey(Field(c.key), c.act == kUp ? 1 : -1));
        if (c.act == kLeave) U().Leave(Field(c.key));
        EXPECT_EQ(Text(c.key) + " " + std::to_string(view->beeps),
                  std::string(c.expected) + " " + std::to_string(c.beeps))
            << c.key << " " << (c.typed ? c.typed : "-");
    }
    // A field without arrow steps leaves the keys to the view.
    EXPECT_FALSE(dialog->OnArrowKey(Field("Universe_Expand"), 1));
    EXPECT_TRUE(dialog->OnArrowKey(Field("Universe_Stars"), 1));
}

TEST_F(PropsLogicTest, PicturesFollowTheFields) {
    Open();
    OpenGalaxyType(0);
    const struct {
        const char* key;
        const char* text;
        ControlId sample;
        uint32_t colour;
    } cases[] = {
        {"Galaxy_HueRed", "40", ControlId::RedSample, PackColour(102, 0, 0)},
        {"Galaxy_HueGrn", "", ControlId::GreenSample, 0},
        {"Galaxy_HueBlu", "60.4", ControlId::BlueSample, PackColour(0, 0, 153)},
        {"Galaxy_HueBase", "250", ControlId::BaseSample, PackColour(255, 255, 255)},  // held to 100
        {"Galaxy_HueStart", "120", ControlId::GalaxyHueSample, HueColor(120)},
    };
    for (const auto& c : cases) {
        At(c.key).text = c.text;
        dialog->OnEdited(Field(c.key));
        EXPECT_EQ(At(c.sample).colour, c.colour) << c.key;
    }
    for (const auto& [start, end, ramp] :
         {std::tuple{"Universe_HW_Start", "Universe_HW_End", ControlId::UniverseRamp},
          {"Galaxy_HWC_Start", "Galaxy_HWC_End", ControlId::CometRamp}}) {
        std::array<uint32_t, kRampSize> expected{};
        BuildHueRamp(expected.data(), 240, 30);
        At(start).text = "240";
        At(end).text = "30";
        dialog->OnEdited(Field(end));
        EXPECT_EQ(At(ramp).ramp, std::vector<uint32_t>(expected.begin(), expected.end())) << start;
    }
    U().Choose(Field("Galaxy_Profile"), 6);
    U().Choose(Field("Universe_Profile"), 3);
    EXPECT_EQ(
        At(ControlId::GalaxyProfilePicture).profile * 10 + At(ControlId::UniverseProfilePicture).profile, 63);
}

TEST_F(PropsLogicTest, NameLinesLineUpTheirWeightsAndReadBack) {
    Open();
    // 2400 twips at 15 twips per pixel: the weight starts 160 pixels, 26.7 characters, in.
    constexpr size_t kWeightColumn = 27;
    for (const std::string name : {"Ring World 500", "Sparkling Dark Matter", "A"}) {
        const std::string line = NameWeightLine(*view, Own(ControlId::GalaxyTypeList), 15, name, 5);
        EXPECT_EQ(NameOfLine(line) + "|" + WeightOfLine(line), name + "|5");
        EXPECT_EQ(line.size() - 1, kWeightColumn) << name;
    }
    // A long name keeps three blanks, so the last four characters still hold the weight.
    const std::string line =
        NameWeightLine(*view, Own(ControlId::GalaxyTypeList), 15, std::string(40, 'W'), 999);
    EXPECT_EQ(line, std::string(40, 'W') + "   999");
    EXPECT_EQ(NameOfLine(line) + "|" + WeightOfLine(line), std::string(40, 'W') + "|999");
    // At 12 twips per pixel (120 dpi) the column lies further right in pixels.
    EXPECT_EQ(NameWeightLine(*view, Own(ControlId::GalaxyTypeList), 12, "A", 5).size() - 1, 33u);
}

// Access keys, the default button and menus act while the focus stays in the field just
// typed into: every action must read the value as leaving the field corrects it.
TEST_F(PropsLogicTest, EveryActionFirstCorrectsTheFocusedField) {
    Open();
    U().Type(Field("Universe_Galaxy"), "5000");
    U().Press(ControlId::AcceptButton);
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "999");
    EXPECT_EQ(Text("Universe_Galaxy"), "999");

    Open();
    U().Choose(Own(ControlId::CopyProperty), 5);  // "Radius"
    U().Type(Own(ControlId::CopyValue), "40000");
    U().Press(ControlId::CopyToAll);
    EXPECT_TRUE(types[0].Radius == 30000.0f && types[31].Radius == 30000.0f);
    EXPECT_EQ(Text(ControlId::CopyValue), "30000");

    OpenGalaxyType(2);
    U().Type(Field("Galaxy_Radius"), "45000");
    U().Press(ControlId::AcceptButton);  // "Return to Universe Settings"
    EXPECT_EQ(types[2].Radius, 30000.0f);

    U().Type(Field("Universe_Galaxy"), "5000");
    U().Tick(Field("Universe_GVisit"), true);  // a check box's access key is an action too
    EXPECT_EQ(Text("Universe_Galaxy"), "999");

    // A menu entry, also when the menu was opened with the mouse: the template holds the
    // corrected value.
    templatePath = ::testing::TempDir() + "astrelle-keys.glx";
    std::remove(templatePath.c_str());
    U().Type(Field("Universe_Stars"), "50000");
    dialog->OnMenu(MenuEntry::SaveTemplate);
    EXPECT_EQ(Text("Universe_Stars"), "30000");
    EXPECT_EQ(TemplateFile(templatePath).ReadText("Universe", "Universe_Stars").value_or(""), "30000");
    std::remove(templatePath.c_str());

    // The weights are corrected by their commit only.
    U().Type(Field("_UniGalPct"), "4000");
    U().Press(ControlId::GalaxyProps);
    EXPECT_EQ(Text("_UniGalPct"), "4000");
}

}  // namespace
}  // namespace astrelle::testing_support
