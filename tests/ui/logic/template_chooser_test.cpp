// The template chooser's logic: type lists, full names and the ".glx" rule, the
// confirmation of each mode with its three messages, the save probe leaving the folder as
// it was, and the chooser's flow: caption, remembered place, types, OK, double click.
#include "ui/logic/template_chooser.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <array>
#include <filesystem>
#include <fstream>
#include <map>

#include "fake_view.h"
#include "platform/services.h"

namespace astrelle::testing_support {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTypes = "Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*";

TEST(TemplateRules, TypeListsFullNamesAndTheExtension) {
    using Texts = std::vector<std::string>;
    const auto flat = [](std::string_view types) {
        Texts texts;
        for (const FileType& type : ParseFileTypes(types))
            texts.insert(texts.end(), {type.description, type.pattern});
        return texts;
    };
    EXPECT_EQ(flat(kTypes), (Texts{"Galaxy Templates (*.glx)", "*.glx", "All Files (*.*)", "*.*"}));
    EXPECT_EQ(flat("Only a description"), (Texts{"Only a description", ""}));
    EXPECT_EQ(flat(""), (Texts{"", ""}));
    EXPECT_EQ((std::array{PatternGlobs("*.*"), PatternGlobs("*.glx; *.ini"), PatternGlobs("")}),
              (std::array{Texts{"*"}, Texts{"*.glx", "*.ini"}, Texts{"*"}}));

    // A root keeps its single separator; otherwise the system's own joins the name.
    EXPECT_EQ((Texts{TemplateFullName("/", "a.glx"), TemplateFullName("C:\\", "a.glx"),
                     TemplateFullName("/home/me", "a")}),
              (Texts{"/a.glx", "C:\\a.glx", std::string("/home/me") + kPathSeparator + "a"}));
    // Only a path without any point gets ".glx".
    EXPECT_EQ((Texts{WithTemplateExtension("/me/night"), WithTemplateExtension("/me/night.txt"),
                     WithTemplateExtension("/me/v1.2/night")}),
              (Texts{"/me/night.glx", "/me/night.txt", "/me/v1.2/night"}));
}

class TemplateFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::path(::testing::TempDir()) / ("astrelle-chooser-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        ForgetTemplatePlace();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        ForgetTemplatePlace();
    }
    void Write(const fs::path& path, std::string_view text) { std::ofstream(path) << text; }
    // Every entry of the folder with its content.
    std::map<std::string, std::string> Snapshot() {
        std::map<std::string, std::string> entries;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path());
            entries[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
        return entries;
    }
    fs::path folder;
};

// Save wants a name in a folder that exists; Open wants an existing file.
TEST_F(TemplateFolder, ConfirmationChecksNamesAndPathsForEachMode) {
    if (folder.string().find('.') != std::string::npos) GTEST_SKIP() << "the temporary folder has a point";
    fs::create_directory(folder / "v1.2");
    fs::create_directory(folder / "sub");
    Write(folder / "there.glx", "x");
    const struct {
        TemplateMode mode;
        std::string sub, name;
        std::string_view message;
        std::string fullName;
    } cases[] = {
        {TemplateMode::Save, "", "night", "", "/night.glx"},
        {TemplateMode::Save, "", "night.tpl", "", "/night.tpl"},
        {TemplateMode::Save, "/v1.2", "night", "", "/v1.2/night"},
        {TemplateMode::Save, "", "sub/x.glx", "", "/sub/x.glx"},
        {TemplateMode::Save, "", "   ", kEnterFileName, ""},
        {TemplateMode::Save, "", "missing/x.glx", kEnterValidPath, ""},
        {TemplateMode::Save, "", "sub", kEnterValidPath, ""},
        {TemplateMode::Save, "", std::string(300, 'n'), kEnterValidPath, ""},
        {TemplateMode::Open, "", "there.glx", "", "/there.glx"},
        {TemplateMode::Open, "", "absent.glx", kSelectExistingFile, ""},
        {TemplateMode::Open, "", "", kSelectExistingFile, ""},
        {TemplateMode::Open, "", "v1.2", kSelectExistingFile, ""},
    };
    for (const auto& c : cases) {
        const TemplateConfirmation result = ConfirmTemplateChoice(c.mode, folder.string() + c.sub, c.name);
        EXPECT_EQ(result.message, c.message) << c.name;
        // As paths: Windows joins with "\\" and reads "/" alike.
        EXPECT_EQ(fs::path(result.fullName), fs::path(c.message.empty() ? folder.string() + c.fullName : ""))
            << c.name;
    }
}

TEST_F(TemplateFolder, TheSaveProbeTouchesNothing) {
    // Files carrying every name a probe could think of: the user's name, the name with "0"
    // appended (the classic probe name) and the first scratch names of our own probe.
    Write(folder / "keep.glx", "user template");
    Write(folder / "keep.glx0", "not a probe");
    for (int attempt = 0; attempt < 3; ++attempt)
        Write(ProbeScratchName(folder.string(), attempt), "planted");
    const auto before = Snapshot();
    EXPECT_TRUE(ConfirmTemplateChoice(TemplateMode::Save, folder.string(), "keep.glx").accepted);
    EXPECT_TRUE(ConfirmTemplateChoice(TemplateMode::Save, folder.string(), "fresh").accepted);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(TemplateFolder, ChooserShowsItsTypesConfirmsAndRemembersItsPlace) {
    Write(folder / "there.glx", "x");
    FakeChooserView view;
    {
        TemplateChooser chooser(view, TemplateMode::Open, "Select Template to Open", kTypes);
        chooser.Open();
        EXPECT_EQ(view.At(ControlId::Window).text, "Select Template to Open");
        EXPECT_EQ(view.At(ControlId::TemplateTypes).entries.at(1), "All Files (*.*)");
        EXPECT_EQ(view.At(ControlId::TemplateTypes).selected, 0);
        EXPECT_EQ(view.listed, std::vector<std::string>{"*.glx"});
        chooser.OnListChosen(Own(ControlId::TemplateTypes), 1);
        EXPECT_EQ(view.listed, std::vector<std::string>{"*"});

        view.folder = folder.string();
        chooser.OnFileClicked("absent.glx");
        chooser.OnButton(Own(ControlId::OkButton));
        EXPECT_EQ(view.messages, std::vector<std::string>{std::string(kSelectExistingFile)});
        EXPECT_EQ(view.focus, Own(ControlId::TemplateName));
        EXPECT_FALSE(view.closed.has_value());
        chooser.OnFileClicked("there.glx");
        chooser.OnButton(Own(ControlId::OkButton));
        EXPECT_TRUE(chooser.Accepted() && view.closed == DialogResult::Accepted);
        // As paths: Windows reads "/" and "\" alike.
        EXPECT_EQ(fs::path(chooser.FullFileName()), folder / "there.glx");
        view.drive = "/home";
        chooser.OnClosed();
    }

    // The next use opens there; a double click confirms without the checks of OK.
    FakeChooserView next;
    TemplateChooser chooser(next, TemplateMode::Save, "Enter or Select Template to Save", kTypes);
    chooser.Open();
    EXPECT_EQ(next.drive + next.folder, "/home" + folder.string());
    chooser.OnFileDoubleClicked("c.txt");
    EXPECT_TRUE(chooser.Accepted());
    EXPECT_EQ(fs::path(chooser.FullFileName()), folder / "c.txt");
    EXPECT_FALSE(fs::exists(folder / "c.txt"));  // choosing never writes
    TemplateChooser cancelled(next, TemplateMode::Save, "t", kTypes);
    cancelled.OnButton(Own(ControlId::DismissButton));
    EXPECT_TRUE(!cancelled.Accepted() && next.closed == DialogResult::Rejected);
}

}  // namespace
}  // namespace astrelle::testing_support
