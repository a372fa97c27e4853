// Typed reads and writes of the permanent settings and the row loaders and savers.

#include "settings/registry_store.h"

#include <algorithm>

#include "settings/factory_tables.h"
#include "settings/rounding.h"
#include "settings/value_utils.h"

namespace astrelle {

namespace {

constexpr std::string_view kFirstRunKey = "AnimationType";

}  // namespace

std::string RegReadText(SettingsStore& store, std::string_view section, std::string_view key,
                        std::string_view defaultText) {
    std::optional<std::string> text = store.ReadText(section, key);
    // The registry read fails for values that do not fit its 128-byte buffer; stored files
    // rely on that limit, so a longer text is treated as missing here too.
    if (!text || Utf8Length(*text) > kMaxStoredTextChars) return std::string(defaultText);
    return std::move(*text);
}

bool RegWriteText(SettingsStore& store, std::string_view section, std::string_view key,
                  std::string_view value) {
    return store.WriteText(section, key, TrimBlanks(value));
}

bool RegWriteText(SettingsStore& store, std::string_view section, std::string_view key, int value) {
    return store.WriteText(section, key, IntToText(value));
}

bool RegWriteText(SettingsStore& store, std::string_view section, std::string_view key, float value) {
    return store.WriteText(section, key, FloatToText(value));
}

int16_t GetSettingInt16(SettingsStore& store, std::string_view section, std::string_view key,
                        int16_t fallback) {
    return ParseInt16Or(RegReadText(store, section, key, IntToText(fallback)), fallback);
}

int32_t GetSettingInt32(SettingsStore& store, std::string_view section, std::string_view key,
                        int32_t fallback) {
    return ParseInt32Or(RegReadText(store, section, key, IntToText(fallback)), fallback);
}

float GetSettingFloat(SettingsStore& store, std::string_view section, std::string_view key, float fallback) {
    return ParseFloatOr(RegReadText(store, section, key, FloatToText(fallback)), fallback);
}

std::string GetSettingText(SettingsStore& store, std::string_view section, std::string_view key,
                           std::string_view fallback) {
    return RegReadText(store, section, key, fallback);
}

std::string_view SectionOf(const SettingDef& def) {
    switch (def.group) {
        case SettingGroup::General:
            return kSectionGeneral;
        case SettingGroup::Advanced:
            return kSectionAdvanced;
        case SettingGroup::Universe:
            return kSectionUniverse;
        default:
            return {};
    }
}

int16_t GetSettingInt16(SettingsStore& store, const SettingDef& def) {
    return GetSettingInt16(store, SectionOf(def), def.key, ParseInt16Or(def.missingText, 0));
}

int32_t GetSettingInt32(SettingsStore& store, const SettingDef& def) {
    return GetSettingInt32(store, SectionOf(def), def.key, ParseInt32Or(def.missingText, 0));
}

float GetSettingFloat(SettingsStore& store, const SettingDef& def) {
    return GetSettingFloat(store, SectionOf(def), def.key, ParseFloatOr(def.missingText, 0.0f));
}

std::string GetSettingText(SettingsStore& store, const SettingDef& def) {
    std::string text = GetSettingText(store, SectionOf(def), def.key, def.missingText);
    if (text.empty() && def.emptyMeansMissing) return std::string(def.missingText);
    return text;
}

void LoadGalaxyTypeFromRegistry(SettingsStore& store, GalaxyTypeTable& table, int i) {
    if (i < 0 || i >= kGalaxyTypeCount) return;
    const std::string section = GalaxyRegistrySection(i);
    GalaxyTypeRecord& row = table[static_cast<size_t>(i)];
    for (const SettingDef* def : GalaxyStoreOrder()) {
        const std::string key = KeyFor(*def, KeyStyle::Registry);
        const std::string missing = MissingText(*def, i);
        if (std::string* text = TextField(row, *def)) {
            *text = GetSettingText(store, section, key, missing);
            continue;
        }
        // The type the text is parsed as decides the rounding: Radius and its kin are
        // parsed as 16-bit integers even though the row holds them as floats.
        float value = 0;
        switch (def->storeReadAs) {
            case ValueType::Float:
                value = GetSettingFloat(store, section, key, ParseFloatOr(missing, 0.0f));
                break;
            case ValueType::Int32:
                value = static_cast<float>(GetSettingInt32(store, section, key, ParseInt32Or(missing, 0)));
                break;
            default:
                value = GetSettingInt16(store, section, key, ParseInt16Or(missing, 0));
                break;
        }
        if (float* f = FloatField(row, *def)) {
            *f = value;
        } else if (int16_t* n = Int16Field(row, *def)) {
            *n = RoundToInt16Saturated(value);
        }
    }
}

void SaveGalaxyTypeToRegistry(SettingsStore& store, const GalaxyTypeTable& table, int i) {
    if (i < 0 || i >= kGalaxyTypeCount) return;
    const std::string section = GalaxyRegistrySection(i);
    const GalaxyTypeRecord& row = table[static_cast<size_t>(i)];
    StoreBatch batch(store);
    for (const SettingDef* def : GalaxyStoreOrder()) {
        RegWriteText(store, section, KeyFor(*def, KeyStyle::Registry), FieldText(row, *def));
    }
}

void LoadCompositeFromRegistry(SettingsStore& store, CompositeTable& table, int c) {
    if (c < 0 || c >= kCompositeCount) return;
    const std::string section = CompositeRegistrySection(c);
    CompositeRecord& row = table[static_cast<size_t>(c)];
    for (const SettingDef* def : CompositeStoreOrder()) {
        if (def->isMemberList) {
            // The count comes before the members in the stored order; a count beyond the
            // member entries reads only those.
            const int members = std::min<int>(row.Count, kCompositeMembers);
            for (int j = 0; j < members; ++j) {
                row.Members[static_cast<size_t>(j)] = GetSettingInt16(
                    store, section, KeyFor(*def, KeyStyle::Registry, j), ParseInt16Or(def->missingText, 0));
            }
        } else if (std::string* text = TextField(row, *def)) {
            *text = GetSettingText(store, section, KeyFor(*def, KeyStyle::Registry), MissingText(*def, c));
        } else if (int16_t* n = Int16Field(row, *def)) {
            *n = GetSettingInt16(store, section, KeyFor(*def, KeyStyle::Registry),
                                 ParseInt16Or(def->missingText, 0));
        }
    }
}

void SaveCompositeToRegistry(SettingsStore& store, const CompositeTable& table, int c) {
    if (c < 0 || c >= kCompositeCount) return;
    const std::string section = CompositeRegistrySection(c);
    const CompositeRecord& row = table[static_cast<size_t>(c)];
    StoreBatch batch(store);
    for (const SettingDef* def : CompositeStoreOrder()) {
        if (def->isMemberList) {
            const int members = std::min<int>(row.Count, kCompositeMembers);
            for (int j = 0; j < members; ++j) {
                RegWriteText(store, section, KeyFor(*def, KeyStyle::Registry, j),
                             static_cast<int>(row.Members[static_cast<size_t>(j)]));
            }
        } else {
            RegWriteText(store, section, KeyFor(*def, KeyStyle::Registry), FieldText(row, *def));
        }
    }
}

void LoadAllGalaxyTypes(SettingsStore& store, GalaxyTypeTable& table) {
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        LoadGalaxyTypeFromRegistry(store, table, i);
        ClampGalaxyType(table, i);
    }
}

void LoadAllComposites(SettingsStore& store, CompositeTable& table) {
    for (int c = 0; c < kCompositeCount; ++c) {
        LoadCompositeFromRegistry(store, table, c);
        ClampCompositeType(table, c);
    }
}

bool SaveAllGalaxyTypes(SettingsStore& store, GalaxyTypeTable& table) {
    StoreBatch batch(store);
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        ClampGalaxyType(table, i);
        SaveGalaxyTypeToRegistry(store, table, i);
    }
    return batch.Commit();
}

bool SaveAllComposites(SettingsStore& store, const CompositeTable& table) {
    StoreBatch batch(store);
    for (int c = 0; c < kCompositeCount; ++c) SaveCompositeToRegistry(store, table, c);
    return batch.Commit();
}

bool EnsureFirstRunGalaxyTypes(SettingsStore& store, GalaxyTypeTable& table) {
    const SettingDef* marker = FindSetting(kFirstRunKey);
    if (marker == nullptr || GetSettingInt16(store, *marker) != -1) return false;
    LoadFactoryGalaxyTypes(table);
    SaveAllGalaxyTypes(store, table);
    return true;
}

bool WriteFirstRunMarker(SettingsStore& store) {
    return RegWriteText(store, kSectionGeneral, kFirstRunKey, 0);
}

void StoreFactorySettings(SettingsStore& store) {
    const std::string theme = UniverseThemeRow(1);
    StoreBatch batch(store);
    for (int c = 0; c < kUniverseThemeColumns; ++c) {
        RegWriteText(store, kSectionUniverse, UniverseThemeKey(c), FieldAt(theme, c));
    }
    CompositeTable composites{};
    LoadFactoryComposites(composites);
    SaveAllComposites(store, composites);
}

}  // namespace astrelle
