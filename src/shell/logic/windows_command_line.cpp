// Splitting the program path off a Windows command line.
#include "shell/logic/windows_command_line.h"

namespace astrelle {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string SaverCommandLine(std::string_view whole) {
    size_t at = 0;
    // The program path: up to the closing quote when it starts with one (Windows paths
    // cannot contain quotes, and the arguments may follow the quote at once), else up to
    // the first blank.
    if (!whole.empty() && whole.front() == '"') {
        const size_t close = whole.find('"', 1);
        at = close == std::string_view::npos ? whole.size() : close + 1;
    } else {
        while (at < whole.size() && !IsBlank(whole[at])) ++at;
    }
    if (at < whole.size() && IsBlank(whole[at])) ++at;  // the separator
    std::string_view rest = whole.substr(at);

    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"' &&
        rest.find('"', 1) == rest.size() - 1) {
        rest = rest.substr(1, rest.size() - 2);
    }
    return std::string(rest);
}

}  // namespace astrelle
