// The settings file and templates when the file system lets them down: a full disk (no
// space, no free inodes), a file system mounted read-only, a folder the user may not
// write, the file replaced by a folder and the file changed by another process between a
// read and a write. Every case must end the same way: writes fail without a word, reads
// keep working, and nothing that was stored before is lost or damaged.

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "platform/profile_file.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/template_files.h"
#include "test_support.h"

namespace astrelle {
namespace {

using testing::CountFilesStartingWith;
using testing::ReadFileBytes;
using testing::RunAsOrdinaryUser;
using testing::RunInChild;
using testing::ScratchDir;
using testing::WriteFileBytes;

// A small file system of this test alone: a tmpfs mounted over a scratch folder inside a
// private mount namespace, so no other process sees it and it goes away with the process
// even when the test dies half-way. Needs root.
class SmallDisk {
  public:
    explicit SmallDisk(const std::string& options) {
        if (::geteuid() != 0) {
            reason_ = "mounting a small file system needs root";
            return;
        }
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            reason_ = std::string("no private mount namespace: ") + std::strerror(errno);
            return;
        }
        if (::mount("astrelle-test", dir_.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                    (options + ",mode=0755").c_str()) != 0) {
            reason_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(dir_.path().c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& SkipReason() const { return reason_; }
    std::string operator/(const std::string& name) const { return dir_ / name; }

    // Takes every free block; true when the disk ended full.
    bool FillSpace() {
        std::ofstream filler(dir_ / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) filler.flush();
        return !filler;
    }
    void FreeSpace() { std::filesystem::remove(dir_ / "filler"); }

    // Takes every free inode; true when no file can be created any more.
    bool FillInodes() {
        std::filesystem::create_directory(dir_ / "inodes");
        for (int i = 0; i < 100000; ++i) {
            const std::string name = dir_ / ("inodes/" + std::to_string(i));
            int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0) return errno == ENOSPC;
            ::close(fd);
        }
        return false;
    }

    bool RemountReadOnly() {
        return ::mount(nullptr, dir_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                       nullptr) == 0;
    }

  private:
    ScratchDir dir_;
    std::string reason_;
    bool mounted_ = false;
};

#define REQUIRE_SMALL_DISK(disk) \
    if (!(disk).Mounted()) GTEST_SKIP() << (disk).SkipReason()

GalaxyTypeTable FactoryRows() {
    GalaxyTypeTable table{};
    LoadFactoryGalaxyTypes(table);
    for (int i = 0; i < kGalaxyTypeCount; ++i) ClampGalaxyType(table, i);
    return table;
}

// Every galaxy type row stored in folder, in the stored text form of its fields.
std::string StoredRows(const std::string& folder) {
    FileSettingsStore store(folder);
    GalaxyTypeTable table{};
    LoadAllGalaxyTypes(store, table);
    std::string text;
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        for (const SettingDef* def : GalaxyStoreOrder())
            text += FieldText(table[static_cast<size_t>(i)], *def) + ",";
    }
    return text;
}

// A settings folder with every galaxy type and a few general values, and a complete
// template beside it, as a user who has run the saver and saved a template has them.
void StoreSettingsAndTemplate(const std::string& folder, const std::string& templatePath) {
    FileSettingsStore store(folder);
    GalaxyTypeTable table = FactoryRows();
    ASSERT_TRUE(SaveAllGalaxyTypes(store, table));
    ASSERT_TRUE(store.WriteText("General", "LockMessage", "stored before"));
    ASSERT_TRUE(store.WriteText("Universe", "Universe_Stars", "4000"));
    TemplateFields fields;
    fields.txtPixelSize = "2";
    fields.txtMessage = "template message";
    CompositeTable composites{};
    TemplateFile file(templatePath);
    ASSERT_TRUE(SaveTemplate(file, store, fields, table, composites));
}

// Every way a write can reach the disk, each of which must fail and change nothing.
void ExpectEveryWriteRefused(const std::string& folder, const std::string& templatePath,
                             const std::string& newTemplatePath) {
    const std::string rowsBefore = StoredRows(folder);
    FileSettingsStore store(folder);
    EXPECT_FALSE(store.WriteText("General", "LockMessage", std::string(5000, 'x')));
    GalaxyTypeTable changed = FactoryRows();
    changed[3].Radius = 123;
    EXPECT_FALSE(SaveAllGalaxyTypes(store, changed));
    {
        TemplateFile source(templatePath);
        EXPECT_FALSE(ImportTemplate(source, store));
    }
    TemplateFields fields;
    fields.txtMessage = std::string(5000, 'y');
    CompositeTable composites{};
    for (const std::string& path : {templatePath, newTemplatePath}) {
        TemplateFile file(path);
        EXPECT_FALSE(SaveTemplate(file, store, fields, changed, composites)) << path;
    }
    // Reads go on as before the failures, from the same object and from a new one.
    EXPECT_EQ(store.ReadText("General", "LockMessage"), "stored before");
    EXPECT_EQ(FileSettingsStore(folder).ReadText("Universe", "Universe_Stars"), "4000");
    EXPECT_EQ(StoredRows(folder), rowsBefore);
    TemplateFile file(templatePath);
    EXPECT_EQ(IniReadText(file, "General", "LockMessage", ""), "template message");
}

// Stores settings and a template on the small disk, lets breakDisk take it away and checks
// that every write fails without leaving a file behind and that nothing stored changes.
void ExpectBrokenDiskLosesNothing(SmallDisk& disk, const std::function<bool()>& breakDisk,
                                  bool withoutLockFile = false) {
    const std::string folder = disk / "config";
    const std::string glx = disk / "mine.glx";
    ASSERT_NO_FATAL_FAILURE(StoreSettingsAndTemplate(folder, glx));
    // A settings file that arrived without its lock file (copied from another machine).
    if (withoutLockFile) std::filesystem::remove(folder + "/settings.ini.lock");
    const std::string settingsBefore = ReadFileBytes(folder + "/settings.ini");
    const std::string templateBefore = ReadFileBytes(glx);
    ASSERT_TRUE(breakDisk());

    ExpectEveryWriteRefused(folder, glx, disk / "new.glx");
    EXPECT_EQ(ReadFileBytes(folder + "/settings.ini"), settingsBefore);
    EXPECT_EQ(ReadFileBytes(glx), templateBefore);
    EXPECT_FALSE(std::filesystem::exists(disk / "new.glx"));  // not even an empty file
    EXPECT_EQ(CountFilesStartingWith(folder, "settings.ini.tmp"), 0);
    EXPECT_EQ(CountFilesStartingWith(disk / "", "mine.glx.tmp"), 0);
    // A first run on such a disk: the folder cannot be made, every read gives its default.
    FileSettingsStore fresh(disk / "elsewhere/astrelle");
    EXPECT_FALSE(fresh.WriteText("General", "PixelSize", "2"));
    EXPECT_EQ(GetSettingInt16(fresh, "General", "PixelSize", 1), 1);
}

TEST(StoreFailures, AFullDiskRefusesEveryWriteAndLosesNothing) {
    SmallDisk disk("size=256k");
    REQUIRE_SMALL_DISK(disk);
    ASSERT_NO_FATAL_FAILURE(ExpectBrokenDiskLosesNothing(disk, [&] { return disk.FillSpace(); }));
    // Once there is room again the same objects store as usual.
    FileSettingsStore store(disk / "config");
    EXPECT_FALSE(store.WriteText("General", "PixelSize", std::string(5000, '9')));
    disk.FreeSpace();
    EXPECT_TRUE(store.WriteText("General", "PixelSize", std::string(5000, '9')));
    EXPECT_EQ(FileSettingsStore(disk / "config").ReadText("General", "LockMessage"), "stored before");
}

TEST(StoreFailures, NoFreeInodesRefusesEveryWriteAndLosesNothing) {
    SmallDisk disk("size=4m,nr_inodes=64");
    REQUIRE_SMALL_DISK(disk);
    ExpectBrokenDiskLosesNothing(
        disk, [&] { return disk.FillInodes(); }, true);
}

TEST(StoreFailures, AReadOnlyFileSystemRefusesEvenRoot) {
    SmallDisk disk("size=1m");
    REQUIRE_SMALL_DISK(disk);
    ExpectBrokenDiskLosesNothing(disk, [&] { return disk.RemountReadOnly(); });
}

// A folder the user may read but not write: the settings there are read, and neither they
// nor a template there can be replaced, even though the template itself is writable.
TEST(StoreFailures, AReadOnlyFolderIsReadButNothingInItIsReplaced) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "shared");
    ASSERT_TRUE(FileSettingsStore(dir / "shared").WriteText("General", "LockMessage", "visible"));
    const std::string glx = dir / "shared/theirs.glx";
    WriteFileBytes(glx, "[General]\nLockMessage=theirs\n");
    ::chmod(glx.c_str(), 0666);
    ::chmod((dir / "shared/settings.ini").c_str(), 0644);
    ::chmod((dir / "shared").c_str(), 0555);
    const std::string settingsBefore = ReadFileBytes(dir / "shared/settings.ini");
    const int result = RunAsOrdinaryUser([&] {
        // A scratch folder below a private temporary folder cannot be reached at all.
        if (::access(dir.path().c_str(), X_OK) != 0) return testing::kCannotDropPrivileges;
        FileSettingsStore settings(dir / "shared");
        if (settings.ReadText("General", "LockMessage") != "visible") return 1;
        if (settings.WriteText("General", "LockMessage", "changed")) return 2;
        if (settings.ReadText("General", "LockMessage") != "visible") return 3;
        FileSettingsStore nowhere(dir / "shared/missing/astrelle");  // cannot even create the folder
        if (nowhere.ReadText("General", "LockMessage").has_value()) return 4;
        if (nowhere.WriteText("General", "LockMessage", "x")) return 5;
        MemorySettingsStore store;
        TemplateFields fields;
        GalaxyTypeTable table = FactoryRows();
        CompositeTable composites{};
        TemplateFile file(glx);
        OpenTemplate(file, store, fields, table, composites);
        if (fields.txtMessage != "theirs") return 6;
        fields.txtMessage = "mine";
        if (SaveTemplate(file, store, fields, table, composites)) return 7;
        if (IniReadText(file, "General", "LockMessage", "") != "theirs") return 8;
        return 0;
    });
    if (result == testing::kCannotDropPrivileges) GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFileBytes(dir / "shared/settings.ini"), settingsBefore);
    EXPECT_EQ(ReadFileBytes(glx), "[General]\nLockMessage=theirs\n");
    EXPECT_EQ(CountFilesStartingWith(dir / "shared", "theirs.glx"), 1);
    EXPECT_EQ(CountFilesStartingWith(dir / "shared", "settings.ini.tmp"), 0);
}

TEST(StoreFailures, TheFileReplacedByAFolderBetweenReadAndWrite) {
    ScratchDir dir;
    const std::string glx = dir / "mine.glx";
    ASSERT_NO_FATAL_FAILURE(StoreSettingsAndTemplate(dir.path(), glx));
    const std::string rowsBefore = StoredRows(dir.path());
    FileSettingsStore store(dir.path());
    ASSERT_EQ(store.ReadText("General", "LockMessage"), "stored before");
    TemplateFile file(glx);
    ASSERT_EQ(IniReadText(file, "General", "LockMessage", ""), "template message");

    // Another process moves both files aside and leaves folders in their place.
    const auto replace = [&](const std::string& path) {
        return RunInChild([&] {
            std::error_code ec;
            std::filesystem::rename(path, path + ".moved", ec);
            std::filesystem::create_directory(path, ec);
            WriteFileBytes(path + "/inside", "keep");
            return ec ? 1 : 0;
        });
    };
    ASSERT_EQ(replace(dir / "settings.ini"), 0);
    ASSERT_EQ(replace(glx), 0);

    EXPECT_FALSE(store.WriteText("General", "LockMessage", "after"));
    EXPECT_EQ(store.ReadText("General", "LockMessage"), std::nullopt);  // nothing readable there now
    EXPECT_EQ(GetSettingText(store, "General", "LockMessage", "default"), "default");
    TemplateFields fields;
    GalaxyTypeTable table = FactoryRows();
    CompositeTable composites{};
    MemorySettingsStore settings;
    EXPECT_FALSE(SaveTemplate(file, settings, fields, table, composites));
    EXPECT_EQ(IniReadText(file, "General", "LockMessage", ""), "template message");  // its snapshot
    for (const std::string& path : {dir / "settings.ini", glx}) {
        EXPECT_TRUE(std::filesystem::is_directory(path));
        EXPECT_EQ(ReadFileBytes(path + "/inside"), "keep");
    }
    EXPECT_EQ(CountFilesStartingWith(dir.path(), "settings.ini.tmp"), 0);
    EXPECT_EQ(CountFilesStartingWith(dir.path(), "mine.glx.tmp"), 0);

    // When the file comes back, so do its values.
    std::filesystem::remove_all(dir / "settings.ini");
    std::filesystem::rename(dir / "settings.ini.moved", dir / "settings.ini");
    EXPECT_EQ(store.ReadText("General", "LockMessage"), "stored before");
    EXPECT_TRUE(store.WriteText("General", "LockMessage", "after"));
    EXPECT_EQ(StoredRows(dir.path()), rowsBefore);
}

TEST(StoreFailures, TheFileChangedByAnotherProcessBetweenReadAndWrite) {
    ScratchDir dir;
    const std::string glx = dir / "mine.glx";
    ASSERT_NO_FATAL_FAILURE(StoreSettingsAndTemplate(dir.path(), glx));
    const std::string rowsBefore = StoredRows(dir.path());
    FileSettingsStore store(dir.path());
    ASSERT_EQ(store.ReadText("Universe", "Universe_Stars"), "4000");
    TemplateFile file(glx);
    TemplateFields fields;
    GalaxyTypeTable table = FactoryRows();
    CompositeTable composites{};
    MemorySettingsStore settings;
    OpenTemplate(file, settings, fields, table, composites);

    // The dialog of a second instance stores values, then someone edits both files by hand.
    ASSERT_EQ(RunInChild([&] {
                  FileSettingsStore other(dir.path());
                  if (!other.WriteText("Universe", "Universe_Stars", "5000")) return 1;
                  if (!other.WriteText("Advanced", "Adv_TimeDelay", "40")) return 2;
                  std::ofstream(dir / "settings.ini", std::ios::app) << "[Notes]\nkept=yes\n";
                  std::ofstream(glx, std::ios::app) << "[Notes]\nkept=yes\n";
                  return 0;
              }),
              0);

    EXPECT_EQ(store.ReadText("Universe", "Universe_Stars"), "5000");  // reads see the change
    {
        StoreBatch batch(store);
        store.WriteText("General", "PixelSize", "3");
        EXPECT_TRUE(batch.Commit());
    }
    FileSettingsStore fresh(dir.path());
    EXPECT_EQ(fresh.ReadText("General", "PixelSize"), "3");
    EXPECT_EQ(fresh.ReadText("Universe", "Universe_Stars"), "5000");
    EXPECT_EQ(fresh.ReadText("Advanced", "Adv_TimeDelay"), "40");
    EXPECT_EQ(fresh.ReadText("Notes", "kept"), "yes");
    EXPECT_EQ(fresh.ReadText("General", "LockMessage"), "stored before");
    EXPECT_EQ(StoredRows(dir.path()), rowsBefore);

    // Saving the opened template keeps the hand-made section added since it was opened.
    fields.txtMessage = "saved again";
    ASSERT_TRUE(SaveTemplate(file, settings, fields, table, composites));
    TemplateFile reopened(glx);
    EXPECT_EQ(IniReadText(reopened, "Notes", "kept", ""), "yes");
    EXPECT_EQ(IniReadText(reopened, "General", "LockMessage", ""), "saved again");
}

}  // namespace
}  // namespace astrelle
