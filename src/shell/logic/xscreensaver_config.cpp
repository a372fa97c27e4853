// The `programs:` value of an xscreensaver preferences file: X resource syntax, where a
// line that ends in an unescaped backslash continues on the next one and the two
// characters "\n" end one entry. An entry reads "[-] [VISUAL:] ["Name"] command"; a
// leading "-" disables it. Edits touch only the lines of the entry concerned.
#include "shell/logic/xscreensaver_config.h"

#include <optional>
#include <utility>
#include <vector>

namespace astrelle {
namespace {

// xscreensaver lines up its entries with tabs: commands at column 32, the "\n\" at 76.
constexpr int kTabWidth = 8;
constexpr int kEntryIndentColumn = 32;
constexpr int kEntryEndColumn = 72;
constexpr std::string_view kEntryIndent = "\t\t\t\t";
constexpr std::string_view kEntryEndPadding = "    ";
constexpr std::string_view kProgramsKey = "programs";
constexpr std::string_view kProgramsKeyLine = "programs:\t\t\t\t\t\t\t\t      \\";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsBlankText(std::string_view text) {
    for (char c : text)
        if (!IsBlank(c)) return false;
    return true;
}

struct FileLines {
    std::vector<std::string> lines;
    bool finalNewline = false;
};

FileLines SplitLines(std::string_view text) {
    FileLines file;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            file.lines.emplace_back(text.substr(start));
            return file;
        }
        file.lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    file.finalNewline = !text.empty();
    return file;
}

std::string JoinLines(const FileLines& file) {
    std::string out;
    for (size_t i = 0; i < file.lines.size(); ++i) {
        if (i) out += '\n';
        out += file.lines[i];
    }
    if (file.finalNewline && !file.lines.empty()) out += '\n';
    return out;
}

// An odd number of backslashes at the end: the last one joins the next line.
bool Continues(std::string_view line) {
    size_t count = 0;
    while (count < line.size() && line[line.size() - 1 - count] == '\\') ++count;
    return count % 2 == 1;
}

// One `programs:` resource: its lines and where its value starts on the first of them.
struct ProgramsValue {
    size_t firstLine = 0;
    size_t lastLine = 0;
    size_t valueColumn = 0;
};

std::optional<size_t> ProgramsValueColumn(std::string_view line) {
    size_t k = 0;
    while (k < line.size() && IsBlank(line[k])) ++k;
    if (line.substr(k, kProgramsKey.size()) != kProgramsKey) return std::nullopt;
    k += kProgramsKey.size();
    while (k < line.size() && IsBlank(line[k])) ++k;
    if (k >= line.size() || line[k] != ':') return std::nullopt;
    return k + 1;
}

std::vector<ProgramsValue> FindProgramsValues(const std::vector<std::string>& lines) {
    std::vector<ProgramsValue> found;
    size_t i = 0;
    while (i < lines.size()) {
        size_t last = i;
        while (last + 1 < lines.size() && Continues(lines[last])) ++last;
        if (const auto column = ProgramsValueColumn(lines[i])) found.push_back({i, last, *column});
        i = last + 1;
    }
    return found;
}

struct Origin {
    size_t line = 0;
    size_t column = 0;
};

struct Entry {
    size_t begin = 0;                      // first character, leading blanks included
    size_t bodyEnd = 0;                    // where the "\n" starts, or the value ends
    size_t end = 0;                        // after the "\n"
    bool separated = false;                // ends with "\n"
    std::optional<size_t> disabledMarker;  // position of the leading "-"
    std::string program;                   // base name of the command's first word
};

// The value of one resource joined into one text, with where each character came from.
struct JoinedValue {
    std::string text;
    std::vector<Origin> origin;
    std::vector<Entry> entries;
};

std::string ProgramOfCommand(std::string_view command) {
    std::string_view word;
    if (!command.empty() && (command[0] == '\'' || command[0] == '"')) {
        const size_t close = command.find(command[0], 1);
        word = command.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    } else {
        size_t k = 0;
        while (k < command.size() && !IsBlank(command[k])) ++k;
        word = command.substr(0, k);
    }
    const size_t slash = word.find_last_of('/');
    return std::string(slash == std::string_view::npos ? word : word.substr(slash + 1));
}

void ReadEntryBody(const std::string& text, Entry& entry) {
    size_t k = entry.begin;
    auto skipBlanks = [&] {
        while (k < entry.bodyEnd && IsBlank(text[k])) ++k;
    };
    skipBlanks();
    if (k < entry.bodyEnd && text[k] == '-') {
        entry.disabledMarker = k;
        ++k;
        skipBlanks();
    }
    // A visual such as "GL:" is one word ending in a colon.
    size_t wordEnd = k;
    while (wordEnd < entry.bodyEnd && !IsBlank(text[wordEnd])) ++wordEnd;
    if (wordEnd > k && text[wordEnd - 1] == ':') {
        k = wordEnd;
        skipBlanks();
    }
    // A display name in double quotes.
    if (k < entry.bodyEnd && text[k] == '"') {
        const size_t close = text.find('"', k + 1);
        k = close == std::string::npos || close >= entry.bodyEnd ? entry.bodyEnd : close + 1;
        skipBlanks();
    }
    entry.program = ProgramOfCommand(std::string_view(text).substr(k, entry.bodyEnd - k));
}

JoinedValue JoinValue(const std::vector<std::string>& lines, const ProgramsValue& value) {
    JoinedValue joined;
    for (size_t l = value.firstLine; l <= value.lastLine; ++l) {
        const std::string& line = lines[l];
        const size_t from = l == value.firstLine ? value.valueColumn : 0;
        const size_t to = line.size() - (Continues(line) ? 1 : 0);
        for (size_t c = from; c < to; ++c) {
            joined.text += line[c];
            joined.origin.push_back({l, c});
        }
    }
    const std::string& text = joined.text;
    size_t start = 0;
    size_t k = 0;
    while (k < text.size()) {
        if (text[k] != '\\' || k + 1 >= text.size()) {
            ++k;
            continue;
        }
        if (text[k + 1] == 'n') {
            joined.entries.push_back({start, k, k + 2, true, std::nullopt, {}});
            start = k + 2;
        }
        k += 2;  // any other escaped character belongs to the entry
    }
    joined.entries.push_back({start, text.size(), text.size(), false, std::nullopt, {}});
    for (Entry& entry : joined.entries) ReadEntryBody(text, entry);
    return joined;
}

bool HasBody(const JoinedValue& value, const Entry& entry) {
    return !IsBlankText(std::string_view(value.text).substr(entry.begin, entry.bodyEnd - entry.begin));
}

bool IsOurs(const JoinedValue& value, const Entry& entry, std::string_view ownProgram) {
    return HasBody(value, entry) && (entry.program == kHackProgramName || entry.program == ownProgram);
}

// Takes one entry out of the file's lines. When the entry's command stands on a line of its
// own, the blanks before that line stay where they are (after the key or the previous "\n"); a line left with
// nothing but its continuation goes. False when there was nothing to take out.
bool RemoveEntry(FileLines& file, const ProgramsValue& value, const JoinedValue& joined, const Entry& entry) {
    size_t begin = entry.begin;
    size_t firstWord = begin;
    while (firstWord < entry.bodyEnd && IsBlank(joined.text[firstWord])) ++firstWord;
    if (firstWord < entry.bodyEnd) {
        const size_t startLine = joined.origin[begin].line;
        if (joined.origin[firstWord].line != startLine) {
            while (begin < firstWord && joined.origin[begin].line == startLine) ++begin;
        }
    }
    if (begin >= entry.end) return false;
    // The removed characters are consecutive on each line they touch.
    std::vector<std::pair<size_t, std::pair<size_t, size_t>>> cuts;  // line, [from, to)
    for (size_t k = begin; k < entry.end; ++k) {
        const Origin& at = joined.origin[k];
        if (cuts.empty() || cuts.back().first != at.line) cuts.push_back({at.line, {at.column, at.column}});
        cuts.back().second.second = at.column + 1;
    }
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
        const auto [line, range] = *it;
        std::string& text = file.lines[line];
        text.erase(range.first, range.second - range.first);
        std::string_view rest = text;
        if (Continues(rest)) rest.remove_suffix(1);
        if (!IsBlankText(rest)) continue;
        // The last line of a value ends it; an empty line does that as well.
        if (line == value.lastLine) {
            text.clear();
        } else {
            file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(line));
        }
    }
    return true;
}

void AppendEntry(FileLines& file, const ProgramsValue& value, const JoinedValue& joined,
                 std::string_view command) {
    const Entry* last = nullptr;
    for (const Entry& entry : joined.entries)
        if (HasBody(joined, entry)) last = &entry;
    size_t anchor = value.firstLine;
    if (last != nullptr && last->separated) {
        anchor = joined.origin[last->bodyEnd].line;
    } else if (last != nullptr) {
        // The last entry was never ended: end it with "\n" right after its last character.
        size_t k = last->bodyEnd;
        while (k > last->begin && IsBlank(joined.text[k - 1])) --k;
        const Origin at = joined.origin[k - 1];
        file.lines[at.line].insert(at.column + 1, " \\n");
        anchor = at.line;
    }
    std::string entryLine = FormatProgramsEntry(command);
    if (!Continues(file.lines[anchor])) {
        // The anchor ended the value: it now continues onto the new entry, which ends it.
        file.lines[anchor] += '\\';
        entryLine.pop_back();
    }
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(anchor + 1), entryLine);
}

void AppendProgramsValue(FileLines& file, std::string_view command) {
    // An empty line sets the list apart, and keeps a stray continuation at the end of the
    // file from swallowing the new key.
    if (!file.lines.empty() && !IsBlankText(file.lines.back())) file.lines.emplace_back();
    file.lines.emplace_back(kProgramsKeyLine);
    file.lines.push_back(FormatProgramsEntry(command));
    file.lines.emplace_back();
    file.finalNewline = true;
}

}  // namespace

std::string FormatProgramsEntry(std::string_view command) {
    std::string line(kEntryIndent);
    line += command;
    int column = kEntryIndentColumn + static_cast<int>(command.size());
    if (column < kEntryEndColumn) {
        while (column < kEntryEndColumn) {
            line += '\t';
            column = (column / kTabWidth + 1) * kTabWidth;
        }
        line += kEntryEndPadding;
    } else {
        line += ' ';
    }
    line += "\\n\\";
    return line;
}

std::string NewPreferencesFile(std::string_view command) {
    FileLines file;
    file.lines = {
        "# XScreenSaver Preferences File",
        "# Written by astrelle --xscreensaver-add. Every setting that is not here keeps",
        "# xscreensaver's default; xscreensaver-settings may rewrite this file.",
    };
    AppendProgramsValue(file, command);
    return JoinLines(file);
}

// Blanking the marker enables an entry, unless another "-" follows it (a visual written
// "-L:"): that one would be read as the marker then, and the entry would stay disabled.
bool CanEnableInPlace(const JoinedValue& value, const Entry& entry) {
    size_t k = *entry.disabledMarker + 1;
    while (k < entry.bodyEnd && IsBlank(value.text[k])) ++k;
    return k >= entry.bodyEnd || value.text[k] != '-';
}

ConfigEditResult AddProgramsEntry(std::string_view fileText, std::string_view command) {
    ConfigEditResult result{ConfigEdit::Unchanged, std::string(fileText)};
    FileLines file = SplitLines(fileText);
    const std::vector<ProgramsValue> values = FindProgramsValues(file.lines);
    if (values.empty()) {
        AppendProgramsValue(file, command);
        result = {ConfigEdit::Added, JoinLines(file)};
        return result;
    }
    // xscreensaver reads the file from the top, so the last value is the one in effect.
    const ProgramsValue& value = values.back();
    const JoinedValue joined = JoinValue(file.lines, value);
    const std::string ownProgram = ProgramOfCommand(command);
    const Entry* disabled = nullptr;
    for (const Entry& entry : joined.entries) {
        if (!IsOurs(joined, entry, ownProgram)) continue;
        if (!entry.disabledMarker) return result;
        if (disabled == nullptr && CanEnableInPlace(joined, entry)) disabled = &entry;
    }
    if (disabled != nullptr) {
        const Origin at = joined.origin[*disabled->disabledMarker];
        file.lines[at.line][at.column] = ' ';  // keeps the columns of the line
        result = {ConfigEdit::Enabled, JoinLines(file)};
        return result;
    }
    AppendEntry(file, value, joined, command);
    result = {ConfigEdit::Added, JoinLines(file)};
    return result;
}

ConfigEditResult RemoveProgramsEntries(std::string_view fileText, std::string_view command) {
    const std::string ownProgram = ProgramOfCommand(command);
    FileLines file = SplitLines(fileText);
    bool removed = false;
    // One entry at a time, each time on freshly read lines, since a removal moves lines.
    for (;;) {
        bool found = false;
        for (const ProgramsValue& value : FindProgramsValues(file.lines)) {
            const JoinedValue joined = JoinValue(file.lines, value);
            for (const Entry& entry : joined.entries) {
                if (!IsOurs(joined, entry, ownProgram)) continue;
                found = RemoveEntry(file, value, joined, entry);
                break;
            }
            if (found) break;
        }
        if (!found) break;
        removed = true;
    }
    if (!removed) return {ConfigEdit::Unchanged, std::string(fileText)};
    return {ConfigEdit::Removed, JoinLines(file)};
}

std::string QuoteCommandWord(std::string_view word) {
    auto plain = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("_./+-,:@%=").find(c) != std::string_view::npos;
    };
    bool allPlain = !word.empty();
    for (char c : word) allPlain = allPlain && plain(c);
    if (allPlain) return std::string(word);
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    quoted += '\'';
    return quoted;
}

}  // namespace astrelle
