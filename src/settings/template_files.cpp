// Writing, opening and importing templates.

#include "settings/template_files.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "settings/value_utils.h"

namespace astrelle {

namespace {

constexpr std::string_view kSectionAdmin = "Admin";
// The Admin section names the writer; nothing reads it back.
constexpr std::pair<std::string_view, std::string_view> kAdminValues[] = {
    {"Product", "Astrelle"},
    {"Module", "3D Tessarine"},
    {"Version", "2.0"},
    {"Copyright", "Copyright (C) The Astrelle developers"},
};

constexpr std::string_view kFirstRunKey = "AnimationType";
constexpr std::string_view kPixelSizeKey = "PixelSize";
constexpr std::string_view kFocalLengthKey = "FocalLength";
constexpr std::string_view kLockMessageKey = "LockMessage";

// Templates always carry the first-run marker as 0, and the opening and import defaults
// of the general values are those templates have always used (FocalLength as "1.0").
constexpr std::string_view kTemplateMarker = "0";
constexpr std::string_view kPixelSizeDefault = "1";
constexpr std::string_view kFocalLengthDefault = "1.0";
// A template without a marker imports as "1", which the saver's first-run rule does not
// treat as a first run.
constexpr std::string_view kImportMarkerDefault = "1";

// The ambient profile display is not part of a template; opening one reads it (and finds
// nothing), so the check box comes back cleared.
constexpr std::string_view kNotWrittenUniverseKey = "Universe_AmProf";
// Importing from the command line leaves the universe hue wheel and the ambient star
// frames and extension as the store has them.
constexpr std::string_view kNotImportedUniverseKeys[] = {"Universe_HW_Start", "Universe_HW_End",
                                                         "Universe_AmFrames", "Universe_AmMaxExt"};
// Importing stores an empty window-resize flag when the template has none (it reads as 0).
constexpr std::string_view kImportWinResizeKey = "Adv_WinResize";

bool SameKey(std::string_view a, std::string_view b) {
    return AsciiLower(a) == AsciiLower(b);
}

bool IsNotImported(std::string_view key) {
    return std::any_of(std::begin(kNotImportedUniverseKeys), std::end(kNotImportedUniverseKeys),
                       [&](std::string_view k) { return SameKey(k, key); });
}

// The shortest text of a number that reads back, without exponent; the stores never hold
// "inf" or "nan" and never "-0". A number so large or so small that its plain digits would
// not fit the texts the stores read back (1e300 has 301) is written with an exponent, so it
// reads back as itself instead of as a cut-off number or as missing.
std::string NumberText(double value) {
    if (!std::isfinite(value) || value == 0.0) return "0";
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec == std::errc() && static_cast<size_t>(result.ptr - buffer) <= kMaxStoredTextChars)
        return std::string(buffer, result.ptr);
    result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

// The check box a universe flag is shown in; nullptr for other settings.
template <class Fields>
auto CheckBoxOf(Fields& fields, std::string_view control) -> decltype(&fields.chkUniTour) {
    if (control == "chkUniTour") return &fields.chkUniTour;
    if (control == "chkVisitSeq") return &fields.chkVisitSeq;
    if (control == "chkTrackGrav") return &fields.chkTrackGrav;
    if (control == "chkAmbDisp") return &fields.chkAmbDisp;
    return nullptr;
}

constexpr std::string_view kProfileListControl = "cboUniProfile";
constexpr std::string_view kUniverseTextControl = "txtUni";

// The txtUni text field a universe setting is shown in; nullptr for other settings.
template <class Fields>
auto UniverseText(Fields& fields, const SettingDef& def) -> decltype(&fields.txtUni[0]) {
    if (def.control != kUniverseTextControl || def.controlIndex < 0 ||
        def.controlIndex >= kUniverseFieldSlots) {
        return nullptr;
    }
    return &fields.txtUni[static_cast<size_t>(def.controlIndex)];
}

// A number read with IniReadNumber into a 16-bit field; a number that does not fit leaves
// the field as it was.
void ReadInt16Number(SettingsStore& file, std::string_view section, std::string_view key,
                     std::string_view defaultText, int16_t& field) {
    int16_t value = 0;
    if (TryRoundToInt16(IniReadNumber(file, section, key, defaultText), value)) field = value;
}

void WriteGalaxyRow(SettingsStore& file, const GalaxyTypeRecord& row, int i) {
    const std::string section = GalaxyTemplateSection(i);
    for (const SettingDef* def : GalaxyStoreOrder()) {
        IniWrite(file, section, KeyFor(*def, KeyStyle::Template), FieldText(row, *def));
    }
}

void WriteCompositeRow(SettingsStore& file, const CompositeRecord& row, int c) {
    const std::string section = CompositeTemplateSection(c);
    for (const SettingDef* def : CompositeStoreOrder()) {
        if (def->isMemberList) {
            const int members = std::min<int>(row.Count, kCompositeMembers);
            for (int j = 0; j < members; ++j) {
                IniWrite(file, section, KeyFor(*def, KeyStyle::Template, j),
                         IntToText(row.Members[static_cast<size_t>(j)]));
            }
        } else {
            IniWrite(file, section, KeyFor(*def, KeyStyle::Template), FieldText(row, *def));
        }
    }
}

void ReadGalaxyRow(SettingsStore& file, GalaxyTypeRecord& row, int i) {
    const std::string section = GalaxyTemplateSection(i);
    for (const SettingDef* def : GalaxyStoreOrder()) {
        const std::string key = KeyFor(*def, KeyStyle::Template);
        if (def->galaxyInt16 == &GalaxyTypeRecord::Weight) {
            ReadInt16Number(file, section, key, def->missingText, row.Weight);
        } else if (std::string* name = TextField(row, *def)) {
            *name = IniReadText(file, section, key, MissingText(*def, i));
        } else {
            const std::string text = IniReadText(file, section, key, MissingText(*def, i));
            // A text that does not convert (or does not fit) leaves the field as it was.
            if (int16_t* n = Int16Field(row, *def)) {
                TryParseInt16(text, *n);
            } else if (float* f = FloatField(row, *def)) {
                TryParseFloat(text, *f);
            }
        }
    }
}

void ReadCompositeRow(SettingsStore& file, CompositeRecord& row, int c) {
    const std::string section = CompositeTemplateSection(c);
    for (const SettingDef* def : CompositeStoreOrder()) {
        if (def->isMemberList) {
            const int members = std::min<int>(row.Count, kCompositeMembers);
            for (int j = 0; j < members; ++j) {
                ReadInt16Number(file, section, KeyFor(*def, KeyStyle::Template, j), def->missingText,
                                row.Members[static_cast<size_t>(j)]);
            }
        } else if (std::string* name = TextField(row, *def)) {
            *name = IniReadText(file, section, KeyFor(*def, KeyStyle::Template), MissingText(*def, c));
        } else if (int16_t* n = Int16Field(row, *def)) {
            ReadInt16Number(file, section, KeyFor(*def, KeyStyle::Template), def->missingText, *n);
        }
    }
}

}  // namespace

std::string* UniverseFieldText(TemplateFields& fields, const SettingDef& def) {
    return UniverseText(fields, def);
}

const std::string* UniverseFieldText(const TemplateFields& fields, const SettingDef& def) {
    return UniverseText(fields, def);
}

bool* UniverseCheckBox(TemplateFields& fields, const SettingDef& def) {
    return CheckBoxOf(fields, def.control);
}

const bool* UniverseCheckBox(const TemplateFields& fields, const SettingDef& def) {
    return CheckBoxOf(fields, def.control);
}

std::string IniReadText(SettingsStore& file, std::string_view section, std::string_view key,
                        std::string_view defaultText) {
    std::optional<std::string> text = file.ReadText(section, key);
    std::string_view value = text ? std::string_view(*text) : defaultText;
    return std::string(Utf8Prefix(value, kMaxTemplateValueChars));
}

double IniReadNumber(SettingsStore& file, std::string_view section, std::string_view key,
                     std::string_view defaultText) {
    return LeadingNumber(IniReadText(file, section, key, defaultText));
}

bool IniWrite(SettingsStore& file, std::string_view section, std::string_view key, std::string_view value) {
    return file.WriteText(section, key, value);
}

bool SaveTemplate(SettingsStore& file, SettingsStore& store, const TemplateFields& fields,
                  GalaxyTypeTable& table, CompositeTable& composites) {
    StoreBatch batch(file);
    for (const auto& [key, value] : kAdminValues) IniWrite(file, kSectionAdmin, key, value);

    IniWrite(file, kSectionGeneral, kFirstRunKey, kTemplateMarker);
    IniWrite(file, kSectionGeneral, kPixelSizeKey, TrimBlanks(fields.txtPixelSize));
    IniWrite(file, kSectionGeneral, kFocalLengthKey, TrimBlanks(fields.txtFocalLen));
    IniWrite(file, kSectionGeneral, kLockMessageKey, TrimBlanks(fields.txtMessage));

    for (const SettingDef& def : SettingsOf(SettingGroup::Advanced)) {
        IniWrite(file, kSectionAdvanced, def.key,
                 RegReadText(store, kSectionAdvanced, def.key, def.missingText));
    }

    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        if (SameKey(def.key, kNotWrittenUniverseKey)) continue;
        std::string value;
        if (const bool* box = CheckBoxOf(fields, def.control)) {
            value = IntToText(*box ? 1 : 0);
        } else if (def.control == kProfileListControl) {
            value = IntToText(fields.cboUniProfile);
        } else if (const std::string* text = UniverseText(fields, def)) {
            value = NumberText(LeadingNumber(*text));
        } else {
            continue;
        }
        IniWrite(file, kSectionUniverse, def.key, value);
    }

    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        ClampGalaxyType(table, i);
        WriteGalaxyRow(file, table[static_cast<size_t>(i)], i);
    }
    for (int c = 0; c < kCompositeCount; ++c) {
        ClampCompositeType(composites, c);
        WriteCompositeRow(file, composites[static_cast<size_t>(c)], c);
    }
    return batch.Commit();
}

void OpenTemplate(SettingsStore& file, SettingsStore& store, TemplateFields& fields, GalaxyTypeTable& table,
                  CompositeTable& composites) {
    fields.txtPixelSize = IniReadText(file, kSectionGeneral, kPixelSizeKey, kPixelSizeDefault);
    fields.txtFocalLen = IniReadText(file, kSectionGeneral, kFocalLengthKey, kFocalLengthDefault);
    fields.txtMessage = IniReadText(file, kSectionGeneral, kLockMessageKey, "");

    {
        StoreBatch batch(store);
        for (const SettingDef& def : SettingsOf(SettingGroup::Advanced)) {
            RegWriteText(store, kSectionAdvanced, def.key,
                         IniReadText(file, kSectionAdvanced, def.key, def.missingText));
        }
    }

    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        if (bool* box = CheckBoxOf(fields, def.control)) {
            *box = IniReadText(file, kSectionUniverse, def.key, def.missingText) == "1";
        } else if (def.control == kProfileListControl) {
            // A list index the list does not have is not taken.
            int32_t index = 0;
            if (TryRoundToInt32(IniReadNumber(file, kSectionUniverse, def.key, def.missingText), index) &&
                (!def.hasRange || (index >= def.low && index <= def.high))) {
                fields.cboUniProfile = index;
            }
        } else if (std::string* text = UniverseText(fields, def)) {
            *text = IniReadText(file, kSectionUniverse, def.key, def.missingText);
        }
    }

    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        ReadGalaxyRow(file, table[static_cast<size_t>(i)], i);
        ClampGalaxyType(table, i);
    }
    for (int c = 0; c < kCompositeCount; ++c) {
        ReadCompositeRow(file, composites[static_cast<size_t>(c)], c);
        ClampCompositeType(composites, c);
    }
}

bool ImportTemplate(SettingsStore& file, SettingsStore& store) {
    StoreBatch batch(store);
    const std::pair<std::string_view, std::string_view> general[] = {
        {kFirstRunKey, kImportMarkerDefault},
        {kPixelSizeKey, kPixelSizeDefault},
        {kFocalLengthKey, kFocalLengthDefault},
        {kLockMessageKey, ""},
    };
    for (const auto& [key, fallback] : general) {
        RegWriteText(store, kSectionGeneral, key, IniReadText(file, kSectionGeneral, key, fallback));
    }
    for (const SettingDef& def : SettingsOf(SettingGroup::Advanced)) {
        std::string_view fallback =
            SameKey(def.key, kImportWinResizeKey) ? std::string_view() : def.missingText;
        RegWriteText(store, kSectionAdvanced, def.key,
                     IniReadText(file, kSectionAdvanced, def.key, fallback));
    }
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        if (IsNotImported(def.key)) continue;
        RegWriteText(store, kSectionUniverse, def.key,
                     NumberText(IniReadNumber(file, kSectionUniverse, def.key, def.missingText)));
    }
    return batch.Commit();
}

}  // namespace astrelle
