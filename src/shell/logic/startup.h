// The start-up decision of the program as a pure function: from the command line and what
// exists around the process (a windowed-program marker beside the executable, an open saver
// or properties window) to the one thing to do. The shell performs the action.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/process_values.h"

namespace astrelle {

// Captions by which a second instance finds the first.
inline constexpr std::string_view kSaverCaption = "KRLN:Astrelle 2.0";
inline constexpr std::string_view kDialogCaption = "Galaxy Properties";
inline constexpr std::string_view kHelpFileName = "Astrel20.hlp";

enum class StartupAction {
    Configure,              // show the properties dialog modally
    RaiseDialog,            // bring the open "Galaxy Properties" window to the front
    RunSaver,               // full-screen saver (RunMode 1) or resizable window (RunMode 0)
    DoNothing,              // a saver is already running
    Preview,                // draw into the parent window `handle`
    ChangePassword,         // the system's password-change dialog with parent `handle`
    ImportTemplateThenRun,  // import `templatePath` into the stored settings, then run the saver
};

struct StartupInput {
    std::string_view commandLine;       // raw, as the system passed it
    bool windowedMarkerExists = false;  // folder + base name + ".exe" exists
    bool saverWindowExists = false;     // a window captioned kSaverCaption exists
    bool dialogWindowExists = false;    // a window captioned kDialogCaption exists
};

struct StartupDecision {
    StartupAction action = StartupAction::RunSaver;
    RunModeValue runMode = RunModeValue::ScreenSaver;
    // Preview and ChangePassword: the window after the option. Configure and RaiseDialog:
    // the owner Windows names after "/c:" (its Screen Saver Settings dialog). 0 when
    // missing or unreadable.
    int32_t handle = 0;
    std::string templatePath;  // ImportTemplateThenRun: the whole command line
};

StartupDecision DecideStartup(const StartupInput& input);

// The window handle written after "/P" or "/A": the leading number of the text (leading
// blanks skipped; no number gives 0), rounded half to even to 32 bits. A number outside the
// 32-bit range cannot be a handle and gives 0 as well.
int32_t ReadWindowHandle(std::string_view textAfterOption);

// Where the windowed-program marker of an executable lies: its folder, its base name (the
// file name without its last extension) and ".exe". "/usr/bin/astrelle" gives
// "/usr/bin/astrelle.exe"; an executable that is itself named *.exe is its own marker.
std::string WindowedMarkerPath(std::string_view executablePath);

// The display units per pixel for a logical resolution: 1440 / dpi rounded half to even
// (15 at 96 dpi, 12 at 120 dpi), at least 1; 15 when the resolution is unknown or unusable.
int16_t TwipsPerPixel(double logicalDpi);

// The first steps of start-up on the process-wide values: clear the stop, exit and preview
// stop flags and record the display units; then the decided run mode and preview parent.
void ResetProcessValues(ProcessValues& values, double dpiX, double dpiY);
void ApplyStartupDecision(ProcessValues& values, const StartupDecision& decision);

}  // namespace astrelle
