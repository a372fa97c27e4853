// Opening a template made of arbitrary bytes: nothing fails, every row ends inside its
// ranges, field texts keep to the value limit, and saving what was opened and opening it
// again gives the same rows and fields (but the ambient profile box, which templates do
// not carry). Importing the same file stores numbers for every universe value.
#include <cmath>
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "platform/profile_file.h"
#include "row_compare.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/template_files.h"
#include "settings/value_utils.h"

namespace astrelle::fuzz {
namespace {

struct Opened {
    TemplateFields fields;
    GalaxyTypeTable table{};
    CompositeTable composites{};
    MemorySettingsStore store;
};

// The dialog as it stands before a template is opened: factory rows, empty fields.
const Opened& FactoryState() {
    static const Opened state = [] {
        Opened s;
        LoadFactoryGalaxyTypes(s.table);
        LoadFactoryComposites(s.composites);
        return s;
    }();
    return state;
}

void CheckFields(const TemplateFields& fields) {
    FUZZ_CHECK(Utf8Length(fields.txtPixelSize) <= kMaxTemplateValueChars);
    FUZZ_CHECK(Utf8Length(fields.txtFocalLen) <= kMaxTemplateValueChars);
    FUZZ_CHECK(Utf8Length(fields.txtMessage) <= kMaxTemplateValueChars);
    for (const std::string& text : fields.txtUni) FUZZ_CHECK(Utf8Length(text) <= kMaxTemplateValueChars);
    const SettingDef* profile = FindSetting("Universe_Profile");
    FUZZ_CHECK(profile != nullptr);
    FUZZ_CHECK(fields.cboUniProfile >= profile->low && fields.cboUniProfile <= profile->high);
}

// A name holding a line break or NUL cannot be written to a line of a file; it comes back
// as the default name.
bool Storable(std::string_view text) {
    return IsStorableEntry("S", "K", text);
}

bool SameName(const std::string& written, const std::string& reopened, const std::string& fallback) {
    if (!Storable(written)) return reopened == fallback;
    return TrimBlanksAndTabs(written) == TrimBlanksAndTabs(reopened);
}

void CheckReopened(Opened& first, Opened& second) {
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        GalaxyTypeRecord a = first.table[static_cast<size_t>(i)];
        GalaxyTypeRecord b = second.table[static_cast<size_t>(i)];
        FUZZ_CHECK(SameName(a.Name, b.Name, DefaultGalaxyName(i)));
        a.Name = b.Name;
        FUZZ_CHECK(SameGalaxyRow(a, b));
    }
    for (int c = 0; c < kCompositeCount; ++c) {
        CompositeRecord a = first.composites[static_cast<size_t>(c)];
        CompositeRecord b = second.composites[static_cast<size_t>(c)];
        FUZZ_CHECK(SameName(a.Name, b.Name, DefaultCompositeName(c)));
        a.Name = b.Name;
        FUZZ_CHECK(SameCompositeRow(a, b));
    }
    const TemplateFields& f = first.fields;
    const TemplateFields& g = second.fields;
    FUZZ_CHECK(SameName(f.txtPixelSize, g.txtPixelSize, "1"));
    FUZZ_CHECK(SameName(f.txtFocalLen, g.txtFocalLen, "1.0"));
    FUZZ_CHECK(SameName(f.txtMessage, g.txtMessage, ""));
    for (size_t k = 0; k < f.txtUni.size(); ++k) {
        // Universe fields are written as the number they start with.
        const double before = LeadingNumber(f.txtUni[k]);
        if (std::isfinite(before)) FUZZ_CHECK(LeadingNumber(g.txtUni[k]) == before);
    }
    FUZZ_CHECK(f.chkUniTour == g.chkUniTour && f.chkVisitSeq == g.chkVisitSeq &&
               f.chkTrackGrav == g.chkTrackGrav && !g.chkAmbDisp);
    FUZZ_CHECK(f.cboUniProfile == g.cboUniProfile);
    for (const SettingDef& def : SettingsOf(SettingGroup::Advanced)) {
        FUZZ_CHECK(GetSettingText(first.store, def) == GetSettingText(second.store, def));
    }
}

}  // namespace
}  // namespace astrelle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    using namespace astrelle;
    using namespace astrelle::fuzz;
    const std::string path = ScratchFolder() + "/opened.glx";
    const std::string savedPath = ScratchFolder() + "/saved.glx";
    WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes), size));

    Opened first = FactoryState();
    {
        TemplateFile file(path);
        OpenTemplate(file, first.store, first.fields, first.table, first.composites);
    }
    CheckFields(first.fields);
    CheckTablesInRange(first.table, first.composites);

    std::remove(savedPath.c_str());
    Opened written = first;
    {
        TemplateFile file(savedPath);
        FUZZ_CHECK(SaveTemplate(file, written.store, written.fields, written.table, written.composites));
    }
    Opened second = first;
    second.store = MemorySettingsStore();
    {
        TemplateFile file(savedPath);
        OpenTemplate(file, second.store, second.fields, second.table, second.composites);
    }
    CheckReopened(first, second);

    MemorySettingsStore imported;
    {
        TemplateFile file(path);
        FUZZ_CHECK(ImportTemplate(file, imported));
    }
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        if (auto text = imported.ReadText(kSectionUniverse, def.key)) FUZZ_CHECK(IsNumericText(*text));
    }
    return 0;
}
