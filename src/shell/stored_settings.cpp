// Stored settings for the shell.
// TEMPORARY: the settings store is not in this branch yet; until it is merged every value
// reads as missing and writes are dropped, so the windows run with the used-when-missing
// values. Replaced by calls into the store when it lands.
#include "shell/stored_settings.h"

namespace astrelle {

std::optional<std::string> ReadStoredText(std::string_view, std::string_view) {
    return std::nullopt;
}

bool WriteStoredText(std::string_view, std::string_view, std::string_view) {
    return false;
}

void ImportTemplateFile(const std::string&) {}

}  // namespace astrelle
