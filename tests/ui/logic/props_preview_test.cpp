// The properties dialog's previews (on the headless host: the rest of the dialog disabled
// while one runs, Stop, Cancel and closing stopping it first, the values read from the
// fields), its templates through the chooser, and its help and other menus.
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "platform/profile_file.h"
#include "props_fixture.h"
#include "settings/template_files.h"
#include "ui/logic/props_text.h"

namespace astrelle::testing_support {
namespace {

const Control kGalaxyPreview = Own(ControlId::GalaxyPreview);

// Counts the lit pixels of the preview picture.
int Lit(const PixelSurface& surface) {
    int lit = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) lit += surface.GetPixel(x, y) != 0 ? 1 : 0;
    }
    return lit;
}

TEST_F(PropsLogicTest, PreviewRunsUntilStopWithTheRestOfTheDialogDisabled) {
    Open();
    U().Choose(Own(ControlId::GalaxyTypeList), 0);
    bool looked = false;
    view->host.SetOnEvents([&](HeadlessHost& host) {
        if (host.EventPasses() != 20) return;
        looked = true;
        EXPECT_TRUE(dialog->PreviewRunning());
        EXPECT_EQ(Text(ControlId::GalaxyPreview), props_text::kStop);
        EXPECT_TRUE(view->previewRunning);
        EXPECT_EQ(view->stopButton, kGalaxyPreview);
        EXPECT_EQ(view->focus, kGalaxyPreview);
        EXPECT_GT(Lit(view->surface), 100);
        dialog->OnCancel();  // Escape is the Stop button now: it must not close the dialog
    });
    dialog->OnButton(kGalaxyPreview);  // returns when the preview has stopped
    EXPECT_TRUE(looked);
    EXPECT_FALSE(view->closed.has_value());
    EXPECT_FALSE(dialog->PreviewRunning());
    EXPECT_FALSE(view->previewRunning);
    EXPECT_EQ(Text(ControlId::GalaxyPreview), props_text::kGalPreview);
    EXPECT_EQ(Process().PreviewStopRequested, kFalse16);
    EXPECT_EQ(types[0].Radius, 300.0f);  // the type table comes back in settings units

    // The Stop button itself ends a composite preview; frames wait the stored delay.
    Write({{"Advanced", "Adv_TimeDelay", "5000"}});
    U().Choose(Own(ControlId::CompositeList), 0);
    const uint64_t passes = view->host.EventPasses();
    view->host.SetOnEvents([&](HeadlessHost& host) {
        if (host.EventPasses() == passes + 5) dialog->OnButton(Own(ControlId::CompositePreview));
    });
    const uint64_t waitedBefore = view->host.TotalWaitMs();
    dialog->OnButton(Own(ControlId::CompositePreview));
    EXPECT_EQ(Text(ControlId::CompositePreview), props_text::kCompPreview);
    EXPECT_GE(view->host.TotalWaitMs() - waitedBefore, 4u * 999u);  // the delay held to 999
}

TEST_F(PropsLogicTest, ClosingTheDialogStopsThePreviewFirstAndClosesAfter) {
    Open();
    U().Choose(Own(ControlId::GalaxyTypeList), 1);
    bool refused = false;
    view->host.SetOnEvents([&](HeadlessHost& host) {
        if (host.EventPasses() == 3) refused = !dialog->OnCloseRequested();
    });
    dialog->OnButton(kGalaxyPreview);
    EXPECT_TRUE(refused);                             // refused while the preview loop still runs...
    EXPECT_EQ(view->closed, DialogResult::Rejected);  // ...and done as soon as it has ended
    EXPECT_TRUE(dialog->OnCloseRequested());
}

TEST_F(PropsLogicTest, PreviewTakesTheTypedValuesHeldToThePreviewsLimits) {
    Open();
    for (const auto& [key, text] : {std::pair{"PixelSize", "12"},
                                    {"FocalLength", "0"},
                                    {"Universe_HW_Start", "-5"},
                                    {"Universe_HW_End", "2000"},
                                    {"Universe_Stars", "5"},
                                    {"Universe_STrail", "7.5"},
                                    {"Universe_AmStar", "0"},
                                    {"Universe_AmPers", "1"},
                                    {"Universe_AmCAge", "3.5"},
                                    {"Universe_AmFrames", "1500"},
                                    {"Universe_AmMaxExt", "50000"},
                                    {"Universe_Symetry", "0.25"}}) {
        At(key).text = text;
    }
    Write({{"Advanced", "Adv_TimeDelay", "-3"}});
    const PreviewRequest r = ReadPreviewRequest(*view, store, PreviewSubject::CompositeType, 4);
    EXPECT_EQ(r.params.subject, PreviewSubject::CompositeType);
    EXPECT_EQ(r.params.typeIndex, 4);
    EXPECT_EQ(r.pixelSize, 9);
    EXPECT_FLOAT_EQ(r.focalLength, 0.01f);
    EXPECT_EQ(r.hueStart, 0);  // a sign is the leading number's: -5 held to 0
    EXPECT_EQ(r.hueEnd, 999);
    EXPECT_EQ(r.params.stars, 10);
    EXPECT_EQ(r.params.trail, 8);
    EXPECT_EQ(r.params.ambientCount, 1);
    EXPECT_FLOAT_EQ(r.params.ambientPersistence, 0.999f);
    EXPECT_FLOAT_EQ(r.params.ambientAgeStep, 3.5f);
    EXPECT_EQ(r.params.flareFrames, 999);
    EXPECT_FLOAT_EQ(r.params.extension, 50000.0f);
    EXPECT_FLOAT_EQ(r.params.symmetry, 0.25f);
    EXPECT_FALSE(r.params.limited);
    EXPECT_EQ(r.frameDelayMs, 0);
}

TEST_F(PropsLogicTest, TemplatesGoThroughTheChooserAndSaveAfterOpenDoesNotAsk) {
    const std::string path = ::testing::TempDir() + "astrelle-mine.glx";
    std::remove(path.c_str());
    Open();
    dialog->OnMenu(MenuEntry::OpenTemplate);  // nothing chosen: nothing changes
    dialog->OnMenu(MenuEntry::SaveTemplate);  // no template yet: asks, and nothing is chosen
    ASSERT_EQ(view->chooserCalls.size(), 2u);
    EXPECT_EQ(view->chooserCalls[0].mode, TemplateMode::Open);
    EXPECT_EQ(view->chooserCalls[0].title, props_text::kOpenTemplateTitle);
    EXPECT_TRUE(templatePath.empty());

    view->chooserAnswer = path;
    dialog->OnMenu(MenuEntry::SaveTemplateAs);
    ASSERT_EQ(view->chooserCalls.size(), 3u);
    EXPECT_EQ(view->chooserCalls[2].mode, TemplateMode::Save);
    EXPECT_EQ(view->chooserCalls[2].title, "Enter or Select Template to Save");
    EXPECT_EQ(view->chooserCalls[2].types, "Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*");
    {
        TemplateFile file(path);
        EXPECT_EQ(file.ReadText("Universe", "Universe_Galaxy").value_or(""), "100");
        // Someone edits the template; a new run of the program opens it.
        ASSERT_TRUE(file.WriteText("Universe", "Universe_Galaxy", "42"));
        ASSERT_TRUE(file.WriteText("Advanced", "Adv_TimeDelay", "60"));
        ASSERT_TRUE(file.WriteText("Universe", "Universe_HW_Start", "240"));
        ASSERT_TRUE(file.WriteText("UniGal0", "_UniGalName", "From the template"));
    }
    templatePath.clear();
    Open();
    view->chooserAnswer = path;
    dialog->OnMenu(MenuEntry::OpenTemplate);
    EXPECT_EQ(Text("Universe_Galaxy"), "42");
    EXPECT_EQ(Stored("Advanced", "Adv_TimeDelay"), "60");  // stored at once
    EXPECT_EQ(NameAt(ControlId::GalaxyTypeList, 0), "From the template");
    EXPECT_EQ(Text("_UniGalName"), "From the template");
    std::array<uint32_t, kRampSize> ramp{};
    BuildHueRamp(ramp.data(), 240, 225);
    EXPECT_EQ(At(ControlId::UniverseRamp).ramp, std::vector<uint32_t>(ramp.begin(), ramp.end()));

    U().TypeAndLeave(Field("Universe_Galaxy"), "77");
    view->chooserAnswer = ::testing::TempDir() + "astrelle-other.glx";  // used if it asked
    dialog->OnMenu(MenuEntry::SaveTemplate);
    EXPECT_EQ(view->chooserCalls.size(), 1u);
    EXPECT_EQ(TemplateFile(path).ReadText("Universe", "Universe_Galaxy").value_or(""), "77");
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "100");  // the store is not touched

    // A template that cannot be written is said.
    view->chooserAnswer = ::testing::TempDir() + "no such folder/mine.glx";
    dialog->OnMenu(MenuEntry::SaveTemplateAs);
    ASSERT_EQ(view->messages.size(), 1u);
    EXPECT_EQ(view->messages[0], "The template could not be written.\n\n" + view->chooserAnswer);
    std::remove(path.c_str());
}

TEST_F(PropsLogicTest, HelpAdvancedAboutAndWebPage) {
    Open();
    dialog->OnHelpKey("Universe_Stars");
    dialog->OnMenu(MenuEntry::HelpContents);
    dialog->OnMenu(MenuEntry::HelpSearch);
    EXPECT_EQ(view->helpTopics, (std::vector<std::string>{"Universe_Stars", "contents", "index"}));
    EXPECT_TRUE(view->messages.empty());
    view->helpResult = HelpResult::Missing;
    dialog->OnMenu(MenuEntry::HelpContents);
    view->helpResult = HelpResult::Failed;
    dialog->OnHelpKey("galaxy");
    EXPECT_EQ(view->messages, (std::vector<std::string>{props_text::kHelpMissing, props_text::kHelpFailed}));

    At("LockMessage").text = "before";
    dialog->OnMenu(MenuEntry::Advanced);  // cancelled: the message stays
    view->advancedAnswer = "after";
    dialog->OnMenu(MenuEntry::Advanced);
    EXPECT_EQ(view->advancedCalls, 2);
    EXPECT_EQ(Text("LockMessage"), "after");
    dialog->OnMenu(MenuEntry::About);
    dialog->OnMenu(MenuEntry::WebPage);
    EXPECT_EQ(view->aboutCalls, 1);
    EXPECT_EQ(view->webPages, 1);
}

// The help page has a topic for every setting and for every topic the dialog hands out.
TEST(PropsHelp, ThePageHasATopicForEverySettingAndControl) {
    std::ifstream file(ASTRELLE_SOURCE_DIR "/share/astrelle/help.html");
    ASSERT_TRUE(file) << "help page not found";
    std::stringstream text;
    text << file.rdbuf();
    const std::string html = text.str();
    const auto expectTopic = [&html](std::string_view topic) {
        if (!topic.empty()) {
            EXPECT_NE(html.find("id=\"" + std::string(topic) + '"'), std::string::npos) << topic;
        }
    };
    for (const SettingGroup group : {SettingGroup::General, SettingGroup::Advanced, SettingGroup::Universe,
                                     SettingGroup::GalaxyRow, SettingGroup::CompositeRow}) {
        for (const SettingDef& def : SettingsOf(group)) {
            if (!def.IsStored() || def.key == "AnimationType") continue;  // the marker is no setting
            expectTopic(def.key);
            expectTopic(PropsDialog::HelpTopic(Field(def.key)));
        }
    }
    for (int id = 0; id <= static_cast<int>(ControlId::PreviewPicture); ++id) {
        expectTopic(PropsDialog::HelpTopic(Own(static_cast<ControlId>(id))));
    }
    for (const ControlId pages : {ControlId::MainPages, ControlId::UniversePages, ControlId::GalaxyPages}) {
        for (int index = 0; index < 5; ++index) expectTopic(PropsDialog::PageHelpTopic(Own(pages), index));
    }
    expectTopic(props_text::kHelpContents);
    expectTopic(props_text::kHelpSearch);
    EXPECT_EQ(PropsDialog::HelpTopic(Field("_UniGalPct")), "galaxy-types");
    EXPECT_EQ(PropsDialog::HelpTopic(Field("CorePointMass")), "");
    EXPECT_EQ(PropsDialog::PageHelpTopic(Own(ControlId::UniversePages), 3), "composites");
}

}  // namespace
}  // namespace astrelle::testing_support
