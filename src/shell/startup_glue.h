// The start-up decision as main uses it, and the template import before a run.
#pragma once

#include <cstdint>
#include <string>

namespace astrelle {

enum class StartupAction {
    Configure,
    RaiseDialog,
    RunSaver,
    DoNothing,
    Preview,
    ChangePassword,
    ImportThenRun
};

struct StartupChoice {
    StartupAction action = StartupAction::RunSaver;
    int32_t handle = 0;  // Preview, ChangePassword
    std::string path;    // ImportThenRun
};

StartupChoice DecideStartup(const std::string& commandLine, bool windowedMarker, bool saverWindowExists,
                            bool dialogWindowExists);

// Imports a ".glx" template into the stored settings; failures leave them as they are.
void ImportTemplateFile(const std::string& path);

}  // namespace astrelle
