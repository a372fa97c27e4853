// The properties dialog's previews (on the headless host: the rest of the dialog disabled
// while one runs, Stop, Cancel and closing stopping it first, the values read from the
// fields), its templates through the chooser, and its help and other menus.
#include <array>
#include <cstdio>
#include <fstream>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "platform/profile_file.h"
#include "props_fixture.h"
#include "ui/logic/props_text.h"

namespace astrelle::testing_support {
namespace {

const Control kGalaxyPreview = Own(ControlId::GalaxyPreview);

TEST_F(PropsLogicTest, PreviewRunsUntilStopWithTheRestOfTheDialogDisabled) {
    Open();
    U().Choose(Own(ControlId::GalaxyTypeList), 0);
    bool looked = false;
    view->host.SetOnEvents([&](HeadlessHost& host) {
        if (host.EventPasses() != 20) return;
        looked = true;
        EXPECT_TRUE(dialog->PreviewRunning() && view->previewRunning);
        EXPECT_EQ(Text(ControlId::GalaxyPreview), props_text::kStop);
        EXPECT_TRUE(view->stopButton == kGalaxyPreview && view->focus == kGalaxyPreview);
        int lit = 0;
        for (int y = 0; y < view->surface.Height(); ++y)
            for (int x = 0; x < view->surface.Width(); ++x) lit += view->surface.GetPixel(x, y) != 0;
        EXPECT_GT(lit, 100);
        dialog->OnCancel();  // Escape is the Stop button now: it must not close the dialog
    });
    dialog->OnButton(kGalaxyPreview);  // returns when the preview has stopped
    EXPECT_TRUE(looked && !view->closed && !dialog->PreviewRunning() && !view->previewRunning);
    EXPECT_EQ(Text(ControlId::GalaxyPreview), props_text::kGalPreview);
    EXPECT_EQ(Process().PreviewStopRequested, kFalse16);
    EXPECT_EQ(types[0].Radius, 300.0f);  // the type table comes back in settings units

    // The Stop button itself ends a composite preview; frames wait the stored delay.
    Write({"Advanced|Adv_TimeDelay=5000"});
    U().Choose(Own(ControlId::CompositeList), 0);
    const uint64_t passes = view->host.EventPasses();
    view->host.SetOnEvents([&](HeadlessHost& host) {
        if (host.EventPasses() == passes + 5) dialog->OnButton(Own(ControlId::CompositePreview));
    });
    const uint64_t waitedBefore = view->host.TotalWaitMs();
    dialog->OnButton(Own(ControlId::CompositePreview));
    EXPECT_EQ(Text(ControlId::CompositePreview), props_text::kCompPreview);
    EXPECT_GE(view->host.TotalWaitMs() - waitedBefore, 4u * 999u);  // the delay held to 999

    // Closing while a preview runs is refused, and done as soon as the preview has ended.
    bool refused = false;
    view->host.SetOnEvents([&](HeadlessHost& host) {
        if (host.EventPasses() == passes + 10) refused = !dialog->OnCloseRequested();
    });
    dialog->OnButton(kGalaxyPreview);
    EXPECT_TRUE(refused);
    EXPECT_EQ(view->closed, DialogResult::Rejected);
    EXPECT_TRUE(dialog->OnCloseRequested());
}

TEST_F(PropsLogicTest, PreviewTakesTheTypedValuesHeldToThePreviewsLimits) {
    Open();
    SetTexts({"PixelSize=12", "FocalLength=0", "Universe_HW_Start=-5", "Universe_HW_End=2000",
              "Universe_Stars=5", "Universe_STrail=7.5", "Universe_AmStar=0", "Universe_AmPers=1",
              "Universe_AmCAge=3.5", "Universe_AmFrames=1500", "Universe_AmMaxExt=50000",
              "Universe_Symetry=0.25"});
    Write({"Advanced|Adv_TimeDelay=-3"});
    const PreviewRequest r = ReadPreviewRequest(*view, store, PreviewSubject::CompositeType, 4);
    EXPECT_TRUE(r.params.subject == PreviewSubject::CompositeType && r.params.typeIndex == 4 &&
                !r.params.limited);
    EXPECT_EQ((std::array{r.pixelSize, r.hueStart, r.hueEnd}), (std::array<int16_t, 3>{9, 0, 999}));
    EXPECT_FLOAT_EQ(r.focalLength, 0.01f);
    EXPECT_EQ(r.frameDelayMs, 0);
    // Each field feeds its own value, held to the preview's own limits.
    EXPECT_EQ((std::array{r.params.stars, r.params.trail, r.params.ambientCount, r.params.flareFrames}),
              (std::array<int16_t, 4>{10, 8, 1, 999}));
    EXPECT_EQ((std::array{r.params.ambientPersistence, r.params.ambientAgeStep, r.params.extension,
                          r.params.symmetry}),
              (std::array{0.999f, 3.5f, 50000.0f, 0.25f}));
}

TEST_F(PropsLogicTest, TemplatesGoThroughTheChooserAndSaveAfterOpenDoesNotAsk) {
    const std::string path = ::testing::TempDir() + "astrelle-mine.glx";
    std::remove(path.c_str());
    Open();
    dialog->OnMenu(MenuEntry::OpenTemplate);  // nothing chosen: nothing changes
    dialog->OnMenu(MenuEntry::SaveTemplate);  // no template yet: asks, and nothing is chosen
    view->chooserAnswer = path;
    dialog->OnMenu(MenuEntry::SaveTemplateAs);
    const std::string filter = "|Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*";
    EXPECT_EQ(view->opened, (std::vector<std::string>{"open Select Template to Open" + filter,
                                                      "save Enter or Select Template to Save" + filter,
                                                      "save Enter or Select Template to Save" + filter}));
    {
        TemplateFile file(path);
        EXPECT_EQ(file.ReadText("Universe", "Universe_Galaxy").value_or(""), "100");
        // Someone edits the template; a new run of the program opens it.
        for (const auto& [section, key, text] : {std::tuple{"Universe", "Universe_Galaxy", "42"},
                                                 {"Advanced", "Adv_TimeDelay", "60"},
                                                 {"Universe", "Universe_HW_Start", "240"},
                                                 {"UniGal0", "_UniGalName", "From the template"}}) {
            ASSERT_TRUE(file.WriteText(section, key, text));
        }
    }
    templatePath.clear();
    Open();
    view->chooserAnswer = path;
    dialog->OnMenu(MenuEntry::OpenTemplate);
    ExpectTexts({"Universe_Galaxy=42", "_UniGalName=From the template"});
    ExpectStored({"Advanced|Adv_TimeDelay=60"});  // stored at once
    EXPECT_EQ(NameAt(ControlId::GalaxyTypeList, 0), "From the template");
    std::array<uint32_t, kRampSize> ramp{};
    BuildHueRamp(ramp.data(), 240, 225);
    EXPECT_EQ(At(ControlId::UniverseRamp).ramp, std::vector<uint32_t>(ramp.begin(), ramp.end()));

    U().TypeAndLeave(Field("Universe_Galaxy"), "77");
    view->chooserAnswer = ::testing::TempDir() + "astrelle-other.glx";  // used if it asked
    dialog->OnMenu(MenuEntry::SaveTemplate);
    EXPECT_EQ(view->opened.size(), 1u);
    EXPECT_EQ(TemplateFile(path).ReadText("Universe", "Universe_Galaxy").value_or(""), "77");
    ExpectStored({"Universe|Universe_Galaxy=100"});  // the store is not touched
    // A template that cannot be written is said.
    view->chooserAnswer = ::testing::TempDir() + "no such folder/mine.glx";
    dialog->OnMenu(MenuEntry::SaveTemplateAs);
    EXPECT_EQ(view->messages,
              std::vector<std::string>{"The template could not be written.\n\n" + view->chooserAnswer});
    std::remove(path.c_str());
}

TEST_F(PropsLogicTest, HelpAdvancedAboutAndWebPage) {
    Open();
    dialog->OnHelpKey("Universe_Stars");
    dialog->OnMenu(MenuEntry::HelpSearch);
    view->helpResult = HelpResult::Missing;
    dialog->OnMenu(MenuEntry::HelpContents);
    view->helpResult = HelpResult::Failed;
    dialog->OnHelpKey("galaxy");
    EXPECT_EQ(view->messages, (std::vector<std::string>{props_text::kHelpMissing, props_text::kHelpFailed}));
    At("LockMessage").text = "before";
    dialog->OnMenu(MenuEntry::Advanced);  // cancelled: the message stays
    ExpectTexts({"LockMessage=before"});
    view->advancedAnswer = "after";
    dialog->OnMenu(MenuEntry::Advanced);
    ExpectTexts({"LockMessage=after"});
    dialog->OnMenu(MenuEntry::About);
    dialog->OnMenu(MenuEntry::WebPage);
    EXPECT_EQ(view->opened,
              (std::vector<std::string>{"help Universe_Stars", "help index", "help contents", "help galaxy",
                                        "advanced", "advanced", "about", "web"}));
    // The topics the controls and pages hand out to F1.
    EXPECT_EQ(PropsDialog::HelpTopic(Field("_UniGalPct")), "galaxy-types");
    EXPECT_EQ(PropsDialog::HelpTopic(Field("CorePointMass")), "");
    EXPECT_EQ(PropsDialog::HelpTopic(Own(ControlId::CopyValue)), "copy-to-all");
    EXPECT_EQ(PropsDialog::PageHelpTopic(Own(ControlId::GalaxyPages), 2), "comets");
}

// Every setting has a topic on the help page.
TEST(PropsHelp, EverySettingHasATopicOnThePage) {
    std::ifstream file(ASTRELLE_SOURCE_DIR "/share/astrelle/help.html");
    const std::string html{std::istreambuf_iterator<char>(file), {}};
    for (const SettingGroup group : {SettingGroup::General, SettingGroup::Advanced, SettingGroup::Universe,
                                     SettingGroup::GalaxyRow, SettingGroup::CompositeRow}) {
        for (const SettingDef& def : SettingsOf(group))  // AnimationType has no field, a reserved slot no key
            EXPECT_TRUE(def.key.empty() || def.key == "AnimationType" ||
                        html.find("id=\"" + std::string(def.key) + '"') != html.npos)
                << def.key;
    }
}

}  // namespace
}  // namespace astrelle::testing_support
