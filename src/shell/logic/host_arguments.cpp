// Parsing of the xscreensaver and display options that come before the saver's own
// command line.
#include "shell/logic/host_arguments.h"

#include <charconv>

namespace astrelle {

std::optional<unsigned long> ParseWindowId(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    for (char c : text) {
        const bool digit =
            (c >= '0' && c <= '9') || (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
        if (!digit) return std::nullopt;
    }
    uint64_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (value == 0 || value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<unsigned long>(value);
}

HostArguments ParseHostArguments(const std::vector<std::string>& args,
                                 std::optional<std::string_view> xscreensaverWindow) {
    HostArguments out;
    bool root = false;
    std::optional<unsigned long> given;
    std::vector<std::string_view> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view word = args[i];
        // "--name=value" and "-name value" both occur in xscreensaver configurations.
        std::string_view value;
        bool hasInlineValue = false;
        if (const size_t eq = word.find('='); eq != std::string_view::npos && word.starts_with("-")) {
            value = word.substr(eq + 1);
            word = word.substr(0, eq);
            hasInlineValue = true;
        }
        auto takeValue = [&](std::string_view name) -> std::optional<std::string_view> {
            if (hasInlineValue) return value;
            if (i + 1 < args.size()) return std::string_view(args[++i]);
            out.error = std::string(name) + " needs a value";
            return std::nullopt;
        };
        if (word == "-root" || word == "--root") {
            if (hasInlineValue) {
                rest.push_back(args[i]);
                continue;
            }
            root = true;
        } else if (word == "-window-id" || word == "--window-id") {
            const auto text = takeValue("--window-id");
            if (!text) return out;
            given = ParseWindowId(*text);
            if (!given) {
                out.error =
                    "bad window id \"" + std::string(*text) + "\" (expected a decimal or 0x-hex X window id)";
                return out;
            }
        } else if (word == "-display" || word == "--display") {
            const auto text = takeValue("--display");
            if (!text) return out;
            out.displayName = std::string(*text);
        } else if (word == "--window" && !hasInlineValue) {
            out.windowed = true;
        } else {
            rest.push_back(args[i]);
        }
    }
    if (given) {
        out.target = HackTarget::GivenWindow;
        out.windowId = *given;
    } else if (xscreensaverWindow && !xscreensaverWindow->empty()) {
        const auto id = ParseWindowId(*xscreensaverWindow);
        if (!id) {
            out.error = "bad XSCREENSAVER_WINDOW \"" + std::string(*xscreensaverWindow) + "\"";
            return out;
        }
        out.target = HackTarget::GivenWindow;
        out.windowId = *id;
    } else if (root) {
        out.target = HackTarget::RootWindow;
    }
    for (size_t i = 0; i < rest.size(); ++i) {
        if (i) out.commandLine += ' ';
        out.commandLine += rest[i];
    }
    return out;
}

}  // namespace astrelle
