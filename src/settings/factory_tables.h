// The built-in factory tables: the galaxy type list, the 32 galaxy factory rows, the eight
// universe themes and the 16 composite rows, with the loaders that fill the shared tables.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings_model.h"

namespace astrelle {

inline constexpr int kUniverseThemeCount = 8;
inline constexpr int kUniverseThemeColumns = 29;
inline constexpr int kGalaxyFactoryColumns = 36;
inline constexpr int kGalaxyTypeNameWidth = 22;  // names keep their trailing blanks

std::string GalaxyTypeName(int i);  // 22-character name field, trailing blanks kept
int16_t GalaxyTypeWeight(int i);
std::string GalaxyFactoryRow(int k);     // k = 1..32, else ""
std::string UniverseThemeName(int k);    // k = 1..8, else ""
std::string UniverseThemeRow(int k);     // k = 1..8, else ""
std::string CompositeFactoryRow(int k);  // k = 1..16, else ""

// The universe setting that column c (0..28) of a theme row fills; nullptr / "" outside.
const SettingDef* UniverseThemeSetting(int column);
std::string_view UniverseThemeKey(int column);

// Fill row i (0..31) from the type list and its factory row; CompositeFlag is not touched
// and no range step runs. Other i do nothing.
void LoadFactoryGalaxyType(GalaxyTypeTable& table, int i);
void LoadFactoryGalaxyTypes(GalaxyTypeTable& table);
// Fill rows 0..15 from the composite rows; members at Count and beyond keep what they held.
void LoadFactoryComposites(CompositeTable& table);

}  // namespace astrelle
