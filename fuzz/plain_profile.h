// The lookup rules of profile files written out as plainly as possible, independent of
// ProfileText's line list: what any reader of the bytes must find. Targets compare the
// stores against it.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "settings/settings_store.h"

namespace astrelle::fuzz {

using Name = std::pair<std::string, std::string>;  // lower-case section and key

// Every value a reader finds, by lower-case names.
struct Readable {
    std::map<Name, std::string> values;
    std::vector<std::string> sections;  // lower-case, in file order, first occurrences only
};

inline Readable ReadPlainly(std::string_view bytes) {
    Readable out;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::map<std::string, bool> seen;
    bool inSection = false;
    std::string current;
    while (!bytes.empty()) {
        size_t nl = bytes.find('\n');
        std::string_view line = bytes.substr(0, nl);
        bytes.remove_prefix(nl == std::string_view::npos ? bytes.size() : nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // CRLF, or a CR ending the file
        std::string_view t = TrimBlanksAndTabs(line);
        if (t.empty()) continue;
        if (t[0] == '[') {
            size_t close = t.find(']');
            if (close == std::string_view::npos) continue;
            std::string name = AsciiLower(TrimBlanksAndTabs(t.substr(1, close - 1)));
            inSection = !seen[name];
            seen[name] = true;
            if (inSection) {
                current = name;
                out.sections.push_back(name);
            }
            continue;
        }
        if (!inSection || t[0] == ';') continue;
        size_t eq = t.find('=');
        if (eq == std::string_view::npos) continue;
        std::string key = AsciiLower(TrimBlanksAndTabs(t.substr(0, eq)));
        if (key.empty()) continue;
        out.values.try_emplace(Name{current, key}, TrimBlanksAndTabs(t.substr(eq + 1)));
    }
    return out;
}

}  // namespace astrelle::fuzz
