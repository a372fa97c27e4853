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

TEST(Startup, OnlyTheFirstTwoCharactersSelectTheSaver) {
    for (const char* line : {"/s", "/S", "/s:1234", "/S 5", "/Sxyz"}) {
        const StartupDecision d = Decide(line);
        EXPECT_EQ(d.action, StartupAction::RunSaver) << line;
        EXPECT_EQ(d.runMode, RunModeValue::ScreenSaver) << line;
    }
    // A leading blank matches no option; the text is not a template, so the saver runs
    // anyway, and it does not check for a running saver.
    EXPECT_EQ(Decide(" /S").action, StartupAction::RunSaver);
    EXPECT_EQ(Decide(" /S", true).action, StartupAction::RunSaver);
    EXPECT_EQ(Decide("/", true).action, StartupAction::RunSaver);
    EXPECT_EQ(Decide("hello").action, StartupAction::RunSaver);
}

TEST(Startup, ASecondSaverDoesNothing) {
    EXPECT_EQ(Decide("/S", true).action, StartupAction::DoNothing);
    EXPECT_EQ(Decide("/s 5", true).action, StartupAction::DoNothing);
}

TEST(Startup, EmptyOrBlankCommandLineConfigures) {
    for (const char* line : {"", " ", "     ", "/c", "/C", "/c:12345"}) {
        EXPECT_EQ(Decide(line).action, StartupAction::Configure) << "[" << line << "]";
        EXPECT_EQ(Decide(line, false, true).action, StartupAction::RaiseDialog) << "[" << line << "]";
        EXPECT_EQ(Decide(line).runMode, RunModeValue::ScreenSaver);
    }
    // Only blanks are trimmed: a tab is text, matches nothing and runs the saver.
    EXPECT_EQ(Decide("\t").action, StartupAction::RunSaver);
}

TEST(Startup, PreviewReadsTheHandleAfterTheOption) {
    StartupDecision d = Decide("/p 4711");
    EXPECT_EQ(d.action, StartupAction::Preview);
    EXPECT_EQ(d.runMode, RunModeValue::Preview);
    EXPECT_EQ(d.handle, 4711);
    EXPECT_EQ(Decide("/P:4711").handle, 0);
    EXPECT_EQ(Decide("/P:4711").action, StartupAction::Preview);
    EXPECT_EQ(Decide("/P").handle, 0);
    EXPECT_EQ(Decide("/P window").handle, 0);
    EXPECT_EQ(Decide("/P4711").handle, 4711);
    EXPECT_EQ(Decide("/P   123 trailing").handle, 123);
    // A running saver does not stop the preview.
    EXPECT_EQ(Decide("/p 5", true).action, StartupAction::Preview);
}

TEST(Startup, ChangePasswordReadsTheHandleTheSameWay) {
    StartupDecision d = Decide("/a 65538");
    EXPECT_EQ(d.action, StartupAction::ChangePassword);
    EXPECT_EQ(d.runMode, RunModeValue::ScreenSaver);
    EXPECT_EQ(d.handle, 65538);
    EXPECT_EQ(Decide("/A:65538").handle, 0);
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

TEST(Startup, TemplatePathsEndingInGlxAreImportedFirst) {
    for (const char* line : {"C:\\Templates\\Neon.glx", "/home/me/a b.GLX", "x.Glx"}) {
        const StartupDecision d = Decide(line);
        EXPECT_EQ(d.action, StartupAction::ImportTemplateThenRun) << line;
        EXPECT_EQ(d.templatePath, line);
        EXPECT_EQ(d.runMode, RunModeValue::ScreenSaver);
    }
    EXPECT_EQ(Decide("C:\\Templates\\Neon.glx ").action, StartupAction::RunSaver);
    EXPECT_EQ(Decide("Neon.glx2").action, StartupAction::RunSaver);
    EXPECT_EQ(Decide("glx").action, StartupAction::RunSaver);
    // An option wins over the extension.
    EXPECT_EQ(Decide("/c x.glx").action, StartupAction::Configure);
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
