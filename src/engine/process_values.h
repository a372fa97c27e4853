// Process-wide values of the saver: the run mode, the stop and exit flags and the display
// units per pixel. One instance lives in the shell; the engine reads it through its host.
// Flags are 16-bit with -1 for true and 0 for false, as the settings files and dialogs use.
#pragma once

#include <cstdint>

namespace astrelle {

enum class RunModeValue : int16_t { WindowedProgram = 0, ScreenSaver = 1, Preview = 2 };

inline constexpr int16_t kTrue16 = -1;
inline constexpr int16_t kFalse16 = 0;

struct ProcessValues {
    RunModeValue RunMode = RunModeValue::ScreenSaver;
    int16_t StopRequested = kFalse16;
    int16_t ExitRequested = kFalse16;
    int16_t PreviewStopRequested = kFalse16;  // stop button of the galaxy preview
    int32_t PreviewParentHwnd = 0;
    int16_t TwipsPerPixelX = 15;
    int16_t TwipsPerPixelY = 15;
};

}  // namespace astrelle
