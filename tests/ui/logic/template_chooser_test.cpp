// The template chooser's logic: type lists, full names and the ".glx" rule, the
// confirmation of each mode with its three messages, the save probe leaving the folder as
// it was, and the chooser's flow: caption, remembered place, types, OK, double click.
#include "ui/logic/template_chooser.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <map>

#include "fake_view.h"

namespace astrelle::testing_support {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTypes = "Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*";

TEST(TemplateRules, TypeListsFullNamesAndTheExtension) {
    const std::vector<FileType> types = ParseFileTypes(kTypes);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].description, "Galaxy Templates (*.glx)");
    EXPECT_EQ(types[0].pattern, "*.glx");
    EXPECT_EQ(types[1].description, "All Files (*.*)");
    EXPECT_EQ(types[1].pattern, "*.*");
    const std::vector<FileType> odd = ParseFileTypes("Only a description");
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_TRUE(odd[0].pattern.empty());
    ASSERT_EQ(ParseFileTypes("").size(), 1u);
    EXPECT_EQ(PatternGlobs("*.*"), std::vector<std::string>{"*"});
    EXPECT_EQ(PatternGlobs("*.glx; *.ini"), (std::vector<std::string>{"*.glx", "*.ini"}));
    EXPECT_EQ(PatternGlobs(""), std::vector<std::string>{"*"});

    EXPECT_EQ(TemplateFullName("/", "a.glx"), "/a.glx");  // a root keeps its single separator
    EXPECT_EQ(TemplateFullName("C:\\", "a.glx"), "C:\\a.glx");
    EXPECT_EQ(TemplateFullName("/home/me", "a"), "/home/me/a");
    // Only a path without any point gets ".glx".
    EXPECT_EQ(WithTemplateExtension("/home/me/night"), "/home/me/night.glx");
    EXPECT_EQ(WithTemplateExtension("/home/me/night.txt"), "/home/me/night.txt");
    EXPECT_EQ(WithTemplateExtension("/home/me/v1.2/night"), "/home/me/v1.2/night");
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
        fs::permissions(folder / "locked", fs::perms::owner_all, fs::perm_options::add, ignored);
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
        SCOPED_TRACE(c.name);
        const TemplateConfirmation result = ConfirmTemplateChoice(c.mode, folder.string() + c.sub, c.name);
        EXPECT_EQ(result.accepted, c.message.empty());
        EXPECT_EQ(result.message, c.message);
        if (result.accepted) {
            EXPECT_EQ(result.fullName, folder.string() + c.fullName);
        }
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

TEST_F(TemplateFolder, SaveRefusesAFolderWeMayNotWriteTo) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows does not keep files out of a folder by its permission bits";
#else
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
#endif
    fs::create_directory(folder / "locked");
    fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(ConfirmTemplateChoice(TemplateMode::Save, (folder / "locked").string(), "x.glx").message,
              kEnterValidPath);
}

TEST_F(TemplateFolder, ChooserShowsItsTypesConfirmsAndRemembersItsPlace) {
    Write(folder / "there.glx", "x");
    FakeChooserView view;
    {
        TemplateChooser chooser(view, TemplateMode::Open, "Select Template to Open", kTypes);
        chooser.Open();
        EXPECT_EQ(view.At(ControlId::Window).text, "Select Template to Open");
        EXPECT_EQ(view.At(ControlId::TemplateTypes).entries,
                  (std::vector<std::string>{"Galaxy Templates (*.glx)", "All Files (*.*)"}));
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
        EXPECT_TRUE(chooser.Accepted());
        // As paths: Windows reads "/" and "\\" alike.
        EXPECT_EQ(fs::path(chooser.FullFileName()), folder / "there.glx");
        EXPECT_EQ(view.closed, DialogResult::Accepted);
        view.drive = "/home";
        chooser.OnClosed();
    }
    EXPECT_EQ(RememberedTemplatePlace().folder, folder.string());
    EXPECT_EQ(RememberedTemplatePlace().drive, "/home");

    // The next use opens there; a double click confirms without the checks of OK.
    FakeChooserView next;
    TemplateChooser chooser(next, TemplateMode::Save, "Enter or Select Template to Save", kTypes);
    chooser.Open();
    EXPECT_EQ(next.folder, folder.string());
    EXPECT_EQ(next.drive, "/home");
    chooser.OnFileDoubleClicked("c.txt");
    EXPECT_TRUE(chooser.Accepted());
    EXPECT_EQ(fs::path(chooser.FullFileName()), folder / "c.txt");
    EXPECT_FALSE(fs::exists(folder / "c.txt"));  // choosing never writes
    TemplateChooser cancelled(next, TemplateMode::Save, "t", kTypes);
    cancelled.OnButton(Own(ControlId::DismissButton));
    EXPECT_FALSE(cancelled.Accepted());
    EXPECT_EQ(next.closed, DialogResult::Rejected);
}

}  // namespace
}  // namespace astrelle::testing_support
