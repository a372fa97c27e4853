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

inline constexpr int kGalaxyTypeCount = 32;    // stored galaxy types, rows 0..31
inline constexpr int kCompositeCount = 16;     // composite types
inline constexpr int kGalaxyTableRows = 48;    // rows 32..47 are composite slots of the engine
inline constexpr int kCompositeMembers = 32;   // member entries of a composite row
inline constexpr int kMaxCompositeCount = 31;  // Count is held to 0..31

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

// Holds every field of galaxy type row i to its range, in record order; every field ends
// inside its range, NaN and infinities included. Any row 0..47 may be given; other i do
// nothing.
void ClampGalaxyType(GalaxyTypeTable& table, int i);
// Holds Weight, Count and members 0..Count-1 of composite row c (0..15) to their ranges;
// members from Count on are left as they are. Other c do nothing.
void ClampCompositeType(CompositeTable& table, int c);

// ---------------------------------------------------------------------------------------
// Setting definitions.

// How a value is held in memory.
enum class ValueType : uint8_t { Int16, Int32, Float, Text, Flag };

// Where a setting lives. GalaxyRow and CompositeRow settings exist once per row; their
// section name is built from the row number ("Universe\Galaxy3", "UniGal3", ...).
enum class SettingGroup : uint8_t { General, Advanced, Universe, GalaxyRow, CompositeRow };

struct SettingDef {
    std::string_view key;  // registry / template key, as written
    SettingGroup group;
    ValueType type;                // type in which the program holds the value
    ValueType storeReadAs;         // type the registry reader parses the text as
    std::string_view missingText;  // used-when-missing value, as text
    bool hasRange;
    double low;  // inclusive range, meaningful when hasRange
    double high;
    bool roundBeforeClamp;     // "rounded, then low..high"
    std::string_view control;  // dialog control ("txtUni", "chkUniTour", ...), "" if none
    int controlIndex;          // index within an indexed control array, -1 if none

    // Template key where the template spells it differently from the registry
    // ("Galaxy_HWC_end", "_CompGalCount", "GalaxyIndex_"); "" when it is the same.
    std::string_view templateKey = {};
    // Dialog label that names the field and its range; a label shared by several fields
    // ("Symmetry, Damping (0.0 - 1.0):") is given on each of them. "" when none.
    std::string_view label = {};
    // Galaxy rows: column of the factory row; universe: column of a theme row; -1 if none.
    int factoryColumn = -1;
    // Galaxy and composite rows: position in the order in which the registry store and the
    // template writer read and write the keys of a row; -1 for fields that are not stored.
    int storeOrder = -1;
    int maxLength = 0;               // text: characters kept after trimming, 0 = no limit
    bool emptyMeansMissing = false;  // an empty stored text also gives missingText

    // The record field a row definition describes (exactly one is set for row fields).
    int16_t GalaxyTypeRecord::*galaxyInt16 = nullptr;
    float GalaxyTypeRecord::*galaxyFloat = nullptr;
    std::string GalaxyTypeRecord::*galaxyText = nullptr;
    int16_t CompositeRecord::*compositeInt16 = nullptr;
    std::string CompositeRecord::*compositeText = nullptr;
    // CompositeRecord::Members: key and templateKey are prefixes followed by the member
    // index ("CompGal_Type" + j, "GalaxyIndex_" + j).
    bool isMemberList = false;

    bool IsStored() const { return !key.empty(); }
};

// Looks a definition up by key (case-insensitive), registry or template spelling; a member
// key ("CompGal_Type5", "GalaxyIndex_5") finds the member list. nullptr when unknown.
const SettingDef* FindSetting(std::string_view key);

// All definitions of one group, in the order the group's table lists them: for the galaxy
// and composite rows that is record order (the engine-owned CompositeFlag is not a setting
// and has no definition).
std::span<const SettingDef> SettingsOf(SettingGroup group);

// The stored fields of a galaxy type row (36) or composite row (4), in the order in which
// the registry store loads and saves them and the template writer writes them.
std::span<const SettingDef* const> GalaxyStoreOrder();
std::span<const SettingDef* const> CompositeStoreOrder();

// The galaxy field filled by factory column c (0..35); nullptr outside.
const SettingDef* GalaxyFactoryColumn(int column);

enum class KeyStyle : uint8_t { Registry, Template };

// The key of a setting as the registry or the template spells it; member lists need the
// member index j.
std::string KeyFor(const SettingDef& def, KeyStyle style, int member = 0);

// Used-when-missing text of a setting of row `row` (the row only matters for names).
std::string MissingText(const SettingDef& def, int row = 0);

// Typed access to the field a row definition describes; nullptr when the definition has no
// field of that type.
int16_t* Int16Field(GalaxyTypeRecord& record, const SettingDef& def);
const int16_t* Int16Field(const GalaxyTypeRecord& record, const SettingDef& def);
float* FloatField(GalaxyTypeRecord& record, const SettingDef& def);
const float* FloatField(const GalaxyTypeRecord& record, const SettingDef& def);
std::string* TextField(GalaxyTypeRecord& record, const SettingDef& def);
const std::string* TextField(const GalaxyTypeRecord& record, const SettingDef& def);
int16_t* Int16Field(CompositeRecord& record, const SettingDef& def);
const int16_t* Int16Field(const CompositeRecord& record, const SettingDef& def);
std::string* TextField(CompositeRecord& record, const SettingDef& def);
const std::string* TextField(const CompositeRecord& record, const SettingDef& def);

// The stored text form of a row field: 16-bit fields as integers, floats as the shortest
// text that reads back, names as held. Empty for member lists and unknown fields.
std::string FieldText(const GalaxyTypeRecord& record, const SettingDef& def);
std::string FieldText(const CompositeRecord& record, const SettingDef& def);

// A value held to the range of its definition (lower bound first; NaN ends at the lower
// bound). HoldFloat rounds halves to even first where the definition says "rounded".
// Definitions without a range return the value unchanged.
int16_t HoldInt16(const SettingDef& def, int16_t value);
int32_t HoldInt32(const SettingDef& def, int32_t value);
float HoldFloat(const SettingDef& def, float value);

// The entries of the list controls, in list-index order.
inline constexpr std::array<std::string_view, 7> kProfileNames = {
    "Standard", "Top-Like", "Spherical", "Conical", "Hyperbolic", "Outer-Hyperbolic", "Inner-Hyperbolic"};
inline constexpr std::array<std::string_view, 5> kColorCompNames = {
    "Rotational Velocity", "Rotational Velocity (Square Root)", "Distance from Core",
    "Distance from Core (Squared)", "Black (Stars are Invisible)"};
inline constexpr std::array<std::string_view, 2> kAxisPlaneNames = {"Y-Z", "X-Z"};

// Section names.
inline constexpr std::string_view kSectionGeneral = "General";
inline constexpr std::string_view kSectionAdvanced = "Advanced";
inline constexpr std::string_view kSectionUniverse = "Universe";
std::string GalaxyRegistrySection(int i);     // "Universe\Galaxy" + i
std::string CompositeRegistrySection(int c);  // "Universe\CompGal" + c
std::string GalaxyTemplateSection(int i);     // "UniGal" + i
std::string CompositeTemplateSection(int c);  // "CompGal" + c

// Used-when-missing names of rows.
std::string DefaultGalaxyName(int i);         // "< Galaxy Profile " + (i + 1) + " >"
std::string DefaultCompositeName(int c);      // "< Composite Galaxy " + (c + 1) + " >"
std::string CompositePlaceholderName(int c);  // "< Galaxy Composite " + (c + 1) + " >" (dialog list)

}  // namespace astrelle
