// The Windows file primitives: replacement by rename with write-through, what a read
// refuses to open, the lock between handles, folder paths with drive letters, and the
// settings file store on top of them.

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/profile_file.h"
#include "platform/services.h"
#include "win32_test_support.h"

namespace astrelle {
namespace {

using testing::CountFilesMatching;
using testing::ReadRawFile;
using testing::ScratchFolder;
using testing::WriteRawFile;
using win32::Widen;

DWORD Attributes(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str());
}

TEST(WindowsFiles, ReplacementWritesTheWholeFileAndLeavesNoTemporaryFile) {
    ScratchFolder dir;
    const std::string path = dir / "theme.glx";
    FileReadResult first;
    ASSERT_TRUE(ReplaceFileAtomically(path, "[General]\r\nPixelSize=1\r\n", &first));
    EXPECT_EQ(ReadRawFile(path), "[General]\r\nPixelSize=1\r\n");
    EXPECT_EQ(first.status, FileReadStatus::Ok);
    EXPECT_EQ(first.size, 24);

    // A hidden file stays hidden; the replacement is a new file under the old name.
    SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::string big(300000, 'x');
    FileReadResult second;
    ASSERT_TRUE(ReplaceFileAtomically(path, big, &second));
    EXPECT_EQ(ReadRawFile(path), big);
    EXPECT_TRUE(Attributes(path) & FILE_ATTRIBUTE_HIDDEN);
    const FileReadResult now = StatFile(path);
    EXPECT_EQ(now.inode, second.inode);
    EXPECT_NE(now.inode, first.inode);
    EXPECT_EQ(now.size, 300000);
    EXPECT_EQ(CountFilesMatching(dir / "*.tmp.*"), 0);
}

// The read-only mark is the store's to respect (it checks before writing, on both systems);
// a file another program holds open cannot be replaced on Windows, but Wine lets the
// rename through, so that case is left to a real system.
TEST(WindowsFiles, AFolderIsNeverReplacedAndAFailureLeavesNoTemporaryFile) {
    ScratchFolder dir;
    ASSERT_TRUE(WriteRawFile(dir / "inner", "x"));
    EXPECT_FALSE(ReplaceFileAtomically(dir.path(), "new"));
    EXPECT_FALSE(ReplaceFileAtomically(dir / "no-folder\\a.ini", "new"));
    EXPECT_EQ(ReadRawFile(dir / "inner"), "x");
    EXPECT_EQ(CountFilesMatching(dir / "*"), 1);
    EXPECT_EQ(CountFilesMatching(dir.path() + "*.tmp.*"), 0);
}

TEST(WindowsFiles, ReadsOpenOnlyFilesOnADiskAndStopAtTheLimit) {
    ScratchFolder dir;
    ASSERT_TRUE(WriteRawFile(dir / "a.ini", "12345"));
    const struct {
        std::string path;
        size_t limit;
        FileReadStatus status;
    } cases[] = {
        {dir / "a.ini", 5, FileReadStatus::Ok},
        {dir / "a.ini", 4, FileReadStatus::TooLarge},
        {dir / "missing.ini", 100, FileReadStatus::Missing},
        {dir / "no-folder\\a.ini", 100, FileReadStatus::Missing},
        {dir.path(), 100, FileReadStatus::NotRegular},
        {"NUL", 100, FileReadStatus::NotRegular},
    };
    for (const auto& c : cases) {
        const FileReadResult read = ReadWholeFile(c.path, c.limit);
        EXPECT_EQ(read.status, c.status) << c.path;
        EXPECT_EQ(read.bytes, c.status == FileReadStatus::Ok ? "12345" : "") << c.path;
    }
    EXPECT_EQ(StatFile(dir.path()).status, FileReadStatus::NotRegular);
    EXPECT_EQ(StatFile(dir / "missing.ini").status, FileReadStatus::Missing);
}

TEST(WindowsFiles, TheLockExcludesASecondHolderUntilReleased) {
    ScratchFolder dir;
    const std::string lockPath = dir / "settings.ini.lock";
    auto first = std::make_unique<FileLock>(lockPath, 0);
    ASSERT_TRUE(first->Locked());
    const uint32_t before = TickCountMs();
    EXPECT_FALSE(FileLock(lockPath, 50).Locked());
    EXPECT_GE(TickCountMs() - before, 40u);  // it waited before giving up
    first.reset();
    EXPECT_TRUE(FileLock(lockPath, 0).Locked());
    EXPECT_FALSE(FileLock(dir / "no-folder\\x.lock", 0).Locked());
}

TEST(WindowsFiles, FolderPartsKnowDrivesAndBothSeparators) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Users\\a\\theme.glx", "C:\\Users\\a"},
        {"C:\\theme.glx", "C:\\"},
        {"C:/Users/a/theme.glx", "C:/Users/a"},
        {"C:theme.glx", "C:"},
        {"theme.glx", "."},
        {"\\theme.glx", "\\"},
        {"\\\\server\\share\\theme.glx", "\\\\server\\share"},
    };
    for (auto [path, folder] : cases) EXPECT_EQ(DirectoryOf(path), folder) << path;

    ScratchFolder dir;
    EXPECT_TRUE(EnsureDirectory(dir / "a\\b/c"));
    EXPECT_TRUE(Attributes(dir / "a\\b\\c") & FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(WriteRawFile(dir / "file", ""));
    EXPECT_FALSE(EnsureDirectory(dir / "file"));
    EXPECT_FALSE(EnsureDirectory(dir / "file\\below"));
}

TEST(WindowsFiles, LeftoverTemporaryFilesOfOneFileAreRemoved) {
    ScratchFolder dir;
    for (const char* name : {"settings.ini.tmp.12.0", "settings.ini.tmp.99.7", "settings.ini",
                             "other.ini.tmp.1.1", "settings.ini.lock"}) {
        ASSERT_TRUE(WriteRawFile(dir / name, "x"));
    }
    RemoveLeftoverTempFiles(dir / "settings.ini");
    EXPECT_EQ(CountFilesMatching(dir / "settings.ini.tmp.*"), 0);
    EXPECT_EQ(CountFilesMatching(dir / "*"), 3);  // the file, its lock and the other file's temporary
}

TEST(WindowsFiles, TheSettingsFileStoreWorksOnWindowsPaths) {
    ScratchFolder dir;
    FileSettingsStore store(dir / "astrelle");
    ASSERT_TRUE(store.WriteText("Universe\\Galaxy3", "Galaxy_Radius", "250"));
    EXPECT_EQ(ReadRawFile(dir / "astrelle\\settings.ini"), "[Universe\\Galaxy3]\nGalaxy_Radius=250\n");
    // Another process's write is seen by the next read.
    FileSettingsStore other(dir / "astrelle");
    ASSERT_TRUE(other.WriteText("General", "PixelSize", "2"));
    EXPECT_EQ(store.ReadText("General", "PixelSize"), "2");
    // A read-only file is read and never written.
    SetFileAttributesW(Widen(dir / "astrelle\\settings.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(store.WriteText("General", "PixelSize", "3"));
    EXPECT_EQ(store.ReadText("General", "PixelSize"), "2");
}

}  // namespace
}  // namespace astrelle
