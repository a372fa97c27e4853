// Editing the `programs:` list of an xscreensaver preferences file (~/.xscreensaver) as
// text: one entry is added, enabled or removed, and every other byte of the file (other
// entries, comments, keys, spacing) stays as it was. Plain C++ and pure.
#pragma once

#include <string>
#include <string_view>

namespace astrelle {

// The program name xscreensaver's entries are matched by: "astrelle", "/usr/bin/astrelle"
// and "'/opt/my dir/astrelle'" all name it; "astrelle-render" does not.
inline constexpr std::string_view kHackProgramName = "astrelle";

enum class ConfigEdit {
    Added,      // an entry was appended to the list (or a list with it was created)
    Enabled,    // a disabled entry ("-" in front) was enabled again
    Removed,    // every entry of the program was taken out
    Unchanged,  // already as asked: nothing to write
};

struct ConfigEditResult {
    ConfigEdit edit = ConfigEdit::Unchanged;
    std::string text;  // the whole new file; equal to the input when Unchanged
};

// One list entry as xscreensaver writes it: four tabs, the command, tabs to column 72,
// then the "\n" that ends the entry and the "\" that continues the value.
std::string FormatProgramsEntry(std::string_view command);

// A new preferences file that holds only the list with this one command. xscreensaver
// takes its defaults for every other setting.
std::string NewPreferencesFile(std::string_view command);

// An entry is the hack's when its program is kHackProgramName or the program of command
// (the saver installed under another name).

// Adds command to the list in effect (the last `programs:` value) unless an entry of the
// hack is there: an enabled one leaves the file alone, a disabled one is enabled. A file
// without the key gets a list at its end.
ConfigEditResult AddProgramsEntry(std::string_view fileText, std::string_view command);

// Removes every entry of the hack, enabled or not, from every `programs:` value.
ConfigEditResult RemoveProgramsEntries(std::string_view fileText, std::string_view command);

// Quotes a command word for the shell when it holds anything but plain path characters,
// so a program in a folder with blanks still runs.
std::string QuoteCommandWord(std::string_view word);

}  // namespace astrelle
