// The settings file and template files on a real file system: location, batching,
// permissions, files that may not or cannot be written, links, other writers, and
// templates saved over hand-edited ones.

#include "platform/profile_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
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
    // Without a folder (no home at all) nothing is stored, not even beside the program.
    ScratchDir dir;
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    EXPECT_FALSE(FileSettingsStore("").WriteText("General", "PixelSize", "2"));
    std::filesystem::current_path(here);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
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
    const FileReadResult stored = StatFile(dir / "settings.ini");
    ASSERT_TRUE(fresh.WriteText("General", "PixelSize", "4"));  // no change: no new file
    EXPECT_EQ(StatFile(dir / "settings.ini").inode, stored.inode);
}

mode_t ModeBits(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// A new file gets 0666 less the umask; a replaced one keeps the permission bits the user
// gave it; one without any write bit is not replaced, even where root could write it.
TEST(FileSettingsStore, PermissionBitsAreKeptAndReadOnlyFilesStay) {
    ScratchDir dir;
    const std::string path = dir / "settings.ini";
    FileSettingsStore store(dir.path());
    const mode_t umask = ::umask(027);
    ASSERT_TRUE(store.WriteText("General", "PixelSize", "2"));
    ::umask(umask);
    EXPECT_EQ(ModeBits(path), 0640u);
    for (mode_t mode : {0604u, 0464u}) {  // 0464: writable, though not by its owner
        ::chmod(path.c_str(), mode);
        ASSERT_TRUE(store.WriteText("General", "LockMessage", std::to_string(mode)));
        EXPECT_EQ(ModeBits(path), mode);
    }
    ::chmod(path.c_str(), 0444);
    const std::string before = ReadFileBytes(path);
    store.BeginBatch();
    store.WriteText("General", "FocalLength", "3");
    EXPECT_FALSE(store.CommitBatch());
    EXPECT_EQ(ReadFileBytes(path), before);
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
        if (before.status == FileReadStatus::NotRegular) {  // not even when asked directly
            EXPECT_FALSE(ReplaceFileAtomically(path, "[General]\n"));
        }
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

TEST(TemplateFile, AMissingFolderOrAFolderInPlaceDoNoHarm) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "folder.glx");
    for (const std::string& path : {dir / "nowhere/t.glx", dir / "folder.glx"}) {
        TemplateFile file(path);
        EXPECT_EQ(Read(file, "General", "PixelSize"), "<missing>");
        EXPECT_FALSE(file.WriteText("General", "PixelSize", "2"));
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.glx"));
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
