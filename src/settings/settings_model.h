// The single definition of every setting: key, section, type, used-when-missing value,
// range and dialog control, plus the in-memory records of galaxy and composite types.
// Stores, templates, engine clamps and dialogs all read these definitions; nothing else
// may repeat a key, a default or a range.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace astrelle {

inline constexpr int kGalaxyTypeCount = 32;     // stored galaxy types, rows 0..31
inline constexpr int kCompositeCount = 16;      // composite types
inline constexpr int kGalaxyTableRows = 48;     // rows 32..47 are composite slots of the engine
inline constexpr int kCompositeMembers = 32;    // member entries of a composite row
inline constexpr int kMaxCompositeCount = 31;   // Count is held to 0..31

// One galaxy type (or, in rows 32..47, a composite slot). Fields in record order with the
// widths the stored files and the engine expect.
struct GalaxyTypeRecord {
    int16_t Weight = 0;
    std::string Name;
    int16_t CompositeFlag = 0;  // -1 on composite slots; engine-owned, never stored
    int16_t HueRed = 0;
    int16_t HueGrn = 0;
    int16_t HueBlu = 0;
    int16_t HueBase = 0;
    int16_t HueBlend = 0;
    float Radius = 0;
    float Rotation = 0;
    float Distance = 0;
    int16_t NewFreq = 0;
    int16_t NewFrames = 0;
    float NewExtMult = 0;
    float NovaFreq = 0;
    int16_t NovaFrames = 0;
    float NovaExtMult = 0;
    float CometFreq = 0;
    int16_t CometStars = 0;
    float CometOrbit = 0;
    float CometSpeed = 0;
    float CometSWind = 0;
    float CometCPersist = 0;
    float CometSPersist = 0;
    int16_t HWCStart = 0;
    int16_t HWCEnd = 0;
    float RadiusExp = 0;
    float HeightExp = 0;
    float GHWRatio = 0;
    float AngleTilt = 0;
    float AngleTInc = 0;
    float ColorMult = 0;
    float HWheelInc = 0;
    int16_t AxisPlane = 0;
    int16_t ColorComp = 0;
    int16_t HueStart = 0;
    int16_t Profile = 0;
    float CorePointMass = 0;      // reserved, never stored
    float LocalGravityForce = 0;  // reserved, never stored
};

struct CompositeRecord {
    std::string Name;
    int16_t Weight = 0;
    int16_t Count = 0;
    std::array<int16_t, kCompositeMembers> Members{};
};

using GalaxyTypeTable = std::array<GalaxyTypeRecord, kGalaxyTableRows>;
using CompositeTable = std::array<CompositeRecord, kCompositeCount>;

// Holds every field of galaxy type row i (0..31) to its range, in record order.
void ClampGalaxyType(GalaxyTypeTable& table, int i);
// Holds Weight, Count and members 0..Count-1 of composite row c (0..15) to their ranges.
void ClampCompositeType(CompositeTable& table, int c);

// ---------------------------------------------------------------------------------------
// Setting definitions.

// How a value is held in memory.
enum class ValueType : uint8_t { Int16, Int32, Float, Text, Flag };

// Where a setting lives. GalaxyRow and CompositeRow settings exist once per row; their
// section name is built from the row number ("Universe\Galaxy3", "UniGal3", ...).
enum class SettingGroup : uint8_t { General, Advanced, Universe, GalaxyRow, CompositeRow };

struct SettingDef {
    std::string_view key;            // registry / template key, as written
    SettingGroup group;
    ValueType type;                  // type in which the program holds the value
    ValueType storeReadAs;           // type the registry reader parses the text as
    std::string_view missingText;    // used-when-missing value, as text
    bool hasRange;
    double low;                      // inclusive range, meaningful when hasRange
    double high;
    bool roundBeforeClamp;           // "rounded, then low..high"
    std::string_view control;        // dialog control ("txtUni", "chkUniTour", ...), "" if none
    int controlIndex;                // index within an indexed control array, -1 if none
};

// Looks a definition up by key (case-insensitive). nullptr when unknown.
const SettingDef* FindSetting(std::string_view key);

// All definitions of one group, in the order the group's table lists them.
std::span<const SettingDef> SettingsOf(SettingGroup group);

// Section names.
inline constexpr std::string_view kSectionGeneral = "General";
inline constexpr std::string_view kSectionAdvanced = "Advanced";
inline constexpr std::string_view kSectionUniverse = "Universe";
std::string GalaxyRegistrySection(int i);    // "Universe\Galaxy" + i
std::string CompositeRegistrySection(int c); // "Universe\CompGal" + c
std::string GalaxyTemplateSection(int i);    // "UniGal" + i
std::string CompositeTemplateSection(int c); // "CompGal" + c

// Used-when-missing names of rows.
std::string DefaultGalaxyName(int i);        // "< Galaxy Profile " + (i + 1) + " >"
std::string DefaultCompositeName(int c);     // "< Composite Galaxy " + (c + 1) + " >"
std::string CompositePlaceholderName(int c); // "< Galaxy Composite " + (c + 1) + " >" (dialog list)

}  // namespace astrelle
