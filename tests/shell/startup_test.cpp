// Tests of the start-up decision: options, single-instance checks, template paths, the
// window handle after "/P" and "/A", and the windowed-program marker.
#include "shell/logic/startup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace astrelle {
namespace {

StartupDecision Decide(std::string_view commandLine, bool saverOpen = false, bool dialogOpen = false) {
    StartupInput input;
    input.commandLine = commandLine;
    input.saverWindowExists = saverOpen;
    input.dialogWindowExists = dialogOpen;
    return DecideStartup(input);
}

// Options are compared by their first two characters; a leading blank matches no option
// (the text is not a template either, so the saver runs, without checking for a running
// one); only blanks are trimmed, so a tab runs the saver; an option wins over ".glx"; a
// running saver does not stop the preview; a trailing blank after ".glx" is no template.
TEST(Startup, TheCommandLineDecidesTheAction) {
    using A = StartupAction;
    const struct {
        const char* line;
        bool saverOpen, dialogOpen;
        StartupAction action;
    } cases[] = {
        // clang-format off
        {"/s", false, false, A::RunSaver},      {"/S 5", false, false, A::RunSaver},
        {"/s:1234", false, false, A::RunSaver}, {"/Sxyz", false, false, A::RunSaver},
        {" /S", false, false, A::RunSaver},     {" /S", true, false, A::RunSaver},
        {"/", true, false, A::RunSaver},        {"hello", false, false, A::RunSaver},
        {"/S", true, false, A::DoNothing},      {"/s 5", true, false, A::DoNothing},
        {"", false, false, A::Configure},       {"     ", false, false, A::Configure},
        {"/c:12345", false, false, A::Configure}, {"/C", false, true, A::RaiseDialog},
        {" ", false, true, A::RaiseDialog},     {"\t", false, false, A::RunSaver},
        {"/P:4711", false, false, A::Preview},  {"/p 5", true, false, A::Preview},
        {"/a 1", false, false, A::ChangePassword}, {"/c x.glx", false, false, A::Configure},
        {"x.Glx", false, false, A::ImportTemplateThenRun},
        {"C:\\Templates\\Neon.glx ", false, false, A::RunSaver},
        {"Neon.glx2", false, false, A::RunSaver}, {"glx", false, false, A::RunSaver},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decide(c.line, c.saverOpen, c.dialogOpen).action, c.action)
            << "[" << c.line << "] " << c.saverOpen << c.dialogOpen;
    }
    for (const char* line : {"/s", "", "/c"}) EXPECT_EQ(Decide(line).runMode, RunModeValue::ScreenSaver);
    for (const char* line : {"C:\\Templates\\Neon.glx", "/home/me/a b.GLX"}) {
        const StartupDecision d = Decide(line);
        EXPECT_EQ(d.action, StartupAction::ImportTemplateThenRun) << line;
        EXPECT_EQ(d.templatePath, line);
        EXPECT_EQ(d.runMode, RunModeValue::ScreenSaver);
    }
}

TEST(Startup, PreviewAndChangePasswordReadTheHandleAfterTheOption) {
    EXPECT_EQ(Decide("/a 65538").runMode, RunModeValue::ScreenSaver);
    const std::pair<const char*, int32_t> handles[] = {
        {"/p 4711", 4711}, {"/P:4711", 0},      {"/P", 0},       {"/P window", 0},
        {"/P4711", 4711},  {"/a 65538", 65538}, {"/A:65538", 0}, {"/P   123 trailing", 123}};
    for (auto [line, handle] : handles) EXPECT_EQ(Decide(line).handle, handle) << line;
}

TEST(Startup, HandlesRoundHalfToEvenAndMustFitThirtyTwoBits) {
    const std::pair<std::string, int32_t> cases[] = {
        // clang-format off
        {" 4711.5", 4712}, {" 4712.5", 4712}, {" 2147483647", 2147483647}, {" 2147483648", 0},
        {" 1e999", 0},     {" -1e999", 0},    {"", 0},                     {std::string("\0" "12", 3), 0},
        // clang-format on
    };
    for (const auto& [text, handle] : cases) EXPECT_EQ(ReadWindowHandle(text), handle) << text;
}

TEST(Startup, WindowedMarkerIgnoresTheCommandLine) {
    for (const char* line : {"", "/c", "/p 4711", "/a 1", "x.glx", "/s"}) {
        StartupInput input;
        input.commandLine = line;
        input.windowedMarkerExists = true;
        input.saverWindowExists = true;
        input.dialogWindowExists = true;
        const StartupDecision d = DecideStartup(input);
        EXPECT_EQ(d.action, StartupAction::RunSaver) << line;
        EXPECT_EQ(d.runMode, RunModeValue::WindowedProgram) << line;
        EXPECT_EQ(d.handle, 0);
        EXPECT_EQ(d.templatePath, "");
    }
}

TEST(Startup, MarkerPathIsFolderBaseNameAndExe) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/astrelle", "/usr/bin/astrelle.exe"},
        {"/opt/x.y/astrelle.scr", "/opt/x.y/astrelle.exe"},
        {"/opt/astrelle.exe", "/opt/astrelle.exe"},
        {"C:\\Windows\\Astrel20.SCR", "C:\\Windows\\Astrel20.exe"},
        {"astrelle", "astrelle.exe"},
        {"/home/me/.astrelle", "/home/me/.astrelle.exe"},
        {"/a/b.c/", "/a/b.c/.exe"}};
    for (auto [program, marker] : cases) EXPECT_EQ(WindowedMarkerPath(program), marker);
}

// 2.5 and 4.5 twips round to even; a resolution that gives no usable 16-bit value keeps 15.
TEST(Startup, ProcessValuesAreResetWithUsableTwipsAndTakeTheDecision) {
    ProcessValues values;
    values.StopRequested = values.ExitRequested = values.PreviewStopRequested = kTrue16;
    ResetProcessValues(values, 96.0, 120.0);
    EXPECT_EQ(values.StopRequested, kFalse16);
    EXPECT_EQ(values.ExitRequested, kFalse16);
    EXPECT_EQ(values.PreviewStopRequested, kFalse16);
    EXPECT_EQ(values.TwipsPerPixelX, 15);
    EXPECT_EQ(values.TwipsPerPixelY, 12);
    ApplyStartupDecision(values, Decide("/p 4711"));
    EXPECT_EQ(values.RunMode, RunModeValue::Preview);
    EXPECT_EQ(values.PreviewParentHwnd, 4711);

    const std::pair<double, int> twips[] = {{96.0, 15},         {120.0, 12}, {576.0, 2},
                                            {320.0, 4},         {0.0, 15},   {-96.0, 15},
                                            {std::nan(""), 15}, {1e9, 1},    {1e-9, 15}};
    for (auto [dpi, value] : twips) EXPECT_EQ(TwipsPerPixel(dpi), value) << dpi;
}

}  // namespace
}  // namespace astrelle
