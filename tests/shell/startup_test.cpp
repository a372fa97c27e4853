// Tests of the start-up decision: options, single-instance checks, template paths, the
// window handle after "/P" and "/A", and the windowed-program marker.
#include "shell/logic/startup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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
    EXPECT_EQ(Decide("/p 4711").runMode, RunModeValue::Preview);
    EXPECT_EQ(Decide("/a 65538").runMode, RunModeValue::ScreenSaver);
    const std::pair<const char*, int32_t> handles[] = {
        {"/p 4711", 4711}, {"/P:4711", 0},      {"/P", 0},       {"/P window", 0},
        {"/P4711", 4711},  {"/a 65538", 65538}, {"/A:65538", 0}, {"/P   123 trailing", 123}};
    for (auto [line, handle] : handles) EXPECT_EQ(Decide(line).handle, handle) << line;
}

TEST(Startup, HandlesRoundHalfToEvenAndMustFitThirtyTwoBits) {
    EXPECT_EQ(ReadWindowHandle(" 4711.5"), 4712);
    EXPECT_EQ(ReadWindowHandle(" 4712.5"), 4712);
    EXPECT_EQ(ReadWindowHandle(" 2147483647"), 2147483647);
    EXPECT_EQ(ReadWindowHandle(" 2147483648"), 0);
    EXPECT_EQ(ReadWindowHandle(" 1e999"), 0);
    EXPECT_EQ(ReadWindowHandle(" -1e999"), 0);
    EXPECT_EQ(ReadWindowHandle(""), 0);
    EXPECT_EQ(ReadWindowHandle(std::string("\0"
                                           "12",
                                           3)),
              0);
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
    EXPECT_EQ(WindowedMarkerPath("/usr/bin/astrelle"), "/usr/bin/astrelle.exe");
    EXPECT_EQ(WindowedMarkerPath("/opt/x.y/astrelle.scr"), "/opt/x.y/astrelle.exe");
    EXPECT_EQ(WindowedMarkerPath("/opt/astrelle.exe"), "/opt/astrelle.exe");
    EXPECT_EQ(WindowedMarkerPath("C:\\Windows\\Astrel20.SCR"), "C:\\Windows\\Astrel20.exe");
    EXPECT_EQ(WindowedMarkerPath("astrelle"), "astrelle.exe");
    EXPECT_EQ(WindowedMarkerPath("/home/me/.astrelle"), "/home/me/.astrelle.exe");
    EXPECT_EQ(WindowedMarkerPath("/a/b.c/"), "/a/b.c/.exe");
}

TEST(Startup, ProcessValuesAreResetAndTakeTheDecision) {
    ProcessValues values;
    values.StopRequested = kTrue16;
    values.ExitRequested = kTrue16;
    values.PreviewStopRequested = kTrue16;
    ResetProcessValues(values, 96.0, 120.0);
    EXPECT_EQ(values.StopRequested, kFalse16);
    EXPECT_EQ(values.ExitRequested, kFalse16);
    EXPECT_EQ(values.PreviewStopRequested, kFalse16);
    EXPECT_EQ(values.TwipsPerPixelX, 15);
    EXPECT_EQ(values.TwipsPerPixelY, 12);

    ApplyStartupDecision(values, Decide("/p 4711"));
    EXPECT_EQ(values.RunMode, RunModeValue::Preview);
    EXPECT_EQ(values.PreviewParentHwnd, 4711);
}

TEST(Startup, TwipsPerPixelStaysUsable) {
    EXPECT_EQ(TwipsPerPixel(96.0), 15);
    EXPECT_EQ(TwipsPerPixel(120.0), 12);
    EXPECT_EQ(TwipsPerPixel(576.0), 2);  // 2.5 rounds to even
    EXPECT_EQ(TwipsPerPixel(320.0), 4);  // 4.5 too
    EXPECT_EQ(TwipsPerPixel(0.0), 15);
    EXPECT_EQ(TwipsPerPixel(-96.0), 15);
    EXPECT_EQ(TwipsPerPixel(std::nan("")), 15);
    EXPECT_EQ(TwipsPerPixel(1e9), 1);
    EXPECT_EQ(TwipsPerPixel(1e-9), 15);  // would not fit 16 bits
}

}  // namespace
}  // namespace astrelle
