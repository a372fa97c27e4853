// Which window an xscreensaver-style run draws into, and what is left for the start-up
// decision once the desktop's own options are taken out.
#include "shell/logic/host_arguments.h"

#include <gtest/gtest.h>

namespace astrelle {
namespace {

TEST(WindowId, DecimalAndHexAreReadAndNonsenseIsRefused) {
    EXPECT_EQ(ParseWindowId("4711"), 4711ul);
    EXPECT_EQ(ParseWindowId("0x2a00007"), 0x2a00007ul);
    EXPECT_EQ(ParseWindowId("0XFF"), 255ul);
    EXPECT_EQ(ParseWindowId("0xffffffff"), 0xfffffffful);
    for (const char* bad :
         {"", "0", "0x", "0x0", "-5", "+5", "12abc", "0x12g", "4294967296", "ab", " 12", "1 "}) {
        EXPECT_FALSE(ParseWindowId(bad).has_value()) << bad;
    }
}

TEST(HostArguments, WindowIdWinsOverRootAndEnvironment) {
    // The settings tool's preview: "--root --window-id 0x..." with the daemon's variable set.
    auto a = ParseHostArguments({"--root", "--window-id", "0x400001"}, std::string_view("0x200001"));
    EXPECT_EQ(a.target, HackTarget::GivenWindow);
    EXPECT_EQ(a.windowId, 0x400001ul);
    EXPECT_EQ(a.commandLine, "");

    auto b = ParseHostArguments({"-window-id=77", "-root"}, std::nullopt);
    EXPECT_EQ(b.target, HackTarget::GivenWindow);
    EXPECT_EQ(b.windowId, 77ul);
}

TEST(HostArguments, EnvironmentWinsOverRootAndRootAloneMeansTheRootWindow) {
    auto daemon = ParseHostArguments({"--root"}, std::string_view("0x200001"));
    EXPECT_EQ(daemon.target, HackTarget::GivenWindow);
    EXPECT_EQ(daemon.windowId, 0x200001ul);

    auto plain = ParseHostArguments({"-root"}, std::nullopt);
    EXPECT_EQ(plain.target, HackTarget::RootWindow);

    auto envOnly = ParseHostArguments({}, std::string_view("123"));
    EXPECT_EQ(envOnly.target, HackTarget::GivenWindow);
    EXPECT_EQ(envOnly.windowId, 123ul);

    auto emptyEnv = ParseHostArguments({"/s"}, std::string_view(""));
    EXPECT_EQ(emptyEnv.target, HackTarget::None);
    EXPECT_EQ(emptyEnv.commandLine, "/s");
}

TEST(HostArguments, BadIdsGiveAOneLineReason) {
    for (auto args : {std::vector<std::string>{"--window-id", "zz"}, std::vector<std::string>{"-window-id"},
                      std::vector<std::string>{"--window-id="}}) {
        auto r = ParseHostArguments(args, std::nullopt);
        EXPECT_FALSE(r.error.empty());
        EXPECT_EQ(r.error.find('\n'), std::string::npos);
    }
    EXPECT_FALSE(ParseHostArguments({"--root"}, std::string_view("nope")).error.empty());
}

TEST(HostArguments, TheSaversOwnCommandLineIsKeptWordForWord) {
    // "-display" belongs to us, not to the toolkit, and must not eat the next word either.
    auto r = ParseHostArguments({"-display", ":3", "/p", "4711"}, std::nullopt);
    EXPECT_EQ(r.displayName, ":3");
    EXPECT_EQ(r.commandLine, "/p 4711");
    EXPECT_EQ(r.target, HackTarget::None);

    auto path = ParseHostArguments({"/home/me/my stars.GLX"}, std::nullopt);
    EXPECT_EQ(path.commandLine, "/home/me/my stars.GLX");

    auto windowed = ParseHostArguments({"--window", "/s"}, std::nullopt);
    EXPECT_TRUE(windowed.windowed);
    EXPECT_EQ(windowed.commandLine, "/s");

    // Words that only look like our options stay in the command line.
    auto other = ParseHostArguments({"-rooted", "--root=1", "-windows"}, std::nullopt);
    EXPECT_EQ(other.target, HackTarget::None);
    EXPECT_EQ(other.commandLine, "-rooted --root=1 -windows");
}

}  // namespace
}  // namespace astrelle
