// Editing the programs list of ~/.xscreensaver: files as xscreensaver-settings writes them
// (one long value of "\n\" continuations, disabled entries, GL: visuals, named entries)
// and as people write them by hand; everything but the one entry stays byte for byte.
#include "shell/logic/xscreensaver_config.h"

#include <gtest/gtest.h>

#include <string>

namespace astrelle {
namespace {

constexpr const char* kCommand = "astrelle --root";
const std::string kOurLine = "\t\t\t\tastrelle --root\t\t\t\t    \\n\\\n";

// The head and tail of a file written by xscreensaver-settings, around its list.
const std::string kHead =
    "# XScreenSaver Preferences File\n"
    "# Written by xscreensaver-settings 6.06 for me on Mon Dec  7 03:13:21 2026.\n"
    "# https://www.jwz.org/xscreensaver/\n"
    "\n"
    "timeout:\t0:10:00\n"
    "mode:\t\trandom\n"
    "selected:\t-1\n"
    "textURL:\thttps://planet.debian.org/rss20.xml\n"
    "\n"
    "textLiteral:\tC:\\\\\n"  // an escaped backslash at the end does not continue the line
    "programs:\t\t\t\t\t\t\t\t      \\\n";
const std::string kEntries =
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "-\t\t\t\tnoseguy --root\t\t\t\t    \\n\\\n"
    "  GL: \t\t\t\tgears --root --planetary\t\t    \\n\\\n"
    "\t\t\t\t\"Cosmic Clouds\"  cwaves --root\t\t    \\n\\\n"
    "\t\t\t\tgalaxy --root --astrelle\t\t    \\n\\\n"
    "\t\t\t\tastrelle-render --help\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsquirtorus --root\t\t\t    \\n\\\n";
const std::string kTail =
    "\n"
    "\n"
    "pointerHysteresis:  10\n"
    "authWarningSlack:   20\n";

std::string FileWith(const std::string& extraEntries) {
    return kHead + kEntries + extraEntries + kTail;
}

TEST(XScreenSaverConfig, AddAppendsOneLineToTheListAndRemoveGivesBackTheSameBytes) {
    const std::string original = FileWith("");
    const ConfigEditResult added = AddProgramsEntry(original, kCommand);
    EXPECT_EQ(added.edit, ConfigEdit::Added);
    EXPECT_EQ(added.text, FileWith(kOurLine));

    const ConfigEditResult again = AddProgramsEntry(added.text, kCommand);
    EXPECT_EQ(again.edit, ConfigEdit::Unchanged);
    EXPECT_EQ(again.text, added.text);

    const ConfigEditResult removed = RemoveProgramsEntries(added.text, kCommand);
    EXPECT_EQ(removed.edit, ConfigEdit::Removed);
    EXPECT_EQ(removed.text, original);
    EXPECT_EQ(RemoveProgramsEntries(original, kCommand).edit, ConfigEdit::Unchanged);
}

// Which existing entries count as the saver's: by the base name of the command's program,
// after the disabled mark, a visual and a display name; an argument or a longer name do not.
TEST(XScreenSaverConfig, EntriesOfTheSaverInEveryFormAreFoundEnabledOrRemoved) {
    const struct {
        const char* line;
        ConfigEdit onAdd;
        const char* afterAdd;  // the line after adding, when it changes
    } cases[] = {
        {"\t\t\t\tastrelle --root\t\t\t\t    \\n\\\n", ConfigEdit::Unchanged, nullptr},
        {"\t\t\t\t/usr/bin/astrelle -root\t\t\t    \\n\\\n", ConfigEdit::Unchanged, nullptr},
        {"  GL: \t\t\t\tastrelle --root\t\t\t\t    \\n\\\n", ConfigEdit::Unchanged, nullptr},
        {"\t\t\t\t\"Astrelle\"  astrelle --root\t\t    \\n\\\n", ConfigEdit::Unchanged, nullptr},
        {"\t\t\t\t'/opt/my stars/astrelle' --root\t\t    \\n\\\n", ConfigEdit::Unchanged, nullptr},
        {"\t\t\t\tastrelle-try --root\t\t    \\n\\\n", ConfigEdit::Unchanged, nullptr},
        {"-\t\t\t\tastrelle --root\t\t\t\t    \\n\\\n", ConfigEdit::Enabled,
         " \t\t\t\tastrelle --root\t\t\t\t    \\n\\\n"},
        {"- GL: \t\t\t\t/usr/bin/astrelle --root\t\t    \\n\\\n", ConfigEdit::Enabled,
         "  GL: \t\t\t\t/usr/bin/astrelle --root\t\t    \\n\\\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string file = FileWith(c.line);
        // "astrelle-try" stands for the saver installed under another name.
        const char* command = std::string(c.line).find("astrelle-try") != std::string::npos
                                  ? "/home/me/bin/astrelle-try --root"
                                  : kCommand;
        const ConfigEditResult added = AddProgramsEntry(file, command);
        EXPECT_EQ(added.edit, c.onAdd);
        EXPECT_EQ(added.text, c.afterAdd ? FileWith(c.afterAdd) : file);
        const ConfigEditResult removed = RemoveProgramsEntries(file, command);
        EXPECT_EQ(removed.edit, ConfigEdit::Removed);
        EXPECT_EQ(removed.text, FileWith(""));
    }
}

// Every entry of the saver goes, in every programs value; an entry's line goes with it,
// and a value that ended on that line still ends there (the next key stays a key).
TEST(XScreenSaverConfig, RemoveTakesEveryEntryAndKeepsTheValueEnded) {
    const std::pair<std::string, std::string> cases[] = {
        {"programs:\t\\\n\t\tmaze -root \\n\\\n\t\tastrelle --root \\n\nmode: one\n",
         "programs:\t\\\n\t\tmaze -root \\n\\\n\nmode: one\n"},
        {"programs: astrelle -root \\n maze -root \\n\n", "programs: maze -root \\n\n"},
        {"programs: maze -root \\n astrelle -root \\n\n", "programs: maze -root \\n\n"},
        {"programs: astrelle --root", "programs:"},
        {"programs:\\\n  astrelle --root \\n\\\n-  astrelle -root \\n\\\n  qix -root \\n\\\n\n",
         "programs:\\\n  qix -root \\n\\\n\n"},
        {"programs: astrelle --root \\n\nlock: True\nprograms:\\\n- astrelle \\n\\\n\n",
         "programs:\nlock: True\nprograms:\\\n\n"},
    };
    for (const auto& [before, after] : cases) {
        SCOPED_TRACE(before);
        const ConfigEditResult removed = RemoveProgramsEntries(before, kCommand);
        EXPECT_EQ(removed.edit, ConfigEdit::Removed);
        EXPECT_EQ(removed.text, after);
    }
}

// Hand-written lists: on one line, ended by the next key instead of an empty line, the last
// entry without its "\n", empty, missing, after a comment that names the key, or twice (the
// later one is what xscreensaver uses).
TEST(XScreenSaverConfig, AddEndsTheListWhereverItEnds) {
    const std::string ours = kOurLine.substr(0, kOurLine.size() - 2) + "\n";  // ends the value
    const std::string appended = "\nprograms:\t\t\t\t\t\t\t\t      \\\n" + kOurLine + "\n";
    const std::pair<std::string, std::string> cases[] = {
        {"programs: maze -root\n", "programs: maze -root \\n\\\n" + ours},
        {"programs: maze -root \\n\n", "programs: maze -root \\n\\\n" + ours},
        {"programs:\t\\\n\t\tmaze -root \\n\\\n\t\tgalaxy -root\nmode: one\n",
         "programs:\t\\\n\t\tmaze -root \\n\\\n\t\tgalaxy -root \\n\\\n" + ours + "mode: one\n"},
        {"programs:\t\\\n\t\tmaze -root \\n\\\n\t\tgalaxy -root  \\\n\nmode: one\n",
         "programs:\t\\\n\t\tmaze -root \\n\\\n\t\tgalaxy -root \\n  \\\n" + kOurLine + "\nmode: one\n"},
        {"programs:\n", "programs:\\\n" + ours},
        {"programs:\\\n\n", "programs:\\\n" + kOurLine + "\n"},
        {"mode:\t\trandom\n", "mode:\t\trandom\n" + appended},
        {"mode:\t\trandom", "mode:\t\trandom\n" + appended},
        {"", "programs:\t\t\t\t\t\t\t\t      \\\n" + kOurLine + "\n"},
        {"# programs: astrelle --root\n", "# programs: astrelle --root\n" + appended},
        {"lock: True \\\n", "lock: True \\\n" + appended},
        {"programs: astrelle \\n\nprograms: maze \\n\n",
         "programs: astrelle \\n\nprograms: maze \\n\\\n" + ours},
    };
    for (const auto& [before, after] : cases) {
        SCOPED_TRACE(before);
        const ConfigEditResult added = AddProgramsEntry(before, kCommand);
        EXPECT_EQ(added.edit, ConfigEdit::Added);
        EXPECT_EQ(added.text, after);
        EXPECT_EQ(AddProgramsEntry(added.text, kCommand).edit, ConfigEdit::Unchanged);
    }
}

TEST(XScreenSaverConfig, NewFileHoldsOnlyTheSaverAndEntriesLineUpAsXScreenSaverWritesThem) {
    const std::string created = NewPreferencesFile(kCommand);
    EXPECT_EQ(created.substr(0, 2), "# ");
    EXPECT_NE(created.find("\n\nprograms:\t\t\t\t\t\t\t\t      \\\n" + kOurLine + "\n"), std::string::npos);
    EXPECT_EQ(created.back(), '\n');
    EXPECT_EQ(AddProgramsEntry(created, kCommand).edit, ConfigEdit::Unchanged);

    const std::pair<std::string, std::string> lines[] = {
        {"maze --root", "\t\t\t\tmaze --root\t\t\t\t    \\n\\"},
        {"superquadrics --root", "\t\t\t\tsuperquadrics --root\t\t\t    \\n\\"},
        {"abcdefghijklmnopqrstuvwxyz0123456789abcd",
         "\t\t\t\tabcdefghijklmnopqrstuvwxyz0123456789abcd \\n\\"},
    };
    for (const auto& [command, line] : lines) EXPECT_EQ(FormatProgramsEntry(command), line);
}

TEST(XScreenSaverConfig, CommandWordsAreQuotedOnlyWhenTheShellNeedsIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/astrelle", "/usr/bin/astrelle"},
        {"/home/me/build-2.0/src/astrelle", "/home/me/build-2.0/src/astrelle"},
        {"/opt/my stars/astrelle", "'/opt/my stars/astrelle'"},
        {"/opt/it's/astrelle", "'/opt/it'\\''s/astrelle'"},
        {"/opt/$HOME/astrelle", "'/opt/$HOME/astrelle'"},
        {"", "''"},
    };
    for (auto [word, quoted] : cases) EXPECT_EQ(QuoteCommandWord(word), quoted);
}

}  // namespace
}  // namespace astrelle
