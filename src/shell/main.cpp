// astrelle: the saver's one executable. Reads the desktop's options (xscreensaver's window,
// the display, --window), decides the run mode from the command line, and hands over to
// the full-screen saver, the windowed program, the preview box or the properties dialog.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/process_values.h"
#include "engine/trig_tables.h"
#include "platform/services.h"
#include "platform/x11/x11_display.h"
#include "shell/frm_saver.h"
#include "shell/frm_screen.h"
#include "shell/logic/early_options.h"
#include "shell/logic/host_arguments.h"
#include "shell/logic/saver_platform.h"
#include "shell/logic/startup.h"
#include "shell/logic/xscreensaver_registration.h"
#include "shell/properties_seam.h"
#include "shell/stored_settings.h"
#include "shell/termination_watcher.h"
#include "shell/x11_runs.h"

using namespace astrelle;

namespace {

constexpr const char* kWindowedName = "astrelle-window";

int Fail(const std::string& message) {
    std::fprintf(stderr, "astrelle: %s\n", message.c_str());
    return 1;
}

// The windowed-program rule: a file with the executable's base name and ".exe" beside it.
bool WindowedMarkerExists() {
    const std::string self = ExecutablePath();
    return !self.empty() && PathExists(WindowedMarkerPath(self));
}

bool InvokedAsWindowed(const char* argv0) {
    return argv0 && std::filesystem::path(argv0).filename() == kWindowedName;
}

// Qt's own argument parser never sees our words: it only gets the program name.
struct QtArgs {
    explicit QtArgs(const char* program) : name(program ? program : "astrelle") { argv[0] = name.data(); }
    std::string name;
    int argc = 1;
    char* argv[2] = {nullptr, nullptr};
};

// A termination signal ends whatever runs, promptly and with status 0.
void EndOnTermination(TerminationWatcher& watcher, ProcessValues& process) {
    QObject::connect(&watcher, &TerminationWatcher::Terminated, [&process] {
        process.StopRequested = kTrue16;
        process.ExitRequested = kTrue16;
        if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) app->closeAllWindows();
        QCoreApplication::exit(0);
    });
}

// Help and version go to standard output; a failed write (a closed pipe, a full disk) is
// a failure, as the shell expects of every program.
int PrintAndExit(const std::string& text) {
    const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    return written ? 0 : 1;
}

int Register(RegistrationRequest request) {
    const RegistrationOutcome outcome = RegisterWithXScreenSaver(request);
    std::fputs(outcome.message.c_str(), outcome.succeeded ? stdout : stderr);
    return outcome.succeeded ? 0 : 1;
}

int RunOutsideWindow(x11::Connection& connection, bool preview, x11::WindowId window, ProcessValues& process,
                     const char* argv0) {
    // No window of our own is ever mapped here, so Qt need not talk to the display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QtArgs qtArgs(argv0);
    QGuiApplication app(qtArgs.argc, qtArgs.argv);
    ResetProcessValues(process, connection.LogicalDpi(), connection.LogicalDpi());
    TerminationWatcher watcher;
    EndOnTermination(watcher, process);
    if (preview) return RunPreviewBox(connection, window, process);
    return RunHackWindow(connection, window, process);
}

}  // namespace

int main(int argc, char** argv) {
    HoldTerminationRequests();
    std::vector<std::string> words(argv + 1, argv + argc);
    // --help, --version and the registration with xscreensaver come before anything the
    // rest of the command line would start.
    const EarlyDecision early = DecideEarlyRequest(words);
    switch (early.request) {
        case EarlyRequest::Help:
            return PrintAndExit(UsageText());
        case EarlyRequest::Version:
            return PrintAndExit(VersionText());
        case EarlyRequest::UsageError:
            std::fprintf(stderr, "astrelle: %s\nTry 'astrelle --help' for more information.\n",
                         early.error.c_str());
            return kUsageErrorStatus;
        case EarlyRequest::XScreenSaverAdd:
            return Register(RegistrationRequest::Add);
        case EarlyRequest::XScreenSaverRemove:
            return Register(RegistrationRequest::Remove);
        case EarlyRequest::None:
            break;
    }

    const std::optional<std::string> envWindow = EnvironmentValue("XSCREENSAVER_WINDOW");
    const HostArguments host =
        ParseHostArguments(words, envWindow ? std::optional<std::string_view>(*envWindow) : std::nullopt);
    if (!host.error.empty()) return Fail(host.error);
    if (!host.displayName.empty() && !SetEnvironmentValue("DISPLAY", host.displayName)) {
        return Fail("cannot use the display name \"" + host.displayName + "\"");
    }

    ProcessValues process;
    ResetProcessValues(process, 96.0, 96.0);  // the display's own resolution is taken below
    GetTrigTables();

    // Qt on another platform (offscreen, for trying the dialog headless) needs no X display.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool needX11 = platform.isEmpty() || platform.startsWith("xcb");
    std::string x11Error;
    std::unique_ptr<x11::Connection> connection;
    if (needX11 || host.target != HackTarget::None) connection = x11::Connection::Open(nullptr, &x11Error);

    // An xscreensaver run draws into its given window whatever else the command line says.
    if (host.target != HackTarget::None) {
        if (!connection) return Fail(x11Error);
        const x11::WindowId window =
            host.target == HackTarget::RootWindow ? connection->Root() : host.windowId;
        if (!connection->WindowExists(window)) {
            char id[32];
            std::snprintf(id, sizeof id, "0x%lx", window);
            return Fail(std::string("window ") + id + " does not exist");
        }
        process.RunMode = RunModeValue::ScreenSaver;
        return RunOutsideWindow(*connection, false, window, process, argv[0]);
    }

    // --window and the name astrelle-window are the Linux ways to ask for the windowed
    // program; the ".exe" marker beside the executable works as well.
    auto windowExists = [&connection](std::string_view caption) {
        return connection && connection->FindWindowByCaption(std::string(caption)) != 0;
    };
    StartupInput input;
    input.commandLine = host.commandLine;
    input.windowedMarkerExists = host.windowed || InvokedAsWindowed(argv[0]) || WindowedMarkerExists();
    input.saverWindowExists = windowExists(kSaverCaption);
    input.dialogWindowExists = windowExists(kDialogCaption);
    const StartupDecision choice = DecideStartup(input);
    ApplyStartupDecision(process, choice);

    switch (choice.action) {
        case StartupAction::DoNothing:
        case StartupAction::ChangePassword:  // no password services on Linux
            return 0;
        case StartupAction::RaiseDialog:
            if (connection)
                connection->Activate(connection->FindWindowByCaption(std::string(kDialogCaption)));
            return 0;
        case StartupAction::Preview:
            if (!connection) return Fail(x11Error);
            return RunOutsideWindow(*connection, true,
                                    static_cast<x11::WindowId>(static_cast<uint32_t>(choice.handle)), process,
                                    argv[0]);
        default:
            break;
    }

    if (needX11 && !connection) return Fail(x11Error);
    QtArgs qtArgs(argv[0]);
    QApplication app(qtArgs.argc, qtArgs.argv);
    QApplication::setApplicationName(QStringLiteral("Astrelle"));
    if (connection) x11::Connection::InstallErrorHandlers();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        ResetProcessValues(process, screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
    }
    TerminationWatcher watcher;
    EndOnTermination(watcher, process);

    if (choice.action == StartupAction::Configure) {
        ShowPropertiesDialog(nullptr, process);
        return 0;
    }
    ImportTemplateFromCommandLine(choice);

    // RunSaver
    process.StopRequested = kFalse16;
    if (process.RunMode == RunModeValue::WindowedProgram) {
        FrmScreen screen(process, connection.get());
        screen.Run();
        if (connection) connection->EnsureAlive();
        return 0;
    }
    SetSaverRunning(true);
    FrmSaver saver(process, connection.get());
    saver.SetupSaverWindow();
    saver.RunAnimation();
    if (connection) connection->EnsureAlive();
    return 0;
}
