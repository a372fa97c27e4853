// --help, --version and the xscreensaver requests are answered before the rest of the
// command line, and only as whole words.
#include "shell/logic/early_options.h"

#include <gtest/gtest.h>

namespace astrelle {
namespace {

TEST(EarlyRequest, HelpAndVersionWinWhereverTheyStandAndRegistrationStandsAlone) {
    using R = EarlyRequest;
    const struct {
        std::vector<std::string> args;
        EarlyRequest request;
    } cases[] = {
        // clang-format off
        {{}, R::None},                            {{"/s"}, R::None},
        {{"--help"}, R::Help},                    {{"/s", "--help"}, R::Help},
        {{"--root", "--version"}, R::Version},    {{"--version", "--help"}, R::Version},
        {{"--help", "--version"}, R::Help},       {{"--xscreensaver-add", "--help"}, R::Help},
        {{"my --help.glx"}, R::None},             {{"-help"}, R::None},
        {{"--HELP"}, R::None},                    {{"--help=all"}, R::None},
        {{"--xscreensaver-add"}, R::XScreenSaverAdd},
        {{"--xscreensaver-remove"}, R::XScreenSaverRemove},
        {{"--xscreensaver-add", "/s"}, R::UsageError},
        {{"--root", "--xscreensaver-remove"}, R::UsageError},
        {{"--xscreensaver-add", "--xscreensaver-remove"}, R::UsageError},
        {{"--xscreensaver-add", "--xscreensaver-add"}, R::UsageError},
        // clang-format on
    };
    for (const auto& c : cases) {
        const EarlyDecision d = DecideEarlyRequest(c.args);
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args.front() + " ...");
        EXPECT_EQ(d.request, c.request);
        EXPECT_EQ(d.error.empty(), c.request != R::UsageError);
        EXPECT_EQ(d.error.find('\n'), std::string::npos);
    }
}

// The usage text names every word the program reads, so none is left for a user to guess.
TEST(EarlyRequest, UsageNamesEveryFormAndVersionIsOneLine) {
    const std::string usage = UsageText();
    for (const char* word : {"/s", "/c", "/p WINDOW", "/a", ".glx", "--window ", "--root", "--window-id ID",
                             "--display NAME", "--xscreensaver-add", "--xscreensaver-remove", "--help",
                             "--version", "XSCREENSAVER_WINDOW", "ASTRELLE_CONFIG_DIR", "XDG_CONFIG_HOME"}) {
        EXPECT_NE(usage.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(VersionText(), "astrelle " + std::string(ProgramVersion()) + "\n");
    EXPECT_FALSE(ProgramVersion().empty());
}

}  // namespace
}  // namespace astrelle
