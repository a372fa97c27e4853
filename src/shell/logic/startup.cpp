// Start-up decision: command-line options, single-instance checks and the windowed-program
// marker, in the order the program has always applied them.
#include "shell/logic/startup.h"

#include <cmath>

#include "settings/rounding.h"
#include "settings/value_utils.h"

namespace astrelle {
namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

// ownerText: what follows "/C", where Windows writes ":<handle>" of the dialog that asks.
StartupDecision Configure(const StartupInput& input, std::string_view ownerText = {}) {
    StartupDecision decision;
    decision.action = input.dialogWindowExists ? StartupAction::RaiseDialog : StartupAction::Configure;
    if (ownerText.starts_with(':')) ownerText.remove_prefix(1);
    decision.handle = ReadWindowHandle(ownerText);
    return decision;
}

}  // namespace

int32_t ReadWindowHandle(std::string_view textAfterOption) {
    int32_t handle = 0;
    if (!TryRoundToInt32(LeadingNumber(textAfterOption), handle)) return 0;
    return handle;
}

StartupDecision DecideStartup(const StartupInput& input) {
    StartupDecision decision;
    if (input.windowedMarkerExists) {
        // A windowed program ignores the command line altogether.
        decision.runMode = RunModeValue::WindowedProgram;
        decision.action = StartupAction::RunSaver;
        return decision;
    }
    decision.runMode = RunModeValue::ScreenSaver;

    const std::string_view command = input.commandLine;
    if (TrimBlanks(command).empty()) return Configure(input);

    // Only the first two characters count, so "/s:1234" and "/S 5" are the saver too; a
    // leading blank makes the text match no option.
    const std::string option = UpperAscii(command.substr(0, 2));
    const std::string_view rest = command.size() > 2 ? command.substr(2) : std::string_view();
    if (option == "/C") return Configure(input, rest);
    if (option == "/S") {
        decision.action = input.saverWindowExists ? StartupAction::DoNothing : StartupAction::RunSaver;
        return decision;
    }
    if (option == "/P") {
        decision.runMode = RunModeValue::Preview;
        decision.action = StartupAction::Preview;
        decision.handle = ReadWindowHandle(rest);
        return decision;
    }
    if (option == "/A") {
        decision.action = StartupAction::ChangePassword;
        decision.handle = ReadWindowHandle(rest);
        return decision;
    }

    // Anything else runs the saver; a path ending in ".glx" (any case, nothing after it) is
    // imported first.
    if (command.size() >= 4 && UpperAscii(command.substr(command.size() - 4)) == ".GLX") {
        decision.action = StartupAction::ImportTemplateThenRun;
        decision.templatePath = std::string(command);
        return decision;
    }
    decision.action = StartupAction::RunSaver;
    return decision;
}

std::string WindowedMarkerPath(std::string_view executablePath) {
    const size_t slash = executablePath.find_last_of("/\\");
    const size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::string_view folder = executablePath.substr(0, nameStart);
    std::string_view name = executablePath.substr(nameStart);
    // The base name drops the last extension; a leading dot belongs to the name.
    const size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    std::string marker(folder);
    marker += name;
    marker += ".exe";
    return marker;
}

int16_t TwipsPerPixel(double logicalDpi) {
    constexpr int16_t kDefaultTwips = 15;
    if (!(logicalDpi > 0) || !std::isfinite(logicalDpi)) return kDefaultTwips;
    int16_t twips = kDefaultTwips;
    if (!TryRoundToInt16(1440.0 / logicalDpi, twips)) return kDefaultTwips;
    // Extreme resolutions round to 0, which would make every unit conversion divide by it.
    return twips < 1 ? int16_t{1} : twips;
}

void ResetProcessValues(ProcessValues& values, double dpiX, double dpiY) {
    values.StopRequested = kFalse16;
    values.ExitRequested = kFalse16;
    values.PreviewStopRequested = kFalse16;
    values.TwipsPerPixelX = TwipsPerPixel(dpiX);
    values.TwipsPerPixelY = TwipsPerPixel(dpiY);
}

void ApplyStartupDecision(ProcessValues& values, const StartupDecision& decision) {
    values.RunMode = decision.runMode;
    if (decision.action == StartupAction::Preview) values.PreviewParentHwnd = decision.handle;
}

}  // namespace astrelle
