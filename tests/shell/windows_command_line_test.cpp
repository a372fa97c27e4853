// The saver's part of a Windows command line, and the owner window that "/c:<handle>" names.
#include "shell/logic/windows_command_line.h"

#include <gtest/gtest.h>

#include "shell/logic/startup.h"

namespace astrelle {
namespace {

TEST(WindowsCommandLine, ThePathAndOneSeparatorAreDropped) {
    const std::pair<const char*, const char*> cases[] = {
        // clang-format off
        {"\"C:\\Windows\\astrelle.scr\" /p 1234", "/p 1234"},
        {"C:\\Windows\\astrelle.scr /s",          "/s"},
        {"\"C:\\Program Files\\a b.scr\" /c:655", "/c:655"},
        {"astrelle.scr",                          ""},
        {"\"C:\\astrelle.scr\"",                  ""},
        {"astrelle.scr  /s",                      " /s"},   // a second blank stays: no option then
        {"astrelle.scr\t/s",                      "/s"},
        {"\"C:\\x.scr\"/s",                       "/s"},    // nothing between the quote and the option
        {"astrelle.scr \"C:\\My Themes\\a.glx\"", "C:\\My Themes\\a.glx"},
        {"astrelle.scr \"a.glx\" \"b.glx\"",      "\"a.glx\" \"b.glx\""},  // not one quoted text
        {"astrelle.scr \"",                       "\""},
        {"\"unterminated /s",                     ""},
        {"",                                      ""},
        // clang-format on
    };
    for (auto [whole, rest] : cases) EXPECT_EQ(SaverCommandLine(whole), rest) << whole;
}

TEST(WindowsCommandLine, ConfigureKeepsTheOwnerWindowsNamesAfterTheColon) {
    const std::pair<const char*, int32_t> cases[] = {
        {"/c:655", 655}, {"/C:1234567", 1234567}, {"/c 77", 77}, {"/c", 0}, {"/c:x", 0}, {"/c::5", 0},
    };
    for (auto [line, owner] : cases) {
        StartupInput input;
        input.commandLine = line;
        const StartupDecision decision = DecideStartup(input);
        EXPECT_EQ(decision.action, StartupAction::Configure) << line;
        EXPECT_EQ(decision.handle, owner) << line;
    }
}

}  // namespace
}  // namespace astrelle
