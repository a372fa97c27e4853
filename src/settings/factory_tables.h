// The built-in factory tables: the galaxy type list, the 32 galaxy factory rows, the eight
// universe themes and the 16 composite rows, with the loaders that fill the shared tables.
#pragma once

#include <string>

#include "settings/settings_model.h"

namespace astrelle {

inline constexpr int kUniverseThemeCount = 8;

std::string GalaxyTypeName(int i);    // 22-character name field, trailing blanks kept
int16_t GalaxyTypeWeight(int i);
std::string GalaxyFactoryRow(int k);  // k = 1..32, else ""
std::string UniverseThemeName(int k); // k = 1..8, else ""
std::string UniverseThemeRow(int k);  // k = 1..8, else ""
std::string CompositeFactoryRow(int k);  // k = 1..16, else ""

void LoadFactoryGalaxyType(GalaxyTypeTable& table, int i);
void LoadFactoryGalaxyTypes(GalaxyTypeTable& table);
void LoadFactoryComposites(CompositeTable& table);

}  // namespace astrelle
