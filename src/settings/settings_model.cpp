// The definition table of every setting and the range steps of the galaxy and composite
// rows. Keys, used-when-missing values and ranges are written here once; the store orders,
// factory columns and lookups are all derived from these tables.
#include "settings/settings_model.h"

#include <algorithm>
#include <cmath>

#include "settings/rounding.h"
#include "settings/value_utils.h"

namespace astrelle {
namespace {

// Small builder so that each table line reads as key, default, range and control.
struct Def {
    SettingDef d{};

    constexpr Def(SettingGroup group, std::string_view key, ValueType type, std::string_view missing) {
        d.key = key;
        d.group = group;
        d.type = type;
        d.storeReadAs = type == ValueType::Flag ? ValueType::Int16 : type;
        d.missingText = missing;
        d.controlIndex = -1;
    }
    constexpr Def Range(double low, double high) const {
        Def c = *this;
        c.d.hasRange = true;
        c.d.low = low;
        c.d.high = high;
        return c;
    }
    constexpr Def Rounded(double low, double high) const {
        Def c = Range(low, high);
        c.d.roundBeforeClamp = true;
        return c;
    }
    constexpr Def ReadAs(ValueType type) const {
        Def c = *this;
        c.d.storeReadAs = type;
        return c;
    }
    constexpr Def Control(std::string_view control, int index = -1) const {
        Def c = *this;
        c.d.control = control;
        c.d.controlIndex = index;
        return c;
    }
    constexpr Def Label(std::string_view label) const {
        Def c = *this;
        c.d.label = label;
        return c;
    }
    constexpr Def Column(int column) const {
        Def c = *this;
        c.d.factoryColumn = column;
        return c;
    }
    constexpr Def Store(int order) const {
        Def c = *this;
        c.d.storeOrder = order;
        return c;
    }
    constexpr Def TemplateKey(std::string_view key) const {
        Def c = *this;
        c.d.templateKey = key;
        return c;
    }
    constexpr Def MaxLength(int length) const {
        Def c = *this;
        c.d.maxLength = length;
        return c;
    }
    constexpr Def EmptyMeansMissing() const {
        Def c = *this;
        c.d.emptyMeansMissing = true;
        return c;
    }
    constexpr operator SettingDef() const { return d; }  // NOLINT: the tables convert implicitly
};

constexpr Def General(std::string_view key, ValueType type, std::string_view missing) {
    return Def(SettingGroup::General, key, type, missing);
}
constexpr Def Advanced(std::string_view key, ValueType type, std::string_view missing) {
    return Def(SettingGroup::Advanced, key, type, missing);
}
constexpr Def Universe(std::string_view key, ValueType type, std::string_view missing) {
    return Def(SettingGroup::Universe, key, type, missing);
}

constexpr Def Galaxy(int16_t GalaxyTypeRecord::*field, std::string_view key, std::string_view missing) {
    Def def(SettingGroup::GalaxyRow, key, ValueType::Int16, missing);
    def.d.galaxyInt16 = field;
    return def;
}
constexpr Def Galaxy(float GalaxyTypeRecord::*field, std::string_view key, std::string_view missing) {
    Def def(SettingGroup::GalaxyRow, key, ValueType::Float, missing);
    def.d.galaxyFloat = field;
    return def;
}
constexpr Def Galaxy(std::string GalaxyTypeRecord::*field, std::string_view key) {
    Def def(SettingGroup::GalaxyRow, key, ValueType::Text, "");
    def.d.galaxyText = field;
    return def;
}

constexpr Def Composite(int16_t CompositeRecord::*field, std::string_view key) {
    Def def(SettingGroup::CompositeRow, key, ValueType::Int16, "0");
    def.d.compositeInt16 = field;
    return def;
}
constexpr Def Composite(std::string CompositeRecord::*field, std::string_view key) {
    Def def(SettingGroup::CompositeRow, key, ValueType::Text, "");
    def.d.compositeText = field;
    return def;
}
// Members: the key is a prefix followed by the member index.
constexpr Def CompositeMembers(std::string_view keyPrefix) {
    Def def(SettingGroup::CompositeRow, keyPrefix, ValueType::Int16, "0");
    def.d.isMemberList = true;
    return def;
}

using VT = ValueType;
using G = GalaxyTypeRecord;

// One setting per entry reads better than one builder call per line.
// clang-format off
constexpr SettingDef kGeneral[] = {
    General("PixelSize", VT::Int16, "1").Range(1, 9).Control("txtPixelSize").Label("Pixel Size (1 - 9):"),
    General("FocalLength", VT::Float, "1.0").Range(0.01, 9999).Control("txtFocalLen")
        .Label("Focal Length (0.01 - 9999):"),
    General("LockMessage", VT::Text, "").MaxLength(50).Control("txtMessage").Label("Lock Message:"),
    // First-run marker: -1 when missing, always written as 0.
    General("AnimationType", VT::Int16, "-1"),
};

constexpr SettingDef kAdvanced[] = {
    Advanced("Adv_TimeDelay", VT::Int32, "25").Range(0, 999),
    Advanced("Adv_FontName", VT::Text, "MS Sans Serif").EmptyMeansMissing(),
    Advanced("Adv_FontSize", VT::Int16, "20").Range(10, 80),
    Advanced("Adv_FontHueV", VT::Int16, "180").Range(0, 359),
    Advanced("Adv_WinResize", VT::Flag, "0").Range(0, 1),
};

constexpr std::string_view kSymmetryDampingLabel = "Symmetry, Damping (0.0 - 1.0):";
constexpr std::string_view kUniverseHueLabel = "Hue Start, End (0 - 999):";

constexpr SettingDef kUniverse[] = {
    Universe("Universe_Stars", VT::Int16, "2500").ReadAs(VT::Int32).Range(10, 30000).Control("txtUni", 0)
        .Label("Stars (10 - 30000):").Column(0),
    Universe("Universe_Galaxy", VT::Int16, "100").Range(1, 999).Control("txtUni", 1)
        .Label("Galaxy Objects (1 - 999):").Column(1),
    // Further held to at most 30000 / Universe_Stars by the engine.
    Universe("Universe_STrail", VT::Int16, "2").ReadAs(VT::Float).Rounded(1, 999).Control("txtUni", 2)
        .Label("Star Trail Length (1 - 999):").Column(2),
    Universe("Universe_Expand", VT::Float, "8000").Range(0, 99999).Control("txtUni", 10)
        .Label("Expand Speed (0 - 99999):").Column(3),
    Universe("Universe_ESteps", VT::Int16, "300").Range(1, 9999).Control("txtUni", 11)
        .Label("Expand Steps (1 - 9999):").Column(4),
    Universe("Universe_Persist", VT::Float, "0.985").Range(0.25, 1.0).Control("txtUni", 12)
        .Label("Star Persistence (0.25 - 1.0):").Column(5),
    Universe("Universe_Symetry", VT::Float, "0.1").Range(0, 1.0).Control("txtUni", 13)
        .Label(kSymmetryDampingLabel).Column(6),
    Universe("Universe_Damping", VT::Float, "0.01").Range(0, 1.0).Control("txtUni", 14)
        .Label(kSymmetryDampingLabel).Column(7),
    Universe("Universe_HWRatio", VT::Float, "0.6").Range(0, 99.9).Control("txtUni", 15)
        .Label("Universe Height / Width Ratio (0 - 99.9):").Column(8),
    Universe("Universe_HW_Start", VT::Int16, "180").Range(0, 999).Control("txtUni", 16)
        .Label(kUniverseHueLabel).Column(9),
    Universe("Universe_HW_End", VT::Int16, "225").Range(0, 999).Control("txtUni", 17).Label(kUniverseHueLabel)
        .Column(10),
    Universe("Universe_NewFreq", VT::Int16, "300").Range(0, 9999).Control("txtUni", 20)
        .Label("New Stars Frequency (0 - 9999):").Column(12),
    Universe("Universe_NewPctStEx", VT::Float, "70").ReadAs(VT::Int16).Rounded(0, 100).Control("txtUni", 21)
        .Label("Exclusive to Current Galaxy % (0 - 100):").Column(13),
    Universe("Universe_Tour", VT::Flag, "1").Control("chkUniTour").Label("Tour the Universe").Column(18),
    Universe("Universe_GSteps", VT::Int16, "250").Range(1, 9999).Control("txtUni", 30)
        .Label("Steps per Control Point (1 - 9999):").Column(14),
    Universe("Universe_GPCtrl", VT::Int16, "1").Range(1, 999).Control("txtUni", 31)
        .Label("Control Points per Galaxy Visit (1 - 999):").Column(15),
    Universe("Universe_GCCtrl", VT::Int16, "4").Range(0, 999).Control("txtUni", 32)
        .Label("Control Points thru Galaxy Core (0 - 999):").Column(16),
    Universe("Universe_DstCen", VT::Float, "15000").ReadAs(VT::Int32).Range(0, 999999).Control("txtUni", 33)
        .Label("Distance from Universe Center (0 - 999999):").Column(17),
    Universe("Universe_GVisit", VT::Flag, "0").Control("chkVisitSeq").Label("Visit Galaxy Types Sequentially:")
        .Column(19),
    // Stored, shown and exchanged; the engine does not read it.
    Universe("Universe_GTrack", VT::Flag, "0").Control("chkTrackGrav")
        .Label("Predictive Gravity Vector Tracking:").Column(20),
    // The label says 0; the engine holds the count to at least 1.
    Universe("Universe_AmStar", VT::Int16, "200").Range(1, 3000).Control("txtUni", 40)
        .Label("Stars (0 - 3000):").Column(21),
    Universe("Universe_AmPers", VT::Float, "0.999").Range(0.25, 1.0).Control("txtUni", 41)
        .Label("Persist. (0.25 - 1.0):").Column(22),
    Universe("Universe_AmCAge", VT::Float, "0.07").Range(0, 10.0).Control("txtUni", 42)
        .Label("Age Inc. (0.0 - 10.0):").Column(23),
    Universe("Universe_AmFrames", VT::Int16, "40").Range(0, 999).Control("txtUni", 43)
        .Label("Flare Frames (0 - 999):").Column(24),
    // The used-when-missing value lies above the range on purpose; the engine holds it.
    Universe("Universe_AmMaxExt", VT::Float, "15000").Rounded(1, 9999).Control("txtUni", 44)
        .Label("Max. Extension (1 - 99999):").Column(25),
    Universe("Universe_AmProf", VT::Flag, "0").Control("chkAmbDisp").Label("Profile Disp.:").Column(26),
    // The dialog reads this one as a 32-bit integer; the engine as a float.
    Universe("Universe_GravForce", VT::Float, "0").Range(0, 999999).Control("txtUni", 50)
        .Label("Gravitational Magnitude (0 - 999999):").Column(27),
    Universe("Universe_GravFrame", VT::Int16, "1").Range(1, 999).Control("txtUni", 51)
        .Label("Calc. Velocity Vectors per Frame (1 - 999):").Column(28),
    Universe("Universe_Profile", VT::Int16, "2").Range(0, 6).Control("cboUniProfile").Label("Universe Profile:")
        .Column(11),
};

constexpr std::string_view kNameWeightLabel = "Name and Relative Percent in Universe:";
constexpr std::string_view kRgbLabel = "R, G, B (0 - 100):";
constexpr std::string_view kBaseBlendLabel = "Base, Blend (0 - 100), (1 - 60):";
constexpr std::string_view kCometStarPersistLabel = "Comet, Star Persist. (0.1 - 0.9999):";
constexpr std::string_view kGalaxyHueLabel = "Hue Start, End (0 - 999):";
constexpr std::string_view kHueWheelLabel = "Hue Wheel, Inc. (0 - 359):";
constexpr std::string_view kHueTypeLabel = "Star Hue Computation Type / Multiplier (1 - 30000):";

// Record order. Store(n) is the position in the registry and template key order, which
// groups the fields differently (ColorMult early, the star persistence before the comet's).
// Floats that the registry reads as 16-bit integers carry ReadAs(Int16).
constexpr SettingDef kGalaxy[] = {
    Galaxy(&G::Weight, "_UniGalPct", "0").Range(0, 999).Control("txtUniGalPct").Label(kNameWeightLabel)
        .Store(0),
    // Used-when-missing name depends on the row: see MissingText.
    Galaxy(&G::Name, "_UniGalName").Control("txtUniGalName").Label(kNameWeightLabel).Store(1),
    Galaxy(&G::HueRed, "Galaxy_HueRed", "100").Range(0, 100).Column(31).Control("txtPixHue", 0)
        .Label(kRgbLabel).Store(2),
    Galaxy(&G::HueGrn, "Galaxy_HueGrn", "100").Range(0, 100).Column(32).Control("txtPixHue", 1)
        .Label(kRgbLabel).Store(3),
    Galaxy(&G::HueBlu, "Galaxy_HueBlu", "100").Range(0, 100).Column(33).Control("txtPixHue", 2)
        .Label(kRgbLabel).Store(4),
    Galaxy(&G::HueBase, "Galaxy_HueBase", "0").Range(0, 100).Column(34).Control("txtPixHue", 3)
        .Label(kBaseBlendLabel).Store(5),
    Galaxy(&G::HueBlend, "Galaxy_HueBlend", "60").Range(1, 60).Column(35).Control("txtPixHue", 4)
        .Label(kBaseBlendLabel).Store(6),
    Galaxy(&G::Radius, "Galaxy_Radius", "250").ReadAs(VT::Int16).Rounded(1, 30000).Column(0)
        .Control("txtGalaxy", 0).Label("Radius (1 - 30000):").Store(7),
    Galaxy(&G::Rotation, "Galaxy_Rotation", "300").ReadAs(VT::Int16).Rounded(0, 30000).Column(1)
        .Control("txtGalaxy", 1).Label("Rotation Speed (0 - 30000):").Store(8),
    Galaxy(&G::Distance, "Galaxy_Distance", "350").ReadAs(VT::Int16).Rounded(0, 30000).Column(2)
        .Control("txtGalaxy", 2).Label("Distance from Eye (0 - 30000):").Store(9),
    Galaxy(&G::NewFreq, "Galaxy_NewFreq", "200").Range(0, 9999).Column(14).Control("txtGalaxy", 10)
        .Label("New Stars Frequency (0 - 9999):").Store(11),
    Galaxy(&G::NewFrames, "Galaxy_NewFrames", "10").Range(1, 999).Column(15).Control("txtGalaxy", 11)
        .Label("New Star Cycle Down Frames (1 - 999):").Store(12),
    Galaxy(&G::NewExtMult, "Galaxy_NewExtMult", "200").ReadAs(VT::Int16).Rounded(1, 9999).Column(16)
        .Control("txtGalaxy", 12).Label("Star Max. Extension Magnitude (1 - 9999):").Store(13),
    Galaxy(&G::NovaFreq, "Galaxy_NovaFreq", "150").ReadAs(VT::Int16).Rounded(0, 9999).Column(17)
        .Control("txtGalaxy", 20).Label("Nova Stars Frequency (0 - 9999):").Store(14),
    Galaxy(&G::NovaFrames, "Galaxy_NovaFrames", "40").Range(1, 999).Column(18).Control("txtGalaxy", 21)
        .Label("Nova Star Cycle Down Frames (1 - 999):").Store(15),
    Galaxy(&G::NovaExtMult, "Galaxy_NovaExtMult", "750").ReadAs(VT::Int16).Rounded(1, 9999).Column(19)
        .Control("txtGalaxy", 22).Label("Nova Max. Extension Magnitude (1 - 9999):").Store(16),
    Galaxy(&G::CometFreq, "Galaxy_CometFreq", "300").ReadAs(VT::Int16).Rounded(0, 9999).Column(20)
        .Control("txtGalaxy", 40).Label("Comet Frequency (0 - 9999):").Store(17),
    Galaxy(&G::CometStars, "Galaxy_CometStars", "50").Range(1, 999).Column(21).Control("txtGalaxy", 41)
        .Label("Stars per Comet (1 - 999):").Store(18),
    // Read as 16-bit integers by the registry, but held to their range as floats.
    Galaxy(&G::CometOrbit, "Galaxy_CometOrbit", "100").ReadAs(VT::Int16).Range(0, 9999).Column(22)
        .Control("txtGalaxy", 42).Label("Comet Orbital Speed (0 - 9999):").Store(19),
    Galaxy(&G::CometSpeed, "Galaxy_CometSpeed", "150").ReadAs(VT::Int16).Range(1, 9999).Column(23)
        .Control("txtGalaxy", 43).Label("Comet Expansion Rate (1 - 9999):").Store(20),
    Galaxy(&G::CometSWind, "Galaxy_CometSWind", "300").ReadAs(VT::Int16).Range(0, 9999).Column(24)
        .Control("txtGalaxy", 44).Label("Solar Wind Magnitude (0 - 9999):").Store(21),
    Galaxy(&G::CometCPersist, "Galaxy_CometCPersist", "0.998").Range(0.1, 0.9999).Column(25)
        .Control("txtGalaxy", 45).Label(kCometStarPersistLabel).Store(23),
    Galaxy(&G::CometSPersist, "Galaxy_CometSPersist", "0.94").Range(0.1, 0.9999).Column(26)
        .Control("txtGalaxy", 46).Label(kCometStarPersistLabel).Store(22),
    Galaxy(&G::HWCStart, "Galaxy_HWC_Start", "60").Range(0, 999).Column(27).Control("txtGalaxy", 47)
        .Label(kGalaxyHueLabel).Store(24),
    // The template writer spells this key with a small "e"; keys match without case.
    Galaxy(&G::HWCEnd, "Galaxy_HWC_End", "0").TemplateKey("Galaxy_HWC_end").Range(0, 999).Column(28)
        .Control("txtGalaxy", 48).Label(kGalaxyHueLabel).Store(25),
    Galaxy(&G::RadiusExp, "Galaxy_RadiusExp", "1.3").Range(0, 99.9).Column(5).Control("txtGalaxy", 90)
        .Label("Radius Distribution Exponent (0.0 - 99.9):").Store(26),
    Galaxy(&G::HeightExp, "Galaxy_HeightExp", "2.0").Range(0, 99.9).Column(6).Control("txtGalaxy", 91)
        .Label("Height Distribution Exponent (0.0 - 99.9):").Store(27),
    Galaxy(&G::GHWRatio, "Galaxy_GHW_Ratio", "0.30").Range(0, 99.9).Column(7).Control("txtGalaxy", 92)
        .Label("Galaxy Height / Width Ratio (0.0 - 99.9):").Store(28),
    Galaxy(&G::AngleTilt, "Galaxy_AngleTilt", "150").Range(0, 360).Column(8).Control("txtGalaxy", 93)
        .Label("Initial Tilt Angle in Degrees (0 - 360):").Store(29),
    Galaxy(&G::AngleTInc, "Galaxy_AngleTInc", "0.05").Range(0, 360).Column(9).Control("txtGalaxy", 94)
        .Label("Tilt Angle Increment in Degrees (0.0 - 360.0):").Store(30),
    Galaxy(&G::ColorMult, "Galaxy_ColorMult", "2000").ReadAs(VT::Int16).Rounded(1, 30000).Column(4)
        .Control("txtGalaxy", 3).Label(kHueTypeLabel).Store(10),
    Galaxy(&G::HWheelInc, "Galaxy_HWheelInc", "0.012").Range(0, 360).Column(11).Control("txtGalaxy", 96)
        .Label(kHueWheelLabel).Store(31),
    Galaxy(&G::AxisPlane, "Galaxy_AxisPlane", "0").Range(0, 1).Column(3).Control("cboGalPlane")
        .Label("Axial Plane of Galaxy Star Rotation:").Store(32),
    Galaxy(&G::ColorComp, "Galaxy_ColorComp", "3").Range(0, 4).Column(12).Control("cboGalColor")
        .Label(kHueTypeLabel).Store(33),
    Galaxy(&G::HueStart, "Galaxy_HueStart", "240").Range(0, 359).Column(10).Control("txtGalaxy", 95)
        .Label(kHueWheelLabel).Store(34),
    Galaxy(&G::Profile, "Galaxy_Profile", "0").Range(0, 6).Column(13).Control("cboGalProfile")
        .Label("Shape Profile:").Store(35),
    // Reserved gravity values: filled from the factory rows and shown, never stored.
    Galaxy(&G::CorePointMass, "", "0").Column(29).Control("txtGalaxy", 50)
        .Label("Core Point Mass (0 - 9999):"),
    Galaxy(&G::LocalGravityForce, "", "0").Column(30).Control("txtGalaxy", 51)
        .Label("Local Gravity Force (0 - 9999):"),
};

constexpr SettingDef kComposite[] = {
    Composite(&CompositeRecord::Name, "_CompGalName").Control("txtCompGalName").Store(1),
    Composite(&CompositeRecord::Weight, "_CompGalPct").Range(0, 999).Control("txtCompGalPct").Store(0),
    Composite(&CompositeRecord::Count, "CompGal_Count").TemplateKey("_CompGalCount")
        .Range(0, kMaxCompositeCount).Store(2),
    CompositeMembers("CompGal_Type").TemplateKey("GalaxyIndex_").Range(0, kGalaxyTypeCount - 1).Store(3),
};

// clang-format on

constexpr int kGalaxyStoredCount = 36;
constexpr int kCompositeStoredCount = 4;
constexpr int kFactoryColumnCount = 36;

template <size_t N, class Table>
std::array<const SettingDef*, N> SortedByStoreOrder(const Table& table) {
    std::array<const SettingDef*, N> order{};
    for (const SettingDef& def : table) {
        if (def.storeOrder >= 0) order[static_cast<size_t>(def.storeOrder)] = &def;
    }
    return order;
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

// "prefix" + decimal digits, prefix compared without case.
bool IsMemberKey(std::string_view key, std::string_view prefix) {
    if (prefix.empty() || key.size() <= prefix.size()) return false;
    if (!EqualsNoCase(key.substr(0, prefix.size()), prefix)) return false;
    const std::string_view digits = key.substr(prefix.size());
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Matches(const SettingDef& def, std::string_view key) {
    if (!def.IsStored()) return false;
    if (def.isMemberList) return IsMemberKey(key, def.key) || IsMemberKey(key, def.templateKey);
    return EqualsNoCase(key, def.key) || (!def.templateKey.empty() && EqualsNoCase(key, def.templateKey));
}

int16_t BoundInt16(double bound) {
    return RoundToInt16Saturated(bound);
}
int32_t BoundInt32(double bound) {
    return RoundToInt32Saturated(bound);
}

template <class Record, class Member>
auto FieldOf(Record& record, Member member) -> decltype(&(record.*member)) {
    return member ? &(record.*member) : nullptr;
}

const SettingDef& MembersDef() {
    return *std::find_if(std::begin(kComposite), std::end(kComposite),
                         [](const SettingDef& def) { return def.isMemberList; });
}

}  // namespace

std::span<const SettingDef> SettingsOf(SettingGroup group) {
    switch (group) {
        case SettingGroup::General:
            return kGeneral;
        case SettingGroup::Advanced:
            return kAdvanced;
        case SettingGroup::Universe:
            return kUniverse;
        case SettingGroup::GalaxyRow:
            return kGalaxy;
        case SettingGroup::CompositeRow:
            return kComposite;
    }
    return {};
}

const SettingDef* FindSetting(std::string_view key) {
    for (SettingGroup group : {SettingGroup::General, SettingGroup::Advanced, SettingGroup::Universe,
                               SettingGroup::GalaxyRow, SettingGroup::CompositeRow}) {
        for (const SettingDef& def : SettingsOf(group)) {
            if (Matches(def, key)) return &def;
        }
    }
    return nullptr;
}

std::span<const SettingDef* const> GalaxyStoreOrder() {
    static const auto order = SortedByStoreOrder<kGalaxyStoredCount>(kGalaxy);
    return order;
}

std::span<const SettingDef* const> CompositeStoreOrder() {
    static const auto order = SortedByStoreOrder<kCompositeStoredCount>(kComposite);
    return order;
}

const SettingDef* GalaxyFactoryColumn(int column) {
    static const auto byColumn = [] {
        std::array<const SettingDef*, kFactoryColumnCount> columns{};
        for (const SettingDef& def : kGalaxy) {
            if (def.factoryColumn >= 0) columns[static_cast<size_t>(def.factoryColumn)] = &def;
        }
        return columns;
    }();
    if (column < 0 || column >= kFactoryColumnCount) return nullptr;
    return byColumn[static_cast<size_t>(column)];
}

std::string KeyFor(const SettingDef& def, KeyStyle style, int member) {
    const std::string_view key =
        style == KeyStyle::Template && !def.templateKey.empty() ? def.templateKey : def.key;
    std::string text(key);
    if (def.isMemberList) text += IntToText(member);
    return text;
}

std::string MissingText(const SettingDef& def, int row) {
    if (def.galaxyText == &GalaxyTypeRecord::Name) return DefaultGalaxyName(row);
    if (def.compositeText == &CompositeRecord::Name) return DefaultCompositeName(row);
    return std::string(def.missingText);
}

int16_t* Int16Field(GalaxyTypeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.galaxyInt16);
}
const int16_t* Int16Field(const GalaxyTypeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.galaxyInt16);
}
float* FloatField(GalaxyTypeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.galaxyFloat);
}
const float* FloatField(const GalaxyTypeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.galaxyFloat);
}
std::string* TextField(GalaxyTypeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.galaxyText);
}
const std::string* TextField(const GalaxyTypeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.galaxyText);
}
int16_t* Int16Field(CompositeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.compositeInt16);
}
const int16_t* Int16Field(const CompositeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.compositeInt16);
}
std::string* TextField(CompositeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.compositeText);
}
const std::string* TextField(const CompositeRecord& record, const SettingDef& def) {
    return FieldOf(record, def.compositeText);
}

std::string FieldText(const GalaxyTypeRecord& record, const SettingDef& def) {
    if (const int16_t* v = Int16Field(record, def)) return IntToText(*v);
    if (const float* v = FloatField(record, def)) return FloatToText(*v);
    if (const std::string* v = TextField(record, def)) return *v;
    return {};
}

std::string FieldText(const CompositeRecord& record, const SettingDef& def) {
    if (const int16_t* v = Int16Field(record, def)) return IntToText(*v);
    if (const std::string* v = TextField(record, def)) return *v;
    return {};
}

int16_t HoldInt16(const SettingDef& def, int16_t value) {
    if (!def.hasRange) return value;
    return ClampInt16(value, BoundInt16(def.low), BoundInt16(def.high));
}

int32_t HoldInt32(const SettingDef& def, int32_t value) {
    if (!def.hasRange) return value;
    return ClampInt32(value, BoundInt32(def.low), BoundInt32(def.high));
}

float HoldFloat(const SettingDef& def, float value) {
    if (!def.hasRange) return value;
    if (def.roundBeforeClamp) {
        // Rounded to a 32-bit integer first; NaN becomes 0 and infinities the nearer end of
        // the 32-bit range, so the clamp brings every value inside.
        const int32_t rounded = RoundToInt32Saturated(static_cast<double>(value));
        return static_cast<float>(ClampInt32(rounded, BoundInt32(def.low), BoundInt32(def.high)));
    }
    return ClampFloat(value, static_cast<float>(def.low), static_cast<float>(def.high));
}

void ClampGalaxyType(GalaxyTypeTable& table, int i) {
    if (i < 0 || i >= kGalaxyTableRows) return;
    GalaxyTypeRecord& record = table[static_cast<size_t>(i)];
    for (const SettingDef& def : kGalaxy) {
        if (int16_t* v = Int16Field(record, def)) *v = HoldInt16(def, *v);
        if (float* v = FloatField(record, def)) *v = HoldFloat(def, *v);
    }
}

void ClampCompositeType(CompositeTable& table, int c) {
    if (c < 0 || c >= kCompositeCount) return;
    CompositeRecord& record = table[static_cast<size_t>(c)];
    for (const SettingDef& def : kComposite) {
        if (int16_t* v = Int16Field(record, def)) *v = HoldInt16(def, *v);
    }
    // Count is already held to 0..31, so the members in use lie inside the array.
    const SettingDef& members = MembersDef();
    for (int j = 0; j < record.Count; ++j) {
        int16_t& member = record.Members[static_cast<size_t>(j)];
        member = HoldInt16(members, member);
    }
}

std::string GalaxyRegistrySection(int i) {
    return "Universe\\Galaxy" + IntToText(i);
}
std::string CompositeRegistrySection(int c) {
    return "Universe\\CompGal" + IntToText(c);
}
std::string GalaxyTemplateSection(int i) {
    return "UniGal" + IntToText(i);
}
std::string CompositeTemplateSection(int c) {
    return "CompGal" + IntToText(c);
}

std::string DefaultGalaxyName(int i) {
    return "< Galaxy Profile " + IntToText(int64_t{i} + 1) + " >";
}
std::string DefaultCompositeName(int c) {
    return "< Composite Galaxy " + IntToText(int64_t{c} + 1) + " >";
}
std::string CompositePlaceholderName(int c) {
    return "< Galaxy Composite " + IntToText(int64_t{c} + 1) + " >";
}

}  // namespace astrelle
