// The registry layer: text values of the permanent settings read with fallbacks and
// written as text, and the loaders and savers of whole galaxy type and composite rows.
// Everything works on a SettingsStore handed in, so the same code runs on the settings
// file, in memory for tests, or on any other store.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings_model.h"
#include "settings/settings_store.h"

namespace astrelle {

// The longest stored text that is read; a longer one reads as missing.
inline constexpr size_t kMaxStoredTextChars = 127;

// The stored text, or defaultText when it is missing or longer than kMaxStoredTextChars.
std::string RegReadText(SettingsStore& store, std::string_view section, std::string_view key,
                        std::string_view defaultText);

// Stores a value as text: text without leading and trailing blanks, integers in plain
// decimal, floats as the shortest text that reads back to the same float (never with an
// exponent). False when the store refused; callers may ignore it, a failed write changes
// nothing.
bool RegWriteText(SettingsStore& store, std::string_view section, std::string_view key,
                  std::string_view value);
bool RegWriteText(SettingsStore& store, std::string_view section, std::string_view key, int value);
bool RegWriteText(SettingsStore& store, std::string_view section, std::string_view key, float value);

// Typed readers: the stored text parsed, the fallback for missing, over-long or
// non-numeric text, and 0 for a number that does not fit the type.
int16_t GetSettingInt16(SettingsStore& store, std::string_view section, std::string_view key,
                        int16_t fallback);
int32_t GetSettingInt32(SettingsStore& store, std::string_view section, std::string_view key,
                        int32_t fallback);
float GetSettingFloat(SettingsStore& store, std::string_view section, std::string_view key, float fallback);
std::string GetSettingText(SettingsStore& store, std::string_view section, std::string_view key,
                           std::string_view fallback);

// The same for a general, advanced or universe setting by its definition: its section
// and its used-when-missing value. The text reader also gives the used-when-missing text
// for an empty stored text where the definition says so (Adv_FontName).
std::string_view SectionOf(const SettingDef& def);
int16_t GetSettingInt16(SettingsStore& store, const SettingDef& def);
int32_t GetSettingInt32(SettingsStore& store, const SettingDef& def);
float GetSettingFloat(SettingsStore& store, const SettingDef& def);
std::string GetSettingText(SettingsStore& store, const SettingDef& def);

// Row i (0..31) from / to section "Universe\Galaxy" + i, keys in their stored order.
// Radius and the other floats the stored files keep as whole numbers are read as 16-bit
// integers, so a stored fraction comes back rounded (halves to even). Load does not hold
// the row to its ranges; LoadAllGalaxyTypes does.
void LoadGalaxyTypeFromRegistry(SettingsStore& store, GalaxyTypeTable& table, int i);
void SaveGalaxyTypeToRegistry(SettingsStore& store, const GalaxyTypeTable& table, int i);

// Composite row c (0..15) from / to section "Universe\CompGal" + c: weight, name, count,
// then members 0..Count-1, never more than the 32 member entries. Members beyond Count are
// neither read nor written.
void LoadCompositeFromRegistry(SettingsStore& store, CompositeTable& table, int c);
void SaveCompositeToRegistry(SettingsStore& store, const CompositeTable& table, int c);

// Rows 0..31, each loaded and then held to its ranges.
void LoadAllGalaxyTypes(SettingsStore& store, GalaxyTypeTable& table);
// Rows 0..15, each loaded and then held to its ranges.
void LoadAllComposites(SettingsStore& store, CompositeTable& table);
// Rows 0..31, each held to its ranges (in the table) and then saved, in one batch.
bool SaveAllGalaxyTypes(SettingsStore& store, GalaxyTypeTable& table);
// Rows 0..15, each saved as it is, in one batch.
bool SaveAllComposites(SettingsStore& store, const CompositeTable& table);

// The first-run rule of the saver: when AnimationType reads as -1 (missing or not a
// number), fills rows 0..31 from the factory rows and saves them, so a first run finds a
// complete set of galaxy types. Returns true when it did so. The marker itself is written
// by whoever stores the general settings (WriteFirstRunMarker).
bool EnsureFirstRunGalaxyTypes(SettingsStore& store, GalaxyTypeTable& table);
bool WriteFirstRunMarker(SettingsStore& store);

// What a reset to factory settings stores: universe theme 1 and the factory composites.
// The factory galaxy types follow from the first-run rule, since nothing marks the
// settings as written. Used by the headless tools and benchmarks.
void StoreFactorySettings(SettingsStore& store);

}  // namespace astrelle
