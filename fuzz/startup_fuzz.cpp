// The start-up decision on any command line: it never fails, picks exactly the action the
// first two characters and the ".glx" ending call for, and reads window handles the way
// a system that passes plain decimal handles expects.
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <string>

#include "fuzz_support.h"
#include "shell/logic/startup.h"

namespace astrelle::fuzz {
namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == ' ' || c == '\t' || c == '\n';
}

// A handle written the plain way (blanks, up to nine digits, then something that cannot
// continue a number) must come back as exactly that number.
void CheckPlainHandle(std::string_view rest, int32_t handle) {
    size_t pos = rest.find_first_not_of(" \t\n");
    if (pos == std::string_view::npos) {
        FUZZ_CHECK(handle == 0);
        return;
    }
    size_t end = pos;
    while (end < rest.size() && rest[end] >= '0' && rest[end] <= '9') ++end;
    if (end == pos || end - pos > 9 || (end < rest.size() && IsNumberChar(rest[end]))) return;
    FUZZ_CHECK(handle == std::stoi(std::string(rest.substr(pos, end - pos))));
}

}  // namespace
}  // namespace astrelle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    using namespace astrelle;
    using namespace astrelle::fuzz;
    FuzzedDataProvider data(bytes, size);
    StartupInput input;
    input.windowedMarkerExists = data.ConsumeProbability<float>() < 0.1f;
    input.saverWindowExists = data.ConsumeBool();
    input.dialogWindowExists = data.ConsumeBool();
    const double dpi = std::bit_cast<double>(data.ConsumeIntegral<uint64_t>());
    const std::string command = data.ConsumeRemainingBytesAsString();
    input.commandLine = command;

    const StartupDecision d = DecideStartup(input);
    ProcessValues values;
    ResetProcessValues(values, dpi, dpi);
    FUZZ_CHECK(values.TwipsPerPixelX >= 1 && values.StopRequested == kFalse16);
    ApplyStartupDecision(values, d);
    FUZZ_CHECK(values.RunMode == d.runMode);

    // Only the preview, the password change and the settings (the owner after "/c:") read
    // a window handle.
    if (d.action == StartupAction::RunSaver || d.action == StartupAction::DoNothing ||
        d.action == StartupAction::ImportTemplateThenRun)
        FUZZ_CHECK(d.handle == 0);
    if (d.action != StartupAction::ImportTemplateThenRun) FUZZ_CHECK(d.templatePath.empty());
    FUZZ_CHECK((d.runMode == RunModeValue::Preview) == (d.action == StartupAction::Preview));

    if (input.windowedMarkerExists) {
        FUZZ_CHECK(d.action == StartupAction::RunSaver && d.runMode == RunModeValue::WindowedProgram);
        return 0;
    }
    FUZZ_CHECK(d.runMode != RunModeValue::WindowedProgram);
    if (command.find_first_not_of(' ') == std::string::npos) {
        FUZZ_CHECK(d.action ==
                   (input.dialogWindowExists ? StartupAction::RaiseDialog : StartupAction::Configure));
        return 0;
    }
    std::string option;
    for (char c : command.substr(0, 2)) option.push_back(Upper(c));
    const std::string_view rest = std::string_view(command).substr(std::min<size_t>(2, command.size()));
    if (option == "/C") {
        FUZZ_CHECK(d.action ==
                   (input.dialogWindowExists ? StartupAction::RaiseDialog : StartupAction::Configure));
        const std::string_view owner = rest.starts_with(':') ? rest.substr(1) : rest;
        FUZZ_CHECK(d.handle == ReadWindowHandle(owner));
        CheckPlainHandle(owner, d.handle);
    } else if (option == "/S") {
        FUZZ_CHECK(d.action ==
                   (input.saverWindowExists ? StartupAction::DoNothing : StartupAction::RunSaver));
    } else if (option == "/P" || option == "/A") {
        FUZZ_CHECK(d.action == (option == "/P" ? StartupAction::Preview : StartupAction::ChangePassword));
        FUZZ_CHECK(d.handle == ReadWindowHandle(rest));
        CheckPlainHandle(rest, d.handle);
    } else {
        std::string ending;
        if (command.size() >= 4)
            for (char c : command.substr(command.size() - 4)) ending.push_back(Upper(c));
        if (ending == ".GLX") {
            FUZZ_CHECK(d.action == StartupAction::ImportTemplateThenRun && d.templatePath == command);
        } else {
            FUZZ_CHECK(d.action == StartupAction::RunSaver);
        }
    }

    // The windowed-program marker of any executable path is a sibling file ending ".exe".
    const std::string marker = WindowedMarkerPath(command);
    FUZZ_CHECK(marker.size() >= 4 && marker.compare(marker.size() - 4, 4, ".exe") == 0);
    const size_t slash = command.find_last_of("/\\");
    if (slash != std::string::npos) FUZZ_CHECK(marker.compare(0, slash + 1, command, 0, slash + 1) == 0);
    return 0;
}
