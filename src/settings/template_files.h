// Templates (.glx): a complete set of settings in one profile file that users save, pass
// on and open again, and import from the command line. The file is reached through a
// SettingsStore (TemplateFile in src/platform), the permanent settings through another.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/settings_model.h"
#include "settings/settings_store.h"

namespace astrelle {

// The longest value text read from a template; a longer one is cut to this many characters.
inline constexpr size_t kMaxTemplateValueChars = 254;

// The value text, or defaultText when the key is missing; both cut to 254 characters.
std::string IniReadText(SettingsStore& file, std::string_view section, std::string_view key,
                        std::string_view defaultText);
// LeadingNumber of the value text (or of the default text when the key is missing).
double IniReadNumber(SettingsStore& file, std::string_view section, std::string_view key,
                     std::string_view defaultText);
// Writes the value text as it is. False when the file could not be written.
bool IniWrite(SettingsStore& file, std::string_view section, std::string_view key, std::string_view value);

// txtUni control indices run from 0 to 51 (with gaps).
inline constexpr int kUniverseFieldSlots = 52;

// What the properties dialog shows of the general and universe settings, as its controls
// hold it: the texts of its fields, its check boxes and the universe profile list index.
// The dialog copies its controls into this and back; templates read and write it.
struct TemplateFields {
    std::string txtPixelSize;
    std::string txtFocalLen;
    std::string txtMessage;
    std::array<std::string, kUniverseFieldSlots> txtUni;  // by txtUni index
    bool chkUniTour = false;
    bool chkVisitSeq = false;
    bool chkTrackGrav = false;
    bool chkAmbDisp = false;
    int cboUniProfile = 0;
};

// Where TemplateFields holds a universe setting: the text of its field or its check box;
// nullptr when the setting is held otherwise (the profile is cboUniProfile).
std::string* UniverseFieldText(TemplateFields& fields, const SettingDef& def);
const std::string* UniverseFieldText(const TemplateFields& fields, const SettingDef& def);
bool* UniverseCheckBox(TemplateFields& fields, const SettingDef& def);
const bool* UniverseCheckBox(const TemplateFields& fields, const SettingDef& def);

// Writes a complete template: Admin, General (from the fields), Advanced (from the store,
// used-when-missing texts where nothing is stored), Universe (the numbers of the fields),
// then every galaxy type row and composite row after holding it to its ranges (in the
// tables). Keys already in the file are replaced in place; every other line stays. The file
// is written once. False when it could not be written (nothing is changed then).
bool SaveTemplate(SettingsStore& file, SettingsStore& store, const TemplateFields& fields,
                  GalaxyTypeTable& table, CompositeTable& composites);

// Loads a template into the fields and the tables (each row held to its ranges) and
// copies its advanced values into the store at once. A missing file reads as empty: every
// value comes from its default. A text that does not convert leaves its field as it was.
// The ambient profile check box is not written by SaveTemplate, so it opens cleared unless
// the file names it.
void OpenTemplate(SettingsStore& file, SettingsStore& store, TemplateFields& fields, GalaxyTypeTable& table,
                  CompositeTable& composites);

// Copies the general, advanced and 25 universe values of a template into the store, with
// the template defaults for what the file lacks. Galaxy types and composites are not
// imported. One write; false when the store could not be written.
bool ImportTemplate(SettingsStore& file, SettingsStore& store);

}  // namespace astrelle
