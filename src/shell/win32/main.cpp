// astrelle.scr: the Windows saver's one executable. Reads its command line as Windows
// passes it ("/s", "/p <handle>", "/c:<handle>", "/a <handle>", a template path, or nothing),
// decides the run mode with the same rules as on Linux, and hands over to the full-screen
// saver, the windowed program, the preview or the properties dialog.
#include <windows.h>

#include <string>

#include "engine/process_values.h"
#include "engine/trig_tables.h"
#include "platform/services.h"
#include "platform/win32/wide_text.h"
#include "shell/logic/startup.h"
#include "shell/logic/windows_command_line.h"
#include "shell/win32/properties_seam.h"
#include "shell/win32/win32_runs.h"
#include "shell/win32/win32_settings.h"

using namespace astrelle;

namespace {

// Windows passes window handles as decimal numbers; a handle is a 32-bit value that
// widens with its sign.
HWND HandleOf(int32_t handle) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

HWND FindByCaption(std::string_view caption) {
    return FindWindowW(nullptr, win32::Widen(caption).c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string commandLine = SaverCommandLine(win32::Narrow(GetCommandLineW()));

    ProcessValues process;
    HDC screen = GetDC(nullptr);
    const int dpiX = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : USER_DEFAULT_SCREEN_DPI;
    const int dpiY = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    ResetProcessValues(process, dpiX, dpiY);
    GetTrigTables();

    StartupInput input;
    input.commandLine = commandLine;
    const std::string self = ExecutablePath();
    input.windowedMarkerExists = !self.empty() && PathExists(WindowedMarkerPath(self));
    input.saverWindowExists = FindByCaption(kSaverCaption) != nullptr;
    input.dialogWindowExists = FindByCaption(kDialogCaption) != nullptr;
    const StartupDecision choice = DecideStartup(input);
    ApplyStartupDecision(process, choice);

    switch (choice.action) {
        case StartupAction::DoNothing:
        case StartupAction::ChangePassword:  // Windows checks saver passwords itself since NT
            return 0;
        case StartupAction::RaiseDialog:
            if (HWND dialog = FindByCaption(kDialogCaption)) SetForegroundWindow(dialog);
            return 0;
        case StartupAction::Configure:
            win32::ShowPropertiesDialog(HandleOf(choice.handle), process);
            return 0;
        case StartupAction::Preview:
            return win32::RunPreview(HandleOf(choice.handle), process);
        case StartupAction::ImportTemplateThenRun:
        case StartupAction::RunSaver:
            break;
    }
    win32::ImportTemplateFromCommandLine(choice);
    process.StopRequested = kFalse16;
    if (process.RunMode == RunModeValue::WindowedProgram) return win32::RunWindowedProgram(process);
    return win32::RunFullScreenSaver(process);
}
