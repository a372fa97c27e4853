// ~/.xscreensaver on disk: created when missing, written only when something changes,
// left untouched (with a clear reason) when it may not be written, followed through a link.
// xscreensaver, and so the registration with it, exists only on X11 desktops.
#ifndef _WIN32
#include "shell/logic/xscreensaver_registration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/test_support.h"
#include "shell/logic/xscreensaver_config.h"

namespace astrelle {
namespace {

using testing::ReadFileBytes;
using testing::ScratchDir;
using testing::WriteFileBytes;

constexpr const char* kCommand = "astrelle --root";
constexpr RegistrationRequest kAdd = RegistrationRequest::Add;
constexpr RegistrationRequest kRemove = RegistrationRequest::Remove;

const std::string kListed =
    "mode:\t\tone\nprograms:\t\\\n\t\t\t\tastrelle --root\t\\n\\\n\t\t\t\tqix --root\t\\n\\\n\n";
const std::string kNotListed = "mode:\t\tone\nprograms:\t\\\n\t\t\t\tqix --root\t\\n\\\n\n";

RegistrationOutcome Update(RegistrationRequest request, const std::string& path,
                           DaemonState daemon = DaemonState::NotRunning) {
    return UpdateXScreenSaverPreferences(request, path, kCommand, daemon);
}

TEST(XScreenSaverRegistration, AMissingFileIsCreatedByAddAndLeftMissingByRemove) {
    ScratchDir dir;
    const std::string path = dir / ".xscreensaver";
    const RegistrationOutcome removed = Update(kRemove, path);
    EXPECT_TRUE(removed.succeeded);
    EXPECT_FALSE(removed.changed);
    EXPECT_FALSE(std::filesystem::exists(path));

    const RegistrationOutcome added = Update(kAdd, path, DaemonState::Running);
    EXPECT_TRUE(added.succeeded);
    EXPECT_TRUE(added.changed);
    EXPECT_EQ(ReadFileBytes(path), NewPreferencesFile(kCommand));
    EXPECT_NE(added.message.find(path), std::string::npos) << added.message;
    EXPECT_NE(added.message.find("xscreensaver is running"), std::string::npos) << added.message;
    EXPECT_EQ(testing::CountFilesStartingWith(dir.path(), "."), 1);
}

// Nothing to do writes nothing: the file keeps its identity, and the message says so
// without claiming that xscreensaver has anything to notice.
TEST(XScreenSaverRegistration, OnlyAChangeIsWrittenAndAnnounced) {
    ScratchDir dir;
    const std::string path = dir / ".xscreensaver";
    const struct {
        RegistrationRequest request;
        const std::string& before;
        const std::string& after;
        bool changed;
    } cases[] = {
        {kAdd, kListed, kListed, false},
        {kRemove, kNotListed, kNotListed, false},
        {kRemove, kListed, kNotListed, true},
        {kAdd, kNotListed, AddProgramsEntry(kNotListed, kCommand).text, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before + (c.request == kAdd ? " add" : " remove"));
        WriteFileBytes(path, c.before);
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);
        const RegistrationOutcome outcome = Update(c.request, path, DaemonState::Running);
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_TRUE(outcome.succeeded);
        EXPECT_EQ(outcome.changed, c.changed);
        EXPECT_EQ(ReadFileBytes(path), c.after);
        EXPECT_EQ(before.st_ino != after.st_ino, c.changed);
        EXPECT_EQ(outcome.message.find("xscreensaver is running") != std::string::npos, c.changed)
            << outcome.message;
    }
}

// A read-only file, a folder in its place and a file that cannot be read are refused
// with the path and the reason, and nothing on disk changes.
TEST(XScreenSaverRegistration, AFileThatMayNotBeWrittenIsLeftAsItWas) {
    ScratchDir dir;
    const std::string path = dir / ".xscreensaver";
    for (auto [request, text] : {std::pair{kRemove, kListed}, std::pair{kAdd, kNotListed}}) {
        ::unlink(path.c_str());
        WriteFileBytes(path, text);
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        const RegistrationOutcome outcome = Update(request, path);
        EXPECT_FALSE(outcome.succeeded);
        EXPECT_FALSE(outcome.changed);
        EXPECT_NE(outcome.message.find(path + ": it is read-only; nothing was changed."), std::string::npos)
            << outcome.message;
        EXPECT_EQ(ReadFileBytes(path), text);
    }
    // Removing what is not there needs no write, so it succeeds even read-only.
    EXPECT_TRUE(Update(kRemove, path).succeeded);

    const std::string folder = dir / "folder";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const RegistrationOutcome onFolder = Update(kAdd, folder);
    EXPECT_FALSE(onFolder.succeeded);
    EXPECT_NE(onFolder.message.find("not a regular file"), std::string::npos) << onFolder.message;
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// As an ordinary user: another user's file, an unreadable file and a read-only folder are
// refused, and no temporary file is left behind.
TEST(XScreenSaverRegistration, AnOrdinaryUserIsRefusedWhatTheFileSystemForbids) {
    ScratchDir dir;
    const std::string othersFile = dir / "others";
    WriteFileBytes(othersFile, kNotListed);
    ::chmod(othersFile.c_str(), 0666);  // writable by all, yet owned by root
    const std::string closedFile = dir / "closed";
    WriteFileBytes(closedFile, kNotListed);
    ::chmod(closedFile.c_str(), 0);
    const std::string lockedDir = dir / "locked";
    ::mkdir(lockedDir.c_str(), 0555);
    ::chmod(dir.path().c_str(), 0777);
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to create files of another user";

    const int result = testing::RunAsOrdinaryUser([&] {
        const RegistrationOutcome others = Update(kAdd, othersFile);
        if (others.succeeded || others.message.find("belongs to another user") == std::string::npos) return 1;
        const RegistrationOutcome closed = Update(kAdd, closedFile);
        if (closed.succeeded || closed.message.find("cannot be read") == std::string::npos) return 2;
        const RegistrationOutcome locked = Update(kAdd, lockedDir + "/.xscreensaver");
        if (locked.succeeded || locked.message.find("its folder takes no new files") == std::string::npos)
            return 3;
        return 0;
    });
    ASSERT_NE(result, testing::kCannotDropPrivileges);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFileBytes(othersFile), kNotListed);
    EXPECT_TRUE(std::filesystem::is_empty(lockedDir));
    const auto entries = std::filesystem::directory_iterator(dir.path());
    EXPECT_EQ(std::distance(std::filesystem::begin(entries), std::filesystem::end(entries)), 3);
}

// Preferences kept in a dotfiles folder and linked into the home: the file is edited, the
// link stays.
TEST(XScreenSaverRegistration, ALinkedFileIsEditedInPlace) {
    ScratchDir dir;
    const std::string target = dir / "dotfiles-xscreensaver";
    WriteFileBytes(target, kListed);
    const std::string link = dir / ".xscreensaver";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    EXPECT_TRUE(Update(kRemove, link).changed);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), kNotListed);
}

// xscreensaver finds the bare name when it is this program; otherwise the full path.
TEST(XScreenSaverRegistration, TheCommandNamesThisProgram) {
    ScratchDir dir;
    const std::string self = dir / "astrelle";
    const std::string other = dir / "other";
    WriteFileBytes(self, "");
    WriteFileBytes(other, "");
    const std::string spaced = dir / "my stars";
    WriteFileBytes(spaced, "");
    EXPECT_EQ(HackCommand(self, self), "astrelle --root");
    EXPECT_EQ(HackCommand("", ""), "astrelle --root");
    EXPECT_EQ(HackCommand(self, other), self + " --root");
    EXPECT_EQ(HackCommand(self, ""), self + " --root");
    EXPECT_EQ(HackCommand(spaced, ""), "'" + spaced + "' --root");
}

}  // namespace
}  // namespace astrelle

#endif  // _WIN32
