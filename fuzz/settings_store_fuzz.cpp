// The settings file on arbitrary bytes: every typed read gives a value of its type, the
// loaded rows lie inside their ranges, and saving the rows and loading them again gives
// the same rows while every value the save does not own reads as before.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "plain_profile.h"
#include "platform/profile_file.h"
#include "row_compare.h"
#include "settings/registry_store.h"
#include "settings/value_utils.h"

namespace astrelle::fuzz {
namespace {

// Every general, advanced and universe value as the saver and the dialogs read it, in text
// form so that two readings can be compared.
std::vector<std::string> ReadGroups(SettingsStore& store) {
    std::vector<std::string> out;
    for (SettingGroup group : {SettingGroup::General, SettingGroup::Advanced, SettingGroup::Universe}) {
        for (const SettingDef& def : SettingsOf(group)) {
            switch (def.storeReadAs) {
                case ValueType::Int32:
                    out.push_back(IntToText(GetSettingInt32(store, def)));
                    break;
                case ValueType::Float: {
                    const float v = GetSettingFloat(store, def);
                    FUZZ_CHECK(std::isfinite(v));  // the parsers never produce a non-number
                    out.push_back(FloatToText(v));
                    break;
                }
                case ValueType::Text: {
                    std::string text = GetSettingText(store, def);
                    FUZZ_CHECK(Utf8Length(text) <= kMaxStoredTextChars || text == def.missingText);
                    out.push_back(std::move(text));
                    break;
                }
                default:
                    out.push_back(IntToText(GetSettingInt16(store, def)));
                    break;
            }
        }
    }
    return out;
}

bool IsRowSection(const std::string& lowerSection) {
    return lowerSection.rfind("universe\\galaxy", 0) == 0 || lowerSection.rfind("universe\\compgal", 0) == 0;
}

// The rows whose sections the file names (row 0 always): loading, saving and loading all
// 48 rows for every input would make the run a hundred times slower, and a row the file
// does not name is loaded from defaults alone.
void RowsNamed(const Readable& file, std::vector<int>& galaxies, std::vector<int>& composites) {
    galaxies = {0};
    composites = {0};
    for (int i = 1; i < kGalaxyTypeCount; ++i) {
        if (std::find(file.sections.begin(), file.sections.end(), AsciiLower(GalaxyRegistrySection(i))) !=
            file.sections.end())
            galaxies.push_back(i);
    }
    for (int c = 1; c < kCompositeCount; ++c) {
        if (std::find(file.sections.begin(), file.sections.end(), AsciiLower(CompositeRegistrySection(c))) !=
            file.sections.end())
            composites.push_back(c);
    }
}

}  // namespace
}  // namespace astrelle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    using namespace astrelle;
    using namespace astrelle::fuzz;
    const std::string folder = ScratchFolder();
    const std::string path = folder + "/" + FileSettingsStore::kFileName;
    const std::string_view original(reinterpret_cast<const char*>(bytes), size);
    WriteFile(path, original);

    const Readable before = ReadPlainly(original);
    std::vector<int> galaxyRows;
    std::vector<int> compositeRows;
    RowsNamed(before, galaxyRows, compositeRows);

    FileSettingsStore store(folder);
    const std::vector<std::string> groups = ReadGroups(store);
    GalaxyTypeTable table{};
    CompositeTable composites{};
    for (int i : galaxyRows) {
        LoadGalaxyTypeFromRegistry(store, table, i);
        ClampGalaxyType(table, i);
        FUZZ_CHECK(Utf8Length(table[static_cast<size_t>(i)].Name) <= kMaxStoredTextChars);
    }
    for (int c : compositeRows) {
        LoadCompositeFromRegistry(store, composites, c);
        ClampCompositeType(composites, c);
    }
    CheckTablesInRange(table, composites, galaxyRows, compositeRows);

    // What the properties dialog does on Accept with rows it did not touch.
    {
        StoreBatch batch(store);
        for (int i : galaxyRows) SaveGalaxyTypeToRegistry(store, table, i);
        for (int c : compositeRows) SaveCompositeToRegistry(store, composites, c);
        FUZZ_CHECK(batch.Commit());
    }

    FileSettingsStore fresh(folder);
    GalaxyTypeTable reloaded{};
    CompositeTable reloadedComposites{};
    for (int i : galaxyRows) {
        LoadGalaxyTypeFromRegistry(fresh, reloaded, i);
        ClampGalaxyType(reloaded, i);
        FUZZ_CHECK(SameGalaxyRow(reloaded[static_cast<size_t>(i)], table[static_cast<size_t>(i)]));
    }
    for (int c : compositeRows) {
        LoadCompositeFromRegistry(fresh, reloadedComposites, c);
        ClampCompositeType(reloadedComposites, c);
        FUZZ_CHECK(
            SameCompositeRow(reloadedComposites[static_cast<size_t>(c)], composites[static_cast<size_t>(c)]));
    }
    FUZZ_CHECK(ReadGroups(fresh) == groups);

    // Only the row settings the save owns may have changed in the file.
    const Readable after = ReadPlainly(ReadFileForCheck(path));
    for (const auto& [name, value] : before.values) {
        auto now = after.values.find(name);
        FUZZ_CHECK(now != after.values.end());
        if (now->second != value) FUZZ_CHECK(IsRowSection(name.first) && FindSetting(name.second) != nullptr);
    }
    return 0;
}
