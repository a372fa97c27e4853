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

// --window-id wins over the environment (the settings tool's preview sets both), which wins
// over --root; an empty variable counts as unset. "-display" belongs to us, not to the
// toolkit, and must not eat the next word either; words that only look like our options,
// and paths with blanks, stay in the command line word for word.
TEST(HostArguments, TargetAndCommandLine) {
    using T = HackTarget;
    const struct {
        std::vector<std::string> args;
        std::optional<std::string_view> env;
        HackTarget target;
        unsigned long windowId;
        const char* commandLine;
    } cases[] = {
        // clang-format off
        {{"--root", "--window-id", "0x400001"}, "0x200001", T::GivenWindow, 0x400001, ""},
        {{"-window-id=77", "-root"}, std::nullopt, T::GivenWindow, 77, ""},
        {{"--root"}, "0x200001", T::GivenWindow, 0x200001, ""},
        {{"-root"}, std::nullopt, T::RootWindow, 0, ""},
        {{}, "123", T::GivenWindow, 123, ""},
        {{"/s"}, "", T::None, 0, "/s"},
        {{"-display", ":3", "/p", "4711"}, std::nullopt, T::None, 0, "/p 4711"},
        {{"/home/me/my stars.GLX"}, std::nullopt, T::None, 0, "/home/me/my stars.GLX"},
        {{"-rooted", "--root=1", "-windows"}, std::nullopt, T::None, 0, "-rooted --root=1 -windows"},
        // clang-format on
    };
    for (const auto& c : cases) {
        const HostArguments a = ParseHostArguments(c.args, c.env);
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args[0]);
        EXPECT_EQ(a.target, c.target);
        if (c.target == T::GivenWindow) {
            EXPECT_EQ(a.windowId, c.windowId);
        }
        EXPECT_EQ(a.commandLine, c.commandLine);
        EXPECT_EQ(a.error, "");
    }
    EXPECT_EQ(ParseHostArguments({"-display", ":3", "/p"}, std::nullopt).displayName, ":3");
    const HostArguments windowed = ParseHostArguments({"--window", "/s"}, std::nullopt);
    EXPECT_TRUE(windowed.windowed);
    EXPECT_EQ(windowed.commandLine, "/s");
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

}  // namespace
}  // namespace astrelle
