// The help page on Windows: the HTML page travels inside astrelle.scr as a resource. To show
// it, it is written into the user's temporary folder (again only when it changed) and the
// default browser opens it. Windows drops the "#topic" of a file it opens by its type, so a
// topic is reached through a small page beside it that forwards to the anchor.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace astrelle::win32 {

enum class HelpOpening : uint8_t {
    Opened,
    Missing,  // the program carries no help page
    Failed,   // it could not be written, or no browser took it
};

// Writes page as help.html into folder, and for a topic the forwarding page
// help-<topic>.html; returns the file to open, or nothing when a write failed. A topic keeps
// only letters, digits, "_", "-" and "."; nothing left means the top of the page.
[[nodiscard]] std::optional<std::string> WriteHelpFiles(std::string_view page, const std::string& folder,
                                                        std::string_view topic);

// The help page carried as a resource of this program; empty when there is none.
std::string_view HelpPageResource();

// Opens the help page at topic ("" for the top) in the default browser.
[[nodiscard]] HelpOpening OpenHelpPage(std::string_view topic);

}  // namespace astrelle::win32
