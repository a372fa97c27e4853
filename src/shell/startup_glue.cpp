// TEMPORARY: the start-up decision and the template import are built on their own
// branches. Until they are merged this is a minimal stand-in that follows the same rules
// for the options the saver shell needs; it is replaced by a call to the shared decision.
#include "shell/startup_glue.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace astrelle {

StartupChoice DecideStartup(const std::string& commandLine, bool windowedMarker, bool saverWindowExists,
                            bool dialogWindowExists) {
    StartupChoice choice;
    if (windowedMarker) return choice;
    const size_t first = commandLine.find_first_not_of(' ');
    if (first == std::string::npos) {
        choice.action = dialogWindowExists ? StartupAction::RaiseDialog : StartupAction::Configure;
        return choice;
    }
    std::string head = commandLine.substr(0, 2);
    for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto handle = [&] {
        const double v = std::strtod(commandLine.c_str() + 2, nullptr);
        return static_cast<int32_t>(std::nearbyint(v));
    };
    if (head == "/C") {
        choice.action = dialogWindowExists ? StartupAction::RaiseDialog : StartupAction::Configure;
    } else if (head == "/S") {
        choice.action = saverWindowExists ? StartupAction::DoNothing : StartupAction::RunSaver;
    } else if (head == "/P") {
        choice.action = StartupAction::Preview;
        choice.handle = handle();
    } else if (head == "/A") {
        choice.action = StartupAction::ChangePassword;
        choice.handle = handle();
    }
    return choice;
}

void ImportTemplateFile(const std::string&) {}

}  // namespace astrelle
