// --help, --version and the xscreensaver registration requests, decided before anything
// else of the command line.
#include "shell/logic/early_options.h"

#include <algorithm>

#ifndef ASTRELLE_VERSION
#error "ASTRELLE_VERSION must be defined by the build"
#endif

namespace astrelle {
namespace {

constexpr std::string_view kHelpWord = "--help";
constexpr std::string_view kVersionWord = "--version";
constexpr std::string_view kAddWord = "--xscreensaver-add";
constexpr std::string_view kRemoveWord = "--xscreensaver-remove";

}  // namespace

std::string_view ProgramVersion() {
    return ASTRELLE_VERSION;
}

EarlyDecision DecideEarlyRequest(const std::vector<std::string>& args) {
    EarlyDecision decision;
    for (const std::string& word : args) {
        if (word == kHelpWord) return {EarlyRequest::Help, {}};
        if (word == kVersionWord) return {EarlyRequest::Version, {}};
    }
    const bool isAdd = std::ranges::find(args, kAddWord) != args.end();
    const bool isRemove = std::ranges::find(args, kRemoveWord) != args.end();
    if (!isAdd && !isRemove) return decision;
    const std::string_view word = isAdd ? kAddWord : kRemoveWord;
    if (args.size() != 1) {
        decision.request = EarlyRequest::UsageError;
        decision.error = std::string(word) + " takes no other arguments";
        return decision;
    }
    decision.request = isAdd ? EarlyRequest::XScreenSaverAdd : EarlyRequest::XScreenSaverRemove;
    return decision;
}

std::string UsageText() {
    return "Usage: astrelle [COMMAND-LINE]\n"
           "       astrelle --root | --window-id ID     (as an xscreensaver hack)\n"
           "       astrelle --xscreensaver-add | --xscreensaver-remove | --help | --version\n"
           "A three-dimensional star-field screen saver.\n"
           "\n"
           "Screen-saver command lines (the first two characters count, in any case):\n"
           "  /s               run the full-screen saver; does nothing while one runs\n"
           "  /c, or nothing   open the properties dialog, or raise the one that is open\n"
           "  /p WINDOW        draw the preview in a child of the X11 window WINDOW (decimal)\n"
           "  /a               change the saver password (nothing to do on Linux)\n"
           "  FILE.glx         import the template FILE into the settings, then run the saver\n"
           "  anything else    run the full-screen saver\n"
           "\n"
           "Desktop options (they may stand beside a command line):\n"
           "  --window         run as the windowed program (as does the name astrelle-window)\n"
           "  --root           draw as an xscreensaver hack into the window named by\n"
           "                   XSCREENSAVER_WINDOW, else into the root window\n"
           "  --window-id ID   draw as an xscreensaver hack into window ID (decimal or 0x-hex)\n"
           "  --display NAME   the X display to use instead of $DISPLAY\n"
           "\n"
           "Requests that stand alone:\n"
           "  --xscreensaver-add     add Astrelle to the screen savers of ~/.xscreensaver\n"
           "  --xscreensaver-remove  remove Astrelle from ~/.xscreensaver\n"
           "  --help                 show this help and exit\n"
           "  --version              show the version and exit\n"
           "\n"
           "Settings live in settings.ini in $ASTRELLE_CONFIG_DIR when it is set, else in\n"
           "$XDG_CONFIG_HOME/astrelle (usually ~/.config/astrelle). See astrelle(1).\n";
}

std::string VersionText() {
    return "astrelle " + std::string(ProgramVersion()) + "\n";
}

}  // namespace astrelle
