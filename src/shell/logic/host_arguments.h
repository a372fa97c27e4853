// Splits the process arguments into what the desktop side of Linux adds (xscreensaver's
// -root / -window-id, a display name, the --window switch of the windowed program) and
// the command line proper that the start-up decision reads. Plain C++ and pure, so the
// precedence rules are tested without a display.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace astrelle {

// Where an xscreensaver-style run draws.
enum class HackTarget { None, RootWindow, GivenWindow };

struct HostArguments {
    HackTarget target = HackTarget::None;
    unsigned long windowId = 0;  // for GivenWindow
    bool windowed = false;       // --window: run as the windowed program
    std::string displayName;     // -display / --display NAME, else empty
    std::string commandLine;     // the remaining words joined by single spaces
    std::string error;           // non-empty: a one-line reason to stop with
};

// Reads an X window id written as decimal or as 0x-hex. 0, negative numbers, trailing
// characters and values above 32 bits are no window id.
std::optional<unsigned long> ParseWindowId(std::string_view text);

// args excludes the program name. xscreensaverWindow is the value of XSCREENSAVER_WINDOW
// (nullopt when unset). --window-id wins over the environment, which wins over --root;
// the environment alone is honoured too, because the daemon sets it only for its hacks.
HostArguments ParseHostArguments(const std::vector<std::string>& args,
                                 std::optional<std::string_view> xscreensaverWindow);

}  // namespace astrelle
