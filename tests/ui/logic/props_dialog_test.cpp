// The properties dialog's logic: opening on an empty or a filled store, Accept, Cancel and
// Exit, the themes and the factory reset, the galaxy type list and edit mode, the composite
// types and copy to all.
#include "props_fixture.h"
#include "settings/factory_tables.h"
#include "ui/logic/props_text.h"

namespace astrelle::testing_support {
namespace {

const Control kTypes = Own(ControlId::GalaxyTypeList);
const Control kComposites = Own(ControlId::CompositeList);

TEST_F(PropsLogicTest, OpeningOnAnEmptyStoreShowsAndStoresTheFactorySettings) {
    Open();
    EXPECT_EQ(At(ControlId::UniverseTheme).selected, 1);  // "Classical (14.3 Billion Years Ago...)"
    // The damping shows theme 1's value, not the used-when-missing 0.01.
    ExpectTexts({"Universe_Stars=2500", "Universe_Damping=0.015", "PixelSize=1", "FocalLength=1.0",
                 "_UniGalName=Standard Galaxy"});  // the first line is chosen
    EXPECT_TRUE(At("Universe_Tour").checked);
    EXPECT_EQ(At("Universe_Profile").selected, 2);
    EXPECT_EQ(NameAt(ControlId::GalaxyTypeList, 31), "Elongated Bottle");
    EXPECT_EQ(WeightAt(ControlId::GalaxyTypeList, 0), "20");
    EXPECT_EQ(NameAt(ControlId::CompositeList, 0), "Nested Rings / Solid Core");
    EXPECT_EQ(WeightAt(ControlId::CompositeList, 13), "10");
    EXPECT_EQ(At(ControlId::GalaxyTheme).selected, 0);  // "< NONE >"
    EXPECT_EQ(At(ControlId::MainPages).page, 0);
    EXPECT_EQ(view->busy, (std::vector<bool>{true, false}));
    // Already stored, before anything is accepted.
    ExpectStored({"General|AnimationType=0", "General|FocalLength=1.0", "Universe|Universe_Damping=0.015",
                  "Universe|Universe_Tour=1", "Universe\\Galaxy0|_UniGalPct=20",
                  "Universe\\CompGal13|CompGal_Count=7", "Advanced|Adv_FontName=MS Sans Serif"});
    EXPECT_TRUE(view->messages.empty());
}

TEST_F(PropsLogicTest, OpeningReadsTheStoredValues) {
    Write({"General|AnimationType=0", "General|PixelSize=3", "General|LockMessage=Back soon",
           "Universe|Universe_Stars=1234", "Universe|Universe_STrail=2.5",  // read as a float, rounded
           "Universe|Universe_GravForce=4000.4",                            // read as a whole number
           "Universe|Universe_Tour=0", "Universe|Universe_GVisit=7",        // any value but 0 ticks
           "Universe|Universe_Profile=5", "Universe\\Galaxy2|_UniGalName=My Blob",
           "Universe\\CompGal1|_CompGalName="});
    Open();
    EXPECT_EQ(At(ControlId::UniverseTheme).selected, 0);
    // Universe_Galaxy is missing: its used-when-missing value.
    ExpectTexts({"PixelSize=3", "LockMessage=Back soon", "Universe_Stars=1234", "Universe_STrail=2",
                 "Universe_GravForce=4000", "Universe_Galaxy=100"});
    EXPECT_TRUE(At("Universe_GVisit").checked);
    EXPECT_EQ(At("Universe_Profile").selected, 5);
    EXPECT_EQ(At(ControlId::UniverseProfilePicture).profile, 5);
    EXPECT_EQ(NameAt(ControlId::GalaxyTypeList, 2), "My Blob");
    // A stored empty composite name shows the dialog's placeholder.
    EXPECT_EQ(NameAt(ControlId::CompositeList, 1), "< Galaxy Composite 2 >");

    // The tour box enables the tour fields, with their labels.
    const char* const tourFields[] = {"Universe_GSteps", "Universe_GCCtrl", "Universe_DstCen",
                                      "Universe_GTrack"};
    for (const char* key : tourFields) EXPECT_FALSE(At(key).enabled) << key;
    U().Tick(Field("Universe_Tour"), true);
    for (const char* key : tourFields) EXPECT_TRUE(At(key).enabled) << key;
}

TEST_F(PropsLogicTest, AcceptStoresEveryFieldWhileCancelAndExitStoreNothing) {
    Open();
    U().TypeAndLeave(Field("Universe_Galaxy"), "321");
    U().Press(ControlId::DismissButton);
    EXPECT_EQ(view->closed, DialogResult::Rejected);
    Open();
    U().TypeAndLeave(Field("Universe_Galaxy"), "77");
    dialog->OnMenu(MenuEntry::Exit);  // "Exit" also asks the program to end
    EXPECT_EQ(Process().ExitRequested, kTrue16);
    EXPECT_EQ(view->closed, DialogResult::Rejected);
    ExpectStored({"Universe|Universe_Galaxy=100"});

    Open();
    U().TypeAndLeave(Field("Universe_Galaxy"), "321");
    U().Type(Field("LockMessage"), "  Gone stargazing  ");
    U().Tick(Field("Universe_GVisit"), true);
    U().Choose(Field("Universe_Profile"), 4);
    At("Universe_Expand").text = "12.5abc";  // pasted: the leading number is stored
    types[4].HueBlend = 80;                  // held to its range when saved
    U().Press(ControlId::AcceptButton);
    EXPECT_EQ(view->closed, DialogResult::Accepted);
    ExpectStored({"Universe|Universe_Galaxy=321", "Universe|Universe_Expand=12.5",
                  "Universe|Universe_GVisit=1", "Universe|Universe_Profile=4",
                  "General|LockMessage=Gone stargazing", "Universe\\Galaxy4|Galaxy_HueBlend=60"});
}

TEST_F(PropsLogicTest, ThemesAndTheResetStoreTheFactoryGalaxyTypesAtOnceButNotTheUniverse) {
    Open();  // first run: everything stored
    Write({"Universe\\Galaxy0|_UniGalPct=3", "Universe\\Galaxy5|_UniGalName=Renamed",
           "Universe|Universe_GravForce=7"});
    Open();
    U().Choose(kComposites, 4);
    U().Choose(Own(ControlId::UniverseTheme), 0);  // "< NONE >" does nothing
    ExpectTexts({"Universe_GravForce=7"});
    U().Choose(Own(ControlId::UniverseTheme), 8);  // "Astrelle in Motion:  Gravity On"
    ExpectTexts({"Universe_GravForce=125000", "Universe_Galaxy=20"});
    EXPECT_FALSE(At("Universe_GSteps").enabled);  // theme 8 does not tour
    // The factory galaxy types are in the store before anything is accepted...
    ExpectStored({"Universe\\Galaxy0|_UniGalPct=20", "Universe\\Galaxy5|_UniGalName=Solar Wind Comets"});
    EXPECT_TRUE(At(kTypes).selected == 0 && At(kComposites).selected == -1);
    // ...and stay there after Cancel, while the universe fields are not stored.
    U().Press(ControlId::DismissButton);
    ExpectStored({"Universe\\Galaxy0|_UniGalPct=20", "Universe|Universe_GravForce=7"});

    // The factory reset asks first; on Yes it stores the advanced defaults and theme 1's types.
    Open();
    U().TypeAndLeave(Field("PixelSize"), "4");
    U().Choose(Own(ControlId::UniverseExtras), 2);
    Write({"Advanced|Adv_TimeDelay=80", "Universe\\Galaxy3|_UniGalPct=1"});
    dialog->OnMenu(MenuEntry::Reset);
    EXPECT_EQ(view->questions, std::vector<std::string>{props_text::kResetQuestion});
    ExpectTexts({"PixelSize=4"});
    ExpectStored({"Advanced|Adv_TimeDelay=80"});
    view->answer = true;
    dialog->OnMenu(MenuEntry::Reset);
    ExpectTexts({"PixelSize=1", "Universe_GravForce=0"});
    ExpectStored({"Advanced|Adv_TimeDelay=25", "Universe\\Galaxy3|_UniGalPct=10"});
    EXPECT_TRUE(At(ControlId::UniverseTheme).selected == 1 && At(ControlId::UniversePages).page == 0);
}

// ---- galaxy types --------------------------------------------------------------------------

TEST_F(PropsLogicTest, CommitRewritesTheChosenLineWithItsWeightHeldToRange) {
    Open();
    U().Choose(kTypes, -1);  // what needs a chosen line says so, and leaves the focus there
    for (const ControlId button : {ControlId::GalaxyCommit, ControlId::GalaxyProps, ControlId::GalaxyPreview,
                                   ControlId::CompositeCommit, ControlId::CompositePreview}) {
        U().Press(button);
    }
    EXPECT_EQ(view->messages,
              (std::vector<std::string>{"Please select a Galaxy Profile.", "Please select a Galaxy Type.",
                                        "Please select a Composite Galaxy Type."}));
    EXPECT_EQ(view->focus, kComposites);
    EXPECT_FALSE(dialog->GalaxyEditMode());
    U().Choose(kTypes, 7);
    ExpectTexts({"_UniGalName=Blue-Green Shell", "_UniGalPct=5"});
    U().Type(Field("_UniGalName"), "  Teal Shell ");
    U().TypeAndLeave(Field("_UniGalPct"), "4000");
    ExpectTexts({"_UniGalPct=4000"});  // weights are held when committed, not when left
    U().Press(ControlId::GalaxyCommit);
    ExpectTexts({"_UniGalPct=999"});
    EXPECT_EQ(types[7].Weight, 999);
    EXPECT_EQ(types[7].Name, "Teal Shell");
    EXPECT_EQ(NameAt(ControlId::GalaxyTypeList, 7) + "|" + WeightAt(ControlId::GalaxyTypeList, 7),
              "Teal Shell|999");
    ExpectStored({"Universe\\Galaxy7|_UniGalPct=5"});  // the store follows on Accept
}

TEST_F(PropsLogicTest, GalaxyEditModeRoundTripWritesTheOpenedType) {
    Open();
    U().Choose(kTypes, 3);
    dialog->OnListDoubleClicked(kTypes, 3);
    ASSERT_TRUE(dialog->GalaxyEditMode() && At(ControlId::MainPages).page == 1);
    EXPECT_EQ(Text(ControlId::GalaxyFrame), "Galaxy:  Holiday Ornament");
    EXPECT_EQ(Text(ControlId::AcceptButton), props_text::kReturnToUniverse);
    ExpectTexts({"Galaxy_Radius=125", "Galaxy_CometCPersist=0.9975"});
    EXPECT_EQ(At(ControlId::GalaxyProfilePicture).profile, 1);

    // A galaxy theme fills the fields; the table follows only on return.
    U().Choose(Own(ControlId::GalaxyTheme), 17);  // factory type 16, "Expansive Sphere"
    ExpectTexts({"Galaxy_Radius=15000", "Galaxy_HueBase=25"});
    EXPECT_EQ(At("Galaxy_AxisPlane").selected, 1);
    EXPECT_EQ(types[3].Radius, 125.0f);
    U().TypeAndLeave(Field("Galaxy_AngleTInc"), "1.25");
    U().TypeAndLeave(Field("CorePointMass"), "12345");
    U().Choose(kTypes, 5);  // another line chosen meanwhile
    U().Press(ControlId::AcceptButton);

    EXPECT_TRUE(!dialog->GalaxyEditMode() && !view->closed && At(ControlId::MainPages).page == 0);
    EXPECT_EQ(Text(ControlId::AcceptButton) + Text(ControlId::GalaxyFrame),
              std::string(props_text::kAccept) + props_text::kGalaxyPage);
    EXPECT_EQ(view->focus, kTypes);
    EXPECT_EQ((std::array{types[3].Radius, types[3].AngleTInc, types[3].CorePointMass}),
              (std::array{15000.0f, 1.25f, 9999.0f}));
    EXPECT_EQ(types[3].AxisPlane, 1);
    EXPECT_EQ(types[3].Name.substr(0, 16), "Holiday Ornament");  // a theme brings no name
    EXPECT_EQ(types[5].Radius, 200.0f);                          // the type opened got the edit, not line 5
    OpenGalaxyType(5);  // a type opens with its own values, under no theme
    EXPECT_EQ(At(ControlId::GalaxyTheme).selected, 0);
    ExpectTexts({"Galaxy_Radius=200"});
}

// ---- composites and copy to all --------------------------------------------------------------

TEST_F(PropsLogicTest, CompositeCommitPutsTheMajorFirstAndCountsEachTypeOnce) {
    Open();
    U().Choose(Own(ControlId::UniverseExtras), 3);
    EXPECT_EQ(At(ControlId::UniversePages).page, 3);
    // The galaxy type lines without their weights, blanks and all.
    EXPECT_EQ(At(ControlId::MinorTypes).entries[8], "Cylindrical Hourglass    ");
    U().Choose(kComposites, 2);  // "Hourglass in Shell": 8, 12
    ExpectTexts({"_CompGalName=Hourglass in Shell"});
    EXPECT_EQ(At(ControlId::MajorType).selected, 8);
    EXPECT_EQ(At(ControlId::MinorTypes).marks, std::set<int>{12});

    U().Choose(Own(ControlId::MajorType), -1);
    U().Press(ControlId::CompositeCommit);
    EXPECT_EQ(view->messages, std::vector<std::string>{"Please select a Major Galaxy Type."});
    EXPECT_EQ(view->focus, Own(ControlId::MajorType));
    EXPECT_EQ(composites[2].Count, 2);

    U().Choose(Own(ControlId::MajorType), 12);
    At(ControlId::MinorTypes).marks = {7, 12, 16};
    U().TypeAndLeave(Field("_CompGalPct"), "1500");
    U().Type(Field("_CompGalName"), "");
    U().Press(ControlId::CompositeCommit);
    EXPECT_EQ(composites[2].Count, 3);
    EXPECT_EQ((std::array{composites[2].Members[0], composites[2].Members[1], composites[2].Members[2]}),
              (std::array<int16_t, 3>{12, 7, 16}));
    EXPECT_EQ(composites[2].Weight, 999);
    // An emptied name is kept empty and listed under the placeholder.
    EXPECT_EQ(composites[2].Name, "");
    EXPECT_EQ(NameAt(ControlId::CompositeList, 2) + "|" + WeightAt(ControlId::CompositeList, 2),
              "< Galaxy Composite 3 >|999");
    U().Choose(kComposites, 0);  // choosing another composite clears the marks of the last one
    EXPECT_FALSE(At(ControlId::MinorTypes).marks.contains(16));
}

TEST_F(PropsLogicTest, CopyToAllSetsEveryTypeAndTheValuesAreHeldWhenSaved) {
    Open();
    U().TypeAndLeave(Own(ControlId::CopyValue), "4321x");  // nothing chosen: digits, not corrected
    EXPECT_EQ(Text(ControlId::CopyValue), "4321");
    EXPECT_EQ(view->beeps, 1);
    const struct {
        int entry;
        const char* typed;
        const char* held;
    } checks[] = {
        {4, "9.5", "60"},      // "Hue:  Blend": digits only, 1..60
        {13, "400.4", "359"},  // "Angular Tilt" takes a point, but holds a whole number
        {31, "0.1.1", "0.11"}  // "Comet Star Persist.": one point, 0.1..0.9999
    };
    for (const auto& check : checks) {
        U().Choose(Own(ControlId::CopyProperty), check.entry);
        U().TypeAndLeave(Own(ControlId::CopyValue), check.typed);
        EXPECT_EQ(Text(ControlId::CopyValue), check.held) << check.typed;
    }
    EXPECT_EQ(view->beeps, 3);
    U().Choose(Own(ControlId::CopyProperty), -1);
    U().Press(ControlId::CopyToAll);
    U().Choose(Own(ControlId::CopyProperty), 4);  // "Hue:  Blend"
    At(ControlId::CopyValue).text = "   ";
    U().Press(ControlId::CopyToAll);
    EXPECT_EQ(view->messages, (std::vector<std::string>{"Please select a Property to copy.",
                                                        "Please enter a Property value."}));
    EXPECT_EQ(view->focus, Own(ControlId::CopyValue));
    // Each value is set without the focus in the value field, so its own check has not run.
    const struct {
        int entry;
        const char* text;
    } copies[] = {{4, "99"}, {0, "40.6"}, {9, "9"}, {5, "40000.5"}};  // blend, red, profile, radius
    for (const auto& copy : copies) {
        U().Choose(Own(ControlId::CopyProperty), copy.entry);
        At(ControlId::CopyValue).text = copy.text;
        U().Press(ControlId::CopyToAll);
    }
    EXPECT_EQ((std::array{types[0].HueBlend, types[9].HueRed, types[2].Profile}),  // 16-bit: rounded
              (std::array<int16_t, 3>{99, 41, 9}));
    EXPECT_EQ(types[31].Radius, 40000.5f);
    // The galaxy fields show it, a list held to its entries, and the samples follow.
    ExpectTexts({"Galaxy_HueBlend=99", "Galaxy_Radius=40000.5"});
    EXPECT_EQ(At("Galaxy_Profile").selected, 6);
    EXPECT_EQ(At(ControlId::RedSample).colour, 105u);  // 41% of 255, rounded
    U().Press(ControlId::AcceptButton);
    for (int row = 0; row < kGalaxyTypeCount; ++row) {
        EXPECT_EQ(Stored(GalaxyRegistrySection(row), "Galaxy_HueBlend"), "60") << row;
        EXPECT_EQ(Stored(GalaxyRegistrySection(row), "Galaxy_Radius"), "30000") << row;
    }
}

}  // namespace
}  // namespace astrelle::testing_support
