// Reading, editing and replacing ~/.xscreensaver for the registration requests.
#include "shell/logic/xscreensaver_registration.h"

#include "platform/atomic_file.h"
#include "platform/services.h"
#include "platform/user_environment.h"
#include "shell/logic/xscreensaver_config.h"

namespace astrelle {
namespace {

constexpr std::string_view kHackOptions = " --root";

std::string RefusalReason(WriteAccess access) {
    switch (access) {
        case WriteAccess::ReadOnly:
            return "it is read-only";
        case WriteAccess::OtherOwner:
            return "it belongs to another user (run this as the user whose screen xscreensaver blanks)";
        case WriteAccess::FolderReadOnly:
            return "its folder takes no new files";
        case WriteAccess::Allowed:
            break;
    }
    return {};
}

std::string ReadFailureReason(FileReadStatus status) {
    switch (status) {
        case FileReadStatus::NotRegular:
            return "it is not a regular file";
        case FileReadStatus::Unreadable:
            return "it cannot be read";
        case FileReadStatus::TooLarge:
            return "it is far too large to be a preferences file";
        case FileReadStatus::Ok:
        case FileReadStatus::Missing:
            break;
    }
    return {};
}

RegistrationOutcome Failure(const std::string& path, const std::string& reason) {
    return {false, false, "astrelle: cannot change " + path + ": " + reason + "; nothing was changed.\n"};
}

std::string DaemonNote(DaemonState daemon, const std::string& path) {
    if (daemon == DaemonState::Running) {
        return "xscreensaver is running: it notices the change of " + path +
               " by itself the next time it starts a screen saver.\n";
    }
    return "xscreensaver is not running; it reads " + path + " when it starts.\n";
}

}  // namespace

RegistrationOutcome UpdateXScreenSaverPreferences(RegistrationRequest request, const std::string& path,
                                                  std::string_view command, DaemonState daemon) {
    const FileReadResult current = ReadWholeFile(path);
    if (current.status != FileReadStatus::Ok && current.status != FileReadStatus::Missing)
        return Failure(path, ReadFailureReason(current.status));

    std::string message;
    std::string newText;
    if (current.status == FileReadStatus::Missing) {
        if (request == RegistrationRequest::Remove)
            return {true, false,
                    "Astrelle is not registered: " + path + " does not exist. Nothing changed.\n"};
        newText = NewPreferencesFile(command);
        message = "Created " + path + " with Astrelle (\"" + std::string(command) +
                  "\") as its screen saver; xscreensaver keeps its defaults for everything else.\n";
    } else {
        const ConfigEditResult edit = request == RegistrationRequest::Add
                                          ? AddProgramsEntry(current.bytes, command)
                                          : RemoveProgramsEntries(current.bytes, command);
        switch (edit.edit) {
            case ConfigEdit::Unchanged:
                return {true, false,
                        request == RegistrationRequest::Add
                            ? "Astrelle is already in the screen savers of " + path + ". Nothing changed.\n"
                            : "Astrelle is not in the screen savers of " + path + ". Nothing changed.\n"};
            case ConfigEdit::Added:
                message = "Added Astrelle (\"" + std::string(command) + "\") to the screen savers of " +
                          path + ".\nChoose it in xscreensaver-settings to run it alone.\n";
                break;
            case ConfigEdit::Enabled:
                message =
                    "Astrelle was in the screen savers of " + path + " but disabled; it is enabled again.\n";
                break;
            case ConfigEdit::Removed:
                message = "Removed Astrelle from the screen savers of " + path + ".\n";
                break;
        }
        newText = edit.text;
    }

    if (const WriteAccess access = CheckWriteAccess(path); access != WriteAccess::Allowed)
        return Failure(path, RefusalReason(access));
    if (!ReplaceFileAtomically(path, newText))
        return Failure(path, "writing the new file failed (is the disk full or the folder read-only?)");
    return {true, true, message + DaemonNote(daemon, path)};
}

std::string HackCommand(const std::string& selfPath, const std::string& foundOnSearchPath) {
    if (selfPath.empty() || (!foundOnSearchPath.empty() && IsSameFile(selfPath, foundOnSearchPath)))
        return std::string(kHackProgramName) + std::string(kHackOptions);
    return QuoteCommandWord(selfPath) + std::string(kHackOptions);
}

RegistrationOutcome RegisterWithXScreenSaver(RegistrationRequest request) {
    const std::string home = HomeFolder();
    if (home.empty()) return {false, false, "astrelle: cannot find the home folder (HOME is not set).\n"};
    const std::string path = home + "/.xscreensaver";
    const std::string daemonSearchPath =
        EnvironmentValue("PATH").value_or("") + ":" + std::string(kXScreenSaverHackFolder);
    const std::string command =
        HackCommand(ExecutablePath(), FindOnSearchPath(kHackProgramName, daemonSearchPath));
    const DaemonState daemon =
        UserProcessRuns("xscreensaver") ? DaemonState::Running : DaemonState::NotRunning;
    RegistrationOutcome outcome = UpdateXScreenSaverPreferences(request, path, command, daemon);
    if (outcome.succeeded && request == RegistrationRequest::Add && IsSuperUser()) {
        outcome.message +=
            "Note: xscreensaver runs no screen savers for root; register as the user whose screen it "
            "blanks.\n";
    }
    return outcome;
}

}  // namespace astrelle
