// The settings file and template files on a real file system: location, batching, other
// writers, damaged or foreign files, files that may not be written, and templates saved
// over hand-edited ones.

#include "platform/profile_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "settings/template_files.h"
#include "test_support.h"

namespace astrelle {
namespace {

using testing::CountFilesStartingWith;
using testing::ReadFileBytes;
using testing::RunInChild;
using testing::ScratchDir;
using testing::WriteFileBytes;

std::string Read(SettingsStore& store, std::string_view section, std::string_view key) {
    return store.ReadText(section, key).value_or("<missing>");
}

// Sets an environment variable for the rest of a test and restores it afterwards.
struct ScopedEnv {
    ScopedEnv(const char* n, const char* value)
        : name(n), had(std::getenv(n) != nullptr), old(had ? std::getenv(n) : "") {
        ::setenv(n, value, 1);
    }
    ~ScopedEnv() { had ? ::setenv(name, old.c_str(), 1) : ::unsetenv(name); }
    const char* name;
    bool had;
    std::string old;
};

TEST(SettingsLocation, FollowsTheEnvironment) {
    ScopedEnv home("HOME", "/home/someone");
    ScopedEnv own("ASTRELLE_CONFIG_DIR", "/etc/custom");
    ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(FileSettingsStore::DefaultDirectory(), "/etc/custom");
    ::setenv("ASTRELLE_CONFIG_DIR", "", 1);
    EXPECT_EQ(FileSettingsStore::DefaultDirectory(), "/xdg/astrelle");
    ::setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
    EXPECT_EQ(FileSettingsStore::DefaultDirectory(), "/home/someone/.config/astrelle");
}

TEST(FileSettingsStore, CreatesItsFolderAndWritesPlainSections) {
    ScratchDir dir;
    const std::string folder = dir / "a/b/astrelle";
    FileSettingsStore store(folder);
    FileSettingsStore other(folder);
    EXPECT_EQ(Read(other, "General", "LockMessage"), "<missing>");
    EXPECT_FALSE(std::filesystem::exists(folder));  // reading creates nothing

    ASSERT_TRUE(store.WriteText("Universe\\Galaxy3", "Galaxy_Radius", "250"));
    ASSERT_TRUE(store.WriteText("General", "LockMessage", "Hello, stars"));
    EXPECT_EQ(ReadFileBytes(folder + "/settings.ini"),
              "[Universe\\Galaxy3]\nGalaxy_Radius=250\n[General]\nLockMessage=Hello, stars\n");
    EXPECT_EQ(Read(other, "GENERAL", "lockmessage"), "Hello, stars");  // sees the new file
    EXPECT_FALSE(store.WriteText("General", "LockMessage", "two\nlines"));
    EXPECT_EQ(Read(store, "Universe\\GALAXY3", "galaxy_radius"), "250");
}

TEST(FileSettingsStore, ABatchRewritesTheFileOnceAndReadsSeeItsValues) {
    ScratchDir dir;
    FileSettingsStore store(dir.path());
    ASSERT_TRUE(store.WriteText("General", "PixelSize", "1"));
    const FileReadResult before = StatFile(dir / "settings.ini");
    StoreBatch outer(store);
    for (int i = 0; i < 500; ++i) store.WriteText("Universe", "Key" + std::to_string(i), std::to_string(i));
    {
        StoreBatch inner(store);
        store.WriteText("General", "PixelSize", "4");
    }  // nested: nothing stored yet
    EXPECT_EQ(Read(store, "general", "pixelsize"), "4");
    EXPECT_EQ(StatFile(dir / "settings.ini").inode, before.inode);
    EXPECT_TRUE(outer.Commit());
    FileSettingsStore fresh(dir.path());
    EXPECT_EQ(Read(fresh, "General", "PixelSize"), "4");
    EXPECT_EQ(Read(fresh, "Universe", "Key499"), "499");
}

TEST(FileSettingsStore, DamagedOrForeignFilesAreReadAndKept) {
    ScratchDir dir;
    // Binary bytes (NUL included) on one line; a line holding "=" would be an entry.
    std::string garbage;
    for (int i = 0; i < 3000; ++i) {
        auto ch = static_cast<char>((i * 7919) % 256);
        if (ch != '=' && ch != '\n') garbage.push_back(ch);
    }
    const std::string original =
        "\xEF\xBB\xBF[General]\r\nPixelSize=3\r\nno equals here\r\n" + garbage +
        "\r\n[General]\r\nPixelSize=9\r\n[Universe]\r\nUniverse_Stars=5\r\nUniverse_Stars=6";
    WriteFileBytes(dir / "settings.ini", original);
    FileSettingsStore store(dir.path());
    EXPECT_EQ(Read(store, "General", "PixelSize"), "3");
    EXPECT_EQ(Read(store, "Universe", "Universe_Stars"), "5");
    EXPECT_EQ(Read(store, "General", "FocalLength"), "<missing>");

    ASSERT_TRUE(store.WriteText("General", "FocalLength", "2.5"));
    const std::string after = ReadFileBytes(dir / "settings.ini");
    EXPECT_TRUE(after ==
                "\xEF\xBB\xBF[General]\r\nPixelSize=3\r\nFocalLength=2.5\r\nno equals here\r\n" + garbage +
                    "\r\n[General]\r\nPixelSize=9\r\n[Universe]\r\nUniverse_Stars=5\r\nUniverse_Stars=6");
}

TEST(FileSettingsStore, ReadOnlyFileKeepsReadingAndRefusesWrites) {
    ScratchDir dir;
    FileSettingsStore store(dir.path());
    ASSERT_TRUE(store.WriteText("General", "PixelSize", "2"));
    ::chmod((dir / "settings.ini").c_str(), 0444);  // refused even where root could write it
    const std::string before = ReadFileBytes(dir / "settings.ini");
    store.BeginBatch();
    store.WriteText("General", "FocalLength", "3");
    EXPECT_FALSE(store.CommitBatch());
    EXPECT_EQ(ReadFileBytes(dir / "settings.ini"), before);
    EXPECT_EQ(Read(store, "General", "PixelSize"), "2");
    EXPECT_EQ(CountFilesStartingWith(dir.path(), "settings.ini.tmp"), 0);
}

// A full disk is simulated with a file size limit: the new file cannot be written whole.
TEST(FileSettingsStore, FullDiskLeavesTheOldFileWhole) {
    ScratchDir dir;
    {
        FileSettingsStore store(dir.path());
        ASSERT_TRUE(store.WriteText("General", "PixelSize", "2"));
    }
    const std::string before = ReadFileBytes(dir / "settings.ini");
    int result = RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{512, 512};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
        FileSettingsStore store(dir.path());
        if (store.WriteText("General", "LockMessage", std::string(2000, 'm'))) return 1;
        if (store.ReadText("General", "PixelSize") != "2") return 2;
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFileBytes(dir / "settings.ini"), before);
    EXPECT_EQ(CountFilesStartingWith(dir.path(), "settings.ini.tmp"), 0);
}

// A folder, a named pipe (must not block the reader) and a file beyond any sensible size
// (sparse, so it costs no disk) where the file should be: read as empty, never replaced.
TEST(FileSettingsStore, SomethingElseInPlaceOfTheFileIsNeverReplaced) {
    ScratchDir dir;
    const std::string path = dir / "settings.ini";
    const std::function<void()> makers[] = {
        [&] { std::filesystem::create_directory(path); },
        [&] { ::mkfifo(path.c_str(), 0644); },
        [&] {
            int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
            (void)::ftruncate(fd, static_cast<off_t>(kMaxProfileFileBytes) + 1);
            ::close(fd);
        },
    };
    for (const auto& make : makers) {
        make();
        const FileReadResult before = StatFile(path);
        FileSettingsStore store(dir.path());
        EXPECT_EQ(Read(store, "General", "PixelSize"), "<missing>");
        EXPECT_FALSE(store.WriteText("General", "PixelSize", "2"));
        EXPECT_EQ(StatFile(path).inode, before.inode);
        EXPECT_EQ(StatFile(path).size, before.size);
        std::filesystem::remove(path);
    }
}

TEST(FileSettingsStore, ASymbolicLinkIsFollowedAndKept) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "real");
    WriteFileBytes(dir / "real/target.ini", "[General]\nPixelSize=3\n");
    std::filesystem::create_directory(dir / "conf");
    std::filesystem::create_symlink(dir / "real/target.ini", dir / "conf/settings.ini");
    FileSettingsStore store(dir / "conf");
    ASSERT_TRUE(store.WriteText("General", "PixelSize", "4"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "conf/settings.ini"));
    EXPECT_EQ(ReadFileBytes(dir / "real/target.ini"), "[General]\nPixelSize=4\n");
}

TEST(TemplateFile, ReadsASnapshotAndWritesInOneGo) {
    ScratchDir dir;
    const std::string path = dir / "mine.glx";
    WriteFileBytes(path, "[Admin]\nProduct=Someone\n");
    TemplateFile file(path);
    EXPECT_EQ(Read(file, "admin", "product"), "Someone");
    WriteFileBytes(path, "[Admin]\nProduct=Changed\n");
    EXPECT_EQ(Read(file, "Admin", "Product"), "Someone");  // opened once
    file.BeginBatch();
    file.WriteText("General", "PixelSize", "2");
    file.WriteText("Admin", "Version", "2.0");
    ASSERT_TRUE(file.CommitBatch());
    // The write starts from the file as it is now; no lock file, no leftovers.
    EXPECT_EQ(ReadFileBytes(path), "[Admin]\nProduct=Changed\nVersion=2.0\n[General]\nPixelSize=2\n");
    EXPECT_EQ(CountFilesStartingWith(dir.path(), "mine.glx"), 1);
}

TEST(TemplateFile, UnusableOrHugeFilesDoNoHarm) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "folder.glx");
    for (const std::string& path : {dir / "nowhere/t.glx", dir / "folder.glx"}) {
        TemplateFile file(path);
        EXPECT_EQ(Read(file, "General", "PixelSize"), "<missing>");
        EXPECT_FALSE(file.WriteText("General", "PixelSize", "2"));
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.glx"));

    // Fifty megabytes with a line of a million characters and keys before any section.
    std::string big = "PixelSize=1\n" + std::string(1'000'000, 'x') + "\n";
    while (big.size() < 50u << 20) big += "Filler_Key=0123456789012345678901234567890123456789\n";
    WriteFileBytes(dir / "big.glx", big + "[General]\nPixelSize=7\n");
    TemplateFile file(dir / "big.glx");
    EXPECT_EQ(Read(file, "General", "PixelSize"), "7");
}

// Hand-written names in any case are found, and saving keeps the template's other lines.
TEST(TemplateFile, SavingOverAHandEditedTemplateKeepsItsOtherLines) {
    ScratchDir dir;
    const std::string path = dir / "edited.glx";
    WriteFileBytes(path,
                   "; my favourite spirals\r\n"
                   "[unigal0]\r\n"
                   "galaxy_radius=5\r\n"
                   "my_note=keep me\r\n"
                   "[universe]\r\n"
                   "universe_stars=1234\r\n");
    {
        TemplateFile file(path);
        TemplateFields fields;
        GalaxyTypeTable galaxies{};
        CompositeTable composites{};
        MemorySettingsStore store;
        OpenTemplate(file, store, fields, galaxies, composites);
        EXPECT_EQ(galaxies[0].Radius, 5.0f);  // lower-case names are found
        EXPECT_EQ(fields.txtUni[0], "1234");
        galaxies[0].Radius = 600;
        ASSERT_TRUE(SaveTemplate(file, store, fields, galaxies, composites));
    }
    const std::string text = ReadFileBytes(path);
    // The value replaced in place with its spelling, the foreign key kept, new keys after it.
    EXPECT_EQ(
        text.rfind(
            "; my favourite spirals\r\n[unigal0]\r\ngalaxy_radius=600\r\nmy_note=keep me\r\n_UniGalPct=", 0),
        0u)
        << text.substr(0, 200);
    EXPECT_NE(text.find("\r\n[universe]\r\nuniverse_stars=1234\r\n"), std::string::npos);
    const std::string lower = AsciiLower(text);  // no second copy of either section
    EXPECT_EQ(lower.find("[unigal0]", lower.find("[unigal0]") + 1), std::string::npos);
    EXPECT_EQ(lower.find("[universe]", lower.find("[universe]") + 1), std::string::npos);
}

// Templates written with the Windows profile functions or by hand may quote a value; the
// template reader drops a matching pair of quotes as Windows does, the settings file keeps
// what it stores.
TEST(TemplateFile, AValueInMatchingQuotesReadsWithoutThem) {
    ScratchDir dir;
    const struct {
        const char* line;
        const char* asTemplate;
        const char* asSettings;
    } rows[] = {
        {"\"quoted\"", "quoted", "\"quoted\""},
        {"'single'", "single", "'single'"},
        {"  \"padded\"  ", "padded", "\"padded\""},
        {"\"\"", "", "\"\""},
        {"\"", "\"", "\""},
        {"'", "'", "'"},
        {"\"lone", "\"lone", "\"lone"},
        {"lone'", "lone'", "lone'"},
        {"\"mixed'", "\"mixed'", "\"mixed'"},
        {"say \"hi\"", "say \"hi\"", "say \"hi\""},
        {"\"a\" and \"b\"", "a\" and \"b", "\"a\" and \"b\""},
    };
    std::string text = "[General]\n";
    for (size_t i = 0; i < std::size(rows); ++i)
        text += "Key" + std::to_string(i) + "=" + rows[i].line + "\n";
    const std::string glx = dir / "quoted.glx";
    WriteFileBytes(glx, text);
    WriteFileBytes(dir / FileSettingsStore::kFileName, text);
    TemplateFile file(glx);
    FileSettingsStore settings(dir.path());
    for (size_t i = 0; i < std::size(rows); ++i) {
        const std::string key = "Key" + std::to_string(i);
        EXPECT_EQ(Read(file, "General", key), rows[i].asTemplate) << rows[i].line;
        EXPECT_EQ(Read(settings, "General", key), rows[i].asSettings) << rows[i].line;
    }
    // What a template opened from such a file puts into the dialog.
    WriteFileBytes(glx, "[General]\nLockMessage=\"Gone stargazing\"\nFocalLength='2.5'\n");
    TemplateFile opened(glx);
    TemplateFields fields;
    GalaxyTypeTable galaxies{};
    CompositeTable composites{};
    MemorySettingsStore store;
    OpenTemplate(opened, store, fields, galaxies, composites);
    EXPECT_EQ(fields.txtMessage, "Gone stargazing");
    EXPECT_EQ(fields.txtFocalLen, "2.5");
}

}  // namespace
}  // namespace astrelle
