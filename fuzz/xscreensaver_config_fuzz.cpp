// Editing the programs list of any ~/.xscreensaver: it never fails, leaves a file it does
// not change byte for byte alone, and its edits hold: once added, the saver is found
// enabled; once removed, nothing of it is left to remove.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_support.h"
#include "shell/logic/xscreensaver_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    using namespace astrelle;
    FuzzedDataProvider data(bytes, size);
    const bool fullPath = data.ConsumeBool();
    const std::string text = data.ConsumeRemainingBytesAsString();
    const std::string command = fullPath ? "'/opt/my stars/astrelle' --root" : "astrelle --root";

    const ConfigEditResult added = AddProgramsEntry(text, command);
    if (added.edit == ConfigEdit::Unchanged) FUZZ_CHECK(added.text == text);
    FUZZ_CHECK(added.edit != ConfigEdit::Removed);
    const ConfigEditResult again = AddProgramsEntry(added.text, command);
    FUZZ_CHECK(again.edit == ConfigEdit::Unchanged);

    const ConfigEditResult removed = RemoveProgramsEntries(added.text, command);
    FUZZ_CHECK(removed.edit == ConfigEdit::Removed);
    FUZZ_CHECK(RemoveProgramsEntries(removed.text, command).edit == ConfigEdit::Unchanged);
    const ConfigEditResult removedFromInput = RemoveProgramsEntries(text, command);
    if (removedFromInput.edit == ConfigEdit::Unchanged) FUZZ_CHECK(removedFromInput.text == text);
    return 0;
}
