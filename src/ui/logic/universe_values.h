// The general and universe values of the properties dialog between their fields and the
// store, the universe themes and templates. A number field holds its value as text, a
// check box holds a flag and the universe profile list its index.
#pragma once

#include <string>
#include <string_view>

#include "ui/logic/field_rows.h"

namespace astrelle {

class PropsView;
class SettingsStore;
struct TemplateFields;

// The row of a universe field among the universe sub-pages' tables; nullptr for others.
const FieldRow* UniverseRow(std::string_view key);

// A universe value into its field: a number's text as given, a check box ticked by "1"
// (blanks around it allowed), the profile list at the number held to the profile range.
void ShowUniverseValue(PropsView& view, const FieldRow& row, std::string_view text);
// A universe value as the store takes it: the field's text, "1" or "0", the list index.
std::string UniverseValueText(const PropsView& view, const FieldRow& row);

// Opening: the general fields show their stored text as it is ("1.0" stays "1.0"); the
// universe fields the value read as each setting is read (the gravitational magnitude as a
// whole number), with the used-when-missing values.
void LoadGeneralValues(PropsView& view, SettingsStore& store);
void LoadUniverseValues(PropsView& view, SettingsStore& store);

// Writes the first-run marker, the trimmed general fields and the 29 universe values (the
// leading number of each field) into the store, without committing.
void StoreGeneralAndUniverse(const PropsView& view, SettingsStore& store);

// The 29 columns of universe theme k (1..8) into the universe fields.
void ShowUniverseTheme(PropsView& view, int k);

// The fields as a template takes them, and back.
void WriteTemplateFields(const PropsView& view, TemplateFields& fields);
void ReadTemplateFields(PropsView& view, const TemplateFields& fields);

}  // namespace astrelle
