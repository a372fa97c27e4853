// The settings file and template files on a real file system: location, batching, other
// writers, damaged or foreign files, and files or folders that may not be written.

#include "platform/profile_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <optional>

#include <gtest/gtest.h>

#include "test_support.h"

namespace astrelle {
namespace {

using testing::CountFilesStartingWith;
using testing::ReadFileBytes;
using testing::RunAsOrdinaryUser;
using testing::RunInChild;
using testing::ScratchDir;
using testing::WriteFileBytes;

std::string Read(SettingsStore& store, std::string_view section, std::string_view key) {
    return store.ReadText(section, key).value_or("<missing>");
}

class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SettingsLocation, FollowsTheEnvironment) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv own("ASTRELLE_CONFIG_DIR", "/etc/custom");
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(FileSettingsStore::DefaultDirectory(), "/etc/custom");
    }
    ScopedEnv own("ASTRELLE_CONFIG_DIR", "");
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(FileSettingsStore::DefaultDirectory(), "/xdg/astrelle");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/path");
        EXPECT_EQ(FileSettingsStore::DefaultDirectory(), "/home/someone/.config/astrelle");
    }
    ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(FileSettingsStore::DefaultDirectory(), "/home/someone/.config/astrelle");
}

TEST(FileSettingsStore, CreatesItsFolderAndWritesPlainSections) {
    ScratchDir dir;
    const std::string folder = dir / "a/b/astrelle";
    FileSettingsStore store(folder);
    EXPECT_EQ(Read(store, "General", "PixelSize"), "<missing>");
    EXPECT_FALSE(std::filesystem::exists(folder));  // reading creates nothing

    ASSERT_TRUE(store.WriteText("Universe\\Galaxy3", "Galaxy_Radius", "250"));
    ASSERT_TRUE(store.WriteText("General", "LockMessage", "Hello, stars"));
    EXPECT_EQ(ReadFileBytes(folder + "/settings.ini"),
              "[Universe\\Galaxy3]\nGalaxy_Radius=250\n[General]\nLockMessage=Hello, stars\n");
    EXPECT_EQ(Read(store, "universe\\GALAXY3", "galaxy_radius"), "250");

    FileSettingsStore other(folder);
    EXPECT_EQ(Read(other, "GENERAL", "lockmessage"), "Hello, stars");
    EXPECT_FALSE(store.WriteText("General", "LockMessage", "two\nlines"));
    EXPECT_EQ(Read(other, "General", "LockMessage"), "Hello, stars");
}

TEST(FileSettingsStore, ABatchRewritesTheFileOnceAndReadsSeeItsValues) {
    ScratchDir dir;
    FileSettingsStore store(dir.path());
    ASSERT_TRUE(store.WriteText("General", "PixelSize", "1"));
    const FileReadResult before = StatFile(dir / "settings.ini");
    {
        StoreBatch outer(store);
        for (int i = 0; i < 500; ++i)
            store.WriteText("Universe", "Key" + std::to_string(i), std::to_string(i));
        {
            StoreBatch inner(store);
            store.WriteText("General", "PixelSize", "4");
            EXPECT_TRUE(inner.Commit());  // nested: nothing stored yet
        }
        EXPECT_EQ(Read(store, "general", "pixelsize"), "4");
        EXPECT_EQ(Read(store, "Universe", "KEY499"), "499");
        const FileReadResult during = StatFile(dir / "settings.ini");
        EXPECT_EQ(during.inode, before.inode);
        EXPECT_EQ(during.size, before.size);
        EXPECT_TRUE(outer.Commit());
    }
    FileSettingsStore fresh(dir.path());
    EXPECT_EQ(Read(fresh, "General", "PixelSize"), "4");
    EXPECT_EQ(Read(fresh, "Universe", "Key0"), "0");
    EXPECT_EQ(Read(fresh, "Universe", "Key499"), "499");
}

TEST(FileSettingsStore, WritersKeepWhatOthersStoredMeanwhile) {
    ScratchDir dir;
    FileSettingsStore saver(dir.path());
    FileSettingsStore dialog(dir.path());
    ASSERT_TRUE(saver.WriteText("General", "AnimationType", "0"));
    EXPECT_EQ(Read(dialog, "General", "AnimationType"), "0");  // dialog has read the file now
    ASSERT_TRUE(saver.WriteText("Universe", "Universe_Stars", "3000"));
    ASSERT_TRUE(dialog.WriteText("Advanced", "Adv_TimeDelay", "40"));
    EXPECT_EQ(Read(saver, "Advanced", "Adv_TimeDelay"), "40");
    EXPECT_EQ(Read(dialog, "Universe", "Universe_Stars"), "3000");
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
    ::chmod((dir / "settings.ini").c_str(), 0444);
    const std::string before = ReadFileBytes(dir / "settings.ini");
    EXPECT_FALSE(store.WriteText("General", "PixelSize", "7"));
    store.BeginBatch();
    store.WriteText("General", "FocalLength", "3");
    EXPECT_FALSE(store.CommitBatch());
    EXPECT_EQ(ReadFileBytes(dir / "settings.ini"), before);
    EXPECT_EQ(Read(store, "General", "PixelSize"), "2");
    EXPECT_EQ(Read(store, "General", "FocalLength"), "<missing>");
    EXPECT_EQ(CountFilesStartingWith(dir.path(), "settings.ini.tmp"), 0);
}

// Reading must work where the user may read but not write; the folder and the file are
// made read-only and a child without root rights uses them.
TEST(FileSettingsStore, ReadOnlyFolderNeedsNoWriteAccessToRead) {
    ScratchDir dir;
    {
        FileSettingsStore store(dir.path());
        ASSERT_TRUE(store.WriteText("General", "LockMessage", "visible"));
    }
    ::chmod((dir / "settings.ini").c_str(), 0644);
    ::chmod(dir.path().c_str(), 0555);
    const std::string before = ReadFileBytes(dir / "settings.ini");
    int result = RunAsOrdinaryUser([&] {
        // A scratch folder below a private temporary folder cannot be reached at all.
        if (::access(dir.path().c_str(), X_OK) != 0) return testing::kCannotDropPrivileges;
        FileSettingsStore store(dir.path());
        if (store.ReadText("General", "LockMessage") != "visible") return 1;
        if (store.WriteText("General", "LockMessage", "changed")) return 2;
        if (store.ReadText("General", "LockMessage") != "visible") return 3;
        FileSettingsStore nowhere(dir / "missing/astrelle");  // cannot even create the folder
        if (nowhere.ReadText("General", "LockMessage").has_value()) return 4;
        if (nowhere.WriteText("General", "LockMessage", "x")) return 5;
        return 0;
    });
    if (result == testing::kCannotDropPrivileges) GTEST_SKIP() << "cannot run as an ordinary user";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFileBytes(dir / "settings.ini"), before);
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

TEST(FileSettingsStore, SomethingElseInPlaceOfTheFileIsNeverReplaced) {
    ScratchDir dir;
    // A folder where the file should be.
    std::filesystem::create_directory(dir / "settings.ini");
    {
        FileSettingsStore store(dir.path());
        EXPECT_EQ(Read(store, "General", "PixelSize"), "<missing>");
        EXPECT_FALSE(store.WriteText("General", "PixelSize", "2"));
        EXPECT_TRUE(std::filesystem::is_directory(dir / "settings.ini"));
    }
    std::filesystem::remove(dir / "settings.ini");
    // A named pipe must not block the reader.
    ASSERT_EQ(::mkfifo((dir / "settings.ini").c_str(), 0644), 0);
    {
        FileSettingsStore store(dir.path());
        EXPECT_EQ(Read(store, "General", "PixelSize"), "<missing>");
        EXPECT_FALSE(store.WriteText("General", "PixelSize", "2"));
    }
    std::filesystem::remove(dir / "settings.ini");
    // A file beyond any sensible size (sparse, so it costs no disk).
    {
        int fd = ::open((dir / "settings.ini").c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kMaxProfileFileBytes) + 1), 0);
        ::close(fd);
        FileSettingsStore store(dir.path());
        EXPECT_EQ(Read(store, "General", "PixelSize"), "<missing>");
        EXPECT_FALSE(store.WriteText("General", "PixelSize", "2"));
        EXPECT_EQ(std::filesystem::file_size(dir / "settings.ini"), kMaxProfileFileBytes + 1);
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
    // The write starts from the file as it is now and leaves its other lines alone.
    EXPECT_EQ(ReadFileBytes(path), "[Admin]\nProduct=Changed\nVersion=2.0\n[General]\nPixelSize=2\n");
    EXPECT_EQ(CountFilesStartingWith(dir.path(), "mine.glx"), 1);  // no lock file, no leftovers
}

TEST(TemplateFile, UnusableFilesReadAsEmptyAndAreNotReplaced) {
    ScratchDir dir;
    {
        TemplateFile missingFolder(dir / "nowhere/t.glx");
        EXPECT_EQ(Read(missingFolder, "General", "PixelSize"), "<missing>");
        EXPECT_FALSE(missingFolder.WriteText("General", "PixelSize", "2"));
        EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
    }
    {
        std::filesystem::create_directory(dir / "folder.glx");
        TemplateFile folder(dir / "folder.glx");
        EXPECT_EQ(Read(folder, "General", "PixelSize"), "<missing>");
        EXPECT_EQ(folder.LastReadStatus(), FileReadStatus::NotRegular);
        EXPECT_FALSE(folder.WriteText("General", "PixelSize", "2"));
    }
    {
        WriteFileBytes(dir / "locked.glx", "[General]\nPixelSize=5\n");
        ::chmod((dir / "locked.glx").c_str(), 0444);
        TemplateFile locked(dir / "locked.glx");
        EXPECT_EQ(Read(locked, "General", "PixelSize"), "5");
        EXPECT_FALSE(locked.WriteText("General", "PixelSize", "2"));
        EXPECT_EQ(ReadFileBytes(dir / "locked.glx"), "[General]\nPixelSize=5\n");
    }
    {
        // Fifty megabytes of text with one long line and keys before any section.
        std::string big = "PixelSize=1\n" + std::string(1'000'000, 'x') + "\n";
        std::string filler = "Filler_Key=0123456789012345678901234567890123456789\n";
        while (big.size() < 50u << 20) big += filler;
        big += "[General]\nPixelSize=7\n";
        WriteFileBytes(dir / "big.glx", big);
        TemplateFile file(dir / "big.glx");
        EXPECT_EQ(Read(file, "General", "PixelSize"), "7");
    }
}

}  // namespace
}  // namespace astrelle
