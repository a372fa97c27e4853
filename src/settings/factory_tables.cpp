// The built-in factory tables and their loaders. The rows are kept as the comma-separated
// texts the loaders read with FieldAt, so a row converts exactly as any stored row would;
// the blanks only align the columns.
#include "settings/factory_tables.h"

#include <string_view>

#include "settings/value_utils.h"

namespace astrelle {
namespace {

struct GalaxyTypeEntry {
    std::string_view name;  // padded to kGalaxyTypeNameWidth when handed out
    int16_t weight;
};

struct ThemeEntry {
    std::string_view name;
    std::string_view row;
};

// clang-format off
constexpr GalaxyTypeEntry kGalaxyTypes[kGalaxyTypeCount] = {
    {"Standard Galaxy", 20},
    {"Pancake-Like Disk", 10},
    {"Spherical Blob", 10},
    {"Holiday Ornament", 10},
    {"Dual-Dome Interior", 10},
    {"Solar Wind Comets", 15},
    {"Red-Blue Exclusive", 10},
    {"Blue-Green Shell", 5},
    {"Cylindrical Hourglass", 10},
    {"Cylinder-Disk Hybrid", 10},
    {"Rotating Comet Shell", 15},
    {"Spine-Disk Hybrid", 10},
    {"Polar Hemispheres", 5},
    {"Diamond with Comets", 15},
    {"High Star Activity", 10},
    {"Sparkling Dark Matter", 5},
    {"Expansive Sphere", 5},
    {"Black Hole Comets", 5},
    {"Stellar Blizzard", 5},
    {"Disk in YZ Plane", 3},
    {"Disk in XZ Plane", 2},
    {"Ring World 500", 1},
    {"Ring World 1000", 1},
    {"Ring World 1500", 1},
    {"Ring World 2000", 1},
    {"Ring World 2500", 1},
    {"Ruby Sphere", 3},
    {"Shell Rings 1000", 2},
    {"Shell Rings 900", 2},
    {"Shell Rings 750", 1},
    {"Shell Rings 350", 1},
    {"Elongated Bottle", 2},
};

// Row i belongs to galaxy type i. Columns, in three lines per row:
//   0 Radius, 1 Rotation, 2 Distance, 3 AxisPlane, 4 ColorMult, 5 RadiusExp, 6 HeightExp,
//   7 GHWRatio, 8 AngleTilt, 9 AngleTInc, 10 HueStart, 11 HWheelInc, 12 ColorComp, 13 Profile;
//   14 NewFreq, 15 NewFrames, 16 NewExtMult, 17 NovaFreq, 18 NovaFrames, 19 NovaExtMult,
//   20 CometFreq, 21 CometStars, 22 CometOrbit, 23 CometSpeed, 24 CometSWind, 25 CometCPersist,
//   26 CometSPersist, 27 HWCStart, 28 HWCEnd, 29 CorePointMass, 30 LocalGravityForce;
//   31 HueRed, 32 HueGrn, 33 HueBlu, 34 HueBase, 35 HueBlend.
constexpr std::string_view kGalaxyFactoryRows[kGalaxyTypeCount] = {
    /*  0 */ "  300,   500,   400, 0,  2000,  1.4,    2,  0.3, 165,   0.04, 240,  0.012, 3, 0, "
              " 200, 10,  200, 200,  25,  500,  320,  50,  100,  100,  200, 0.9975, 0.94, 120, 240, 0, 0, "
              "100, 100, 100,  0, 60,",
    /*  1 */ " 2000,  1000,  3000, 0,   700,    2,    2, 0.15, 350,  0.015,   0,  0.001, 3, 1, "
              " 300, 10,  250, 100, 100, 4000,  200,  50,  200,  100,  200, 0.9975, 0.94, 120,  30, 0, 0, "
              "100, 100, 100,  0, 60,",
    /*  2 */ "  250,   400,   450, 0,  2750,    1,    1,    1,   0,    0.1, 120,      0, 3, 2, "
              " 200, 20, 1000, 100,  30,  500,  200, 100,  100,  100,  200, 0.9975, 0.94,  30,   0, 0, 0, "
              "100, 100, 100,  0, 60,",
    /*  3 */ "  125,   400,  1000, 0,   400,    2,  1.4,    4,   0,    0.1,  60,   0.04, 3, 1, "
              " 400, 10,  200, 200,  20, 1000,  200,  50,  400,  100,  200, 0.9975, 0.94,  45,   0, 0, 0, "
              "100, 100, 100,  0, 60,",
    /*  4 */ "  350,   600,   500, 0,  4800,    1, 0.02,  0.4, 160,    0.2, 240,   0.01, 3, 0, "
              " 250, 10,  250, 200,  25, 1500,  600,  50,   25,  100,  800,  0.995, 0.94,  90,   0, 0, 0, "
              "100, 100, 100,  0, 60,",
    /*  5 */ "  200,   600,  1000, 0,  1200,  1.6,  1.6, 0.68,   0,    0.1, 240,  0.005, 3, 0, "
              " 250, 10,  200, 100,  20, 1000, 1000,  50,  125,  150, 2500, 0.9975, 0.94, 165, 210, 0, 0, "
              "100, 100, 100,  0, 60,",
    /*  6 */ "  500,   250,   700, 0,  1400,    1,  0.2, 0.35,   0, 359.85, 270,   0.08, 3, 0, "
              " 400, 10,  200,  50,  50, 1200,  600, 200,   10, 2000,    0,  0.995, 0.94, 360, 240, 0, 0, "
              "100,   0, 100, 25, 45,",
    /*  7 */ "  400,   500,   600, 0,  8000,  0.2,  0.2, 0.75,   0,    0.1, 180,   0.05, 3, 2, "
              " 250, 20, 1000, 200,  20,  800,  200,  50,  150,  100,  300, 0.9975, 0.94, 120, 150, 0, 0, "
              " 35, 100, 100, 30, 60,",
    /*  8 */ "  150,   400,   750, 0,   450,  1.3,  0.3,    3,   0,    0.1,  60,  0.004, 3, 6, "
              " 300, 10,  275, 120,  20,  600,  200,  50,  100,  100,  500, 0.9975, 0.94, 180,   0, 0, 0, "
              "100, 100, 100,  0, 60,",
    /*  9 */ "  500,   500,   600, 0,  1000,    1,    1,  1.5,   0,    0.1, 330,      0, 3, 5, "
              " 300, 10,  200, 125,  50, 1500,  200,  75,  200,  125,  300, 0.9975, 0.94,  60,   0, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 10 */ "  250,  6000,   500, 0,  3000,    1,    0,  0.7, 160,    0.5, 210,  0.002, 3, 4, "
              " 250, 10,  250, 125,  20,  500, 1200, 100,  600,  300, 2000,  0.995, 0.94, 160, 200, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 11 */ "  200,   300,   800, 0,  1000,    5,    5,    3,   0,    0.1, 330,  0.005, 3, 4, "
              " 250, 10,  250, 200,  30, 2000,  200, 250,  100,  100,  300, 0.9975, 0.96,  50,  10, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 12 */ " 1250,  1000,  2000, 0,  4000,    2, 0.05,  0.5,   0,    0.1, 250,  0.001, 3, 2, "
              " 250, 10,  250, 200,  20,  500,  250, 100,   25, 1200,  400,  0.997, 0.94, 160, 200, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 13 */ "  250,   200,   400, 0,  3200,    3,    3,    2, 175, 359.85, 180, 0.0002, 3, 3, "
              " 300, 10,  500, 150,  20, 4000, 1000,  40,    0,  100, 1200, 0.9975, 0.95, 145, 180, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 14 */ "  250,   500,   450, 0,  1000,    2,    2, 0.75, 160,    0.1, 240,   0.25, 3, 0, "
              " 750,  7,  500, 250,  10, 8000, 1000, 200,    0, 1600,    0,    0.9, 0.94,  60,   0, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 15 */ "  200,   600,   400, 0,  2000,    2,    2, 0.75,   0,    0.1,   0,      0, 4, 0, "
              "1000, 10,  250, 125,  50, 1250,  200,  40,   10,  800,    0,  0.975,  0.9, 210, 300, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 16 */ "15000, 30000, 25000, 1, 30000, 0.33,    0,    1,   0,   0.05, 120,    0.1, 3, 2, "
              "1250,  5, 7500,  75,  80, 9000,  150, 200, 2500, 9999,    0,    0.8, 0.95,  30,   0, 0, 0, "
              "100, 100, 100, 25, 60,",
    /* 17 */ "   25,   500,  1500, 0,  4000,  0.2,    0,    1,   0,    0.2, 240,      0, 3, 2, "
              " 500, 10,  400,   0,  20,  500, 1250,  20,   25,  400, 4000,  0.997, 0.95, 360, 240, 0, 0, "
              " 15,   0,  35,  0, 60,",
    /* 18 */ "  300,  4000,   450, 0,  2000,    1,    1,    1,   0,    1.5, 240,   0.01, 3, 2, "
              " 300, 10,  250, 150,  40, 1000,  500,  50,  750,  350, 1000,  0.998, 0.95,  60, 120, 0, 0, "
              "100, 100, 100, 20, 60,",
    /* 19 */ "  500,  1000,   800, 0,  1600,    2,    1,    0,   0,    0.5, 240,   0.05, 3, 2, "
              " 200, 10,  250, 100,  40, 1000,  200, 100,  300,  100, 1000,  0.998, 0.94,  60,  90, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 20 */ "  500,  1000,   800, 1,  1600,    2,    1,    0,  90,  359.4, 180,   0.06, 3, 2, "
              " 200, 10,  250, 100,  40, 1000,  200, 100,  100,  300, 6000,  0.998, 0.94,  90, 120, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 21 */ "  500,  1000,  1250, 0,  5000,  0.1,    1,  0.1,   0,      3, 240,  0.001, 3, 2, "
              " 250, 10, 2000, 250,  20, 3000,  300,  50, 3000, 1200,  300,  0.998, 0.94,  30,   0, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 22 */ " 1000,  2000,  2500, 0,  5000,  0.1,    1,  0.2,   0,  357.6, 200,  0.001, 3, 2, "
              " 250, 10, 1750, 225,  25, 3200,  300,  50, 2400, 1050,  300,  0.998, 0.94, 360, 330, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 23 */ " 1500,  3000,  3750, 1,  5000,  0.1,    1,  0.3,   0,    1.8, 180,  0.001, 3, 2, "
              " 250, 10, 1500, 200,  30, 3500,  300,  50, 2100,  900,  300,  0.998, 0.94, 330, 300, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 24 */ " 2000,  4000,  5000, 1,  5000,  0.1,    1,  0.4,   0,  358.8, 160,  0.001, 3, 2, "
              " 250, 10, 1250, 175,  35, 4000,  300,  50, 1800,  750,  300,  0.998, 0.94, 300, 270, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 25 */ " 2500,  5000,  6250, 0,  5000,  0.1,    1,  0.5,   0,    0.6, 120,  0.001, 3, 2, "
              " 250, 10, 1000, 150,  40, 5000,  300,  50, 1500,  600,  300,  0.998, 0.94, 270, 240, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 26 */ "  300,   500,  3200, 0,   750,    1,    1,    1,   0,    0.1,   0,      0, 3, 2, "
              " 500, 10,  500,  25, 100, 8000,  400,  60,  100,  400, 1600,  0.997, 0.94, 270, 210, 0, 0, "
              "100, 100, 100, 25, 60,",
    /* 27 */ " 1000,  4000,  2500, 0,  2000,    0,  0.2,  0.2,   0,    0.1, 240,  0.005, 3, 6, "
              " 300, 10,  250, 150,  40, 1750,  400,  50, 1000,  200,  300,  0.998, 0.94,   0,  30, 0, 0, "
              "100, 100, 100,  0, 60,",
    /* 28 */ "  900,  6000,  2150, 0,  2000,    0,  0.2,  0.5,   0,    0.1, 205,  0.005, 3, 6, "
              " 300, 10,  250, 150,  40, 1450,  400,  50, 1000,  300,  300,  0.998, 0.94,  30,  60, 0, 0, "
              "100, 100, 100, 10, 60,",
    /* 29 */ "  750,  8000,  2400, 0,  2000,    0,  0.2,    1,   0,    0.1, 180,  0.005, 3, 6, "
              " 300, 10,  250, 150,  40, 1200,  400,  50, 1000,  400,  300,  0.998, 0.94,  60,  90, 0, 0, "
              "100, 100, 100, 20, 60,",
    /* 30 */ "  400, 12000,  2550, 0,   200,    0,  0.2, 2.75,   0,    0.1, 150,  0.005, 3, 6, "
              " 300, 10,  250, 150,  40, 1000,  400,  50, 1000,  500,  300,  0.998, 0.94,  90, 120, 0, 0, "
              "100, 100, 100, 30, 60,",
    /* 31 */ "  250, 10000,  2500, 0,    10,    1,    0,   12,   0,    0.1,   0,  0.005, 3, 1, "
              " 500, 10,  600, 150,  20, 5000,  300,  50,  400,  300, 1250,  0.998, 0.94, 120, 180, 0, 0, "
              "100, 100, 100, 15, 60,",
};

// Theme columns (the universe settings' factoryColumn): Stars, Galaxy, STrail, Expand,
// ESteps, Persist, Symetry, Damping, HWRatio, HW_Start, HW_End, Profile, NewFreq, NewPctStEx,
// GSteps, GPCtrl, GCCtrl, DstCen, Tour, GVisit, GTrack, AmStar, AmPers, AmCAge, AmFrames,
// AmMaxExt, AmProf, GravForce, GravFrame.
constexpr ThemeEntry kUniverseThemes[kUniverseThemeCount] = {
    {"Classical (14.3 Billion Years Ago...)",
     "2500, 100,  2,  8000, 300,  0.985,  0.1,  0.015,  0.6, 180, 225, 2,  300,  70, 250, "
     "1, 4, 15000, 1, 0, 0, 200, 0.999, 0.07, 40, 15000, 0,      0, 1,"},
    {"Stylized:  Neon / Warp Speed",
     "2500,  60, 20,  5000, 300,   0.98,    0,   0.02, 0.65, 240, 120, 2,  200,  50, 100, "
     "2, 4,  3200, 1, 0, 0, 200, 0.995,  0.3, 15,  4000, 0,      0, 1,"},
    {"Sparce Space:  Long Distance Trips",
     "3000, 100,  1,  7500, 500, 0.9925, 0.25,  0.001,  0.8, 360, 180, 2,  300,  80, 250, "
     "1, 4, 75000, 1, 0, 0, 400, 0.999, 0.07, 50, 17500, 0,      0, 1,"},
    {"Morphing Astrelle at Universe Core",
     "2500,  48,  2,     0,   0,   0.99,    0,   0.04,    1,  60,   0, 2,  400, 100, 300, "
     "3, 0,  2500, 1, 1, 0,   1,  0.99,  0.5, 10,   100, 0,      0, 1,"},
    {"Trans-Galactic Tour in Fly-By Mode",
     "2500,  48,  2,  4500, 300,   0.99,    0, 0.0125, 0.75, 165, 210, 4,  250,  60, 200, "
     "2, 1,  4000, 1, 1, 0, 300, 0.998,  0.1, 30,  2500, 1,      0, 1,"},
    {"Extended Shell Universe / Mega Astrelle",
     "3000, 300,  1, 12500, 300,   0.99,    1,  0.002,  0.5, 120, 240, 0,  300,  60, 250, "
     "1, 4, 16000, 1, 0, 0, 300, 0.999, 0.05, 20, 16000, 1,      0, 1,"},
    {"Rollercoaster Ride Through the Cosmos",
     "2750,  60,  2,  2500, 250,   0.99,  0.2,  0.002,  0.6, 120,  60, 2,  300,  50,  75, "
     "1, 1,  4000, 1, 0, 0, 300, 0.998,  0.1, 50, 20000, 0,      0, 1,"},
    {"Astrelle in Motion:  Gravity On",
     "2750,  20,  2,  7500, 300,   0.99,  0.2,   0.05, 0.75, 360, 240, 2, 2000,   0, 300, "
     "1, 0,  8000, 0, 0, 0, 200, 0.999, 0.07, 50,  2500, 0, 125000, 1,"},
};

// Name, weight, member count, then the member galaxy type indices.
constexpr std::string_view kCompositeRows[kCompositeCount] = {
    "Nested Rings / Solid Core,   15,  6, 26, 21, 22, 23, 24, 25,",
    "Spine Disk Shell,            15,  2, 11, 12,",
    "Hourglass in Shell,          15,  2,  8, 12,",
    "Comets in Shells,            10,  3,  5,  7, 12,",
    "Nested Shells,               10,  3, 12,  7, 16,",
    "Disks: YZ Axis Major,         5,  2, 19, 20,",
    "Disks:  XZ Axis Major,        5,  2, 20, 19,",
    "Hourglass-Disk Hybrid,       10,  2,  8,  9,",
    "Ornament-Shell Hybrid,       10,  2,  3, 12,",
    "Dark Matter in a Shell,      10,  2,  7, 15,",
    "Big Galaxy / Comet Core,     10,  2, 17,  1,",
    "Bottle Axis / Shell Core,    10,  3, 26, 12, 31,",
    "Nested Rings / Comet Core,   10,  6, 17, 21, 22, 23, 24, 25,",
    "Sphere Rings / Shells,       10,  7, 17,  7, 12, 27, 28, 29, 30,",
    "Sphere Rings / Bottle Axis,  15,  5, 31, 27, 28, 29, 30,",
    "Sphere Rings / Ornament,     10,  5,  3, 27, 28, 29, 30,",
};
// clang-format on

bool ValidGalaxyType(int i) {
    return i >= 0 && i < kGalaxyTypeCount;
}

}  // namespace

std::string GalaxyTypeName(int i) {
    if (!ValidGalaxyType(i)) return {};
    std::string name(kGalaxyTypes[i].name);
    name.resize(kGalaxyTypeNameWidth, ' ');
    return name;
}

int16_t GalaxyTypeWeight(int i) {
    return ValidGalaxyType(i) ? kGalaxyTypes[i].weight : int16_t{0};
}

std::string GalaxyFactoryRow(int k) {
    return k >= 1 && k <= kGalaxyTypeCount ? std::string(kGalaxyFactoryRows[k - 1]) : std::string();
}

std::string UniverseThemeName(int k) {
    return k >= 1 && k <= kUniverseThemeCount ? std::string(kUniverseThemes[k - 1].name) : std::string();
}

std::string UniverseThemeRow(int k) {
    return k >= 1 && k <= kUniverseThemeCount ? std::string(kUniverseThemes[k - 1].row) : std::string();
}

std::string CompositeFactoryRow(int k) {
    return k >= 1 && k <= kCompositeCount ? std::string(kCompositeRows[k - 1]) : std::string();
}

const SettingDef* UniverseThemeSetting(int column) {
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        if (def.factoryColumn >= 0 && def.factoryColumn == column) return &def;
    }
    return nullptr;
}

std::string_view UniverseThemeKey(int column) {
    const SettingDef* def = UniverseThemeSetting(column);
    return def ? def->key : std::string_view();
}

void LoadFactoryGalaxyType(GalaxyTypeTable& table, int i) {
    if (!ValidGalaxyType(i)) return;
    GalaxyTypeRecord& record = table[static_cast<size_t>(i)];
    record.Name = GalaxyTypeName(i);
    record.Weight = GalaxyTypeWeight(i);
    const std::string row = GalaxyFactoryRow(i + 1);
    for (int column = 0; column < kGalaxyFactoryColumns; ++column) {
        const SettingDef* def = GalaxyFactoryColumn(column);
        if (def == nullptr) continue;
        // A field that does not convert keeps the value the record held.
        const std::string field = FieldAt(row, column);
        if (int16_t* v = Int16Field(record, *def)) TryParseInt16(field, *v);
        if (float* v = FloatField(record, *def)) TryParseFloat(field, *v);
    }
}

void LoadFactoryGalaxyTypes(GalaxyTypeTable& table) {
    for (int i = 0; i < kGalaxyTypeCount; ++i) LoadFactoryGalaxyType(table, i);
}

void LoadFactoryComposites(CompositeTable& table) {
    for (int c = 0; c < kCompositeCount; ++c) {
        CompositeRecord& record = table[static_cast<size_t>(c)];
        const std::string row = CompositeFactoryRow(c + 1);
        record.Name = FieldAt(row, 0);
        TryParseInt16(FieldAt(row, 1), record.Weight);
        TryParseInt16(FieldAt(row, 2), record.Count);
        // Members beyond Count keep what they held; the array bound caps a wrong count.
        for (int j = 0; j < record.Count && j < kCompositeMembers; ++j) {
            TryParseInt16(FieldAt(row, j + 3), record.Members[static_cast<size_t>(j)]);
        }
    }
}

}  // namespace astrelle
