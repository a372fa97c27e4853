// The state of the animation engine. EngineContext holds what lives across runs (the
// settings under their key names, the drawing geometry, the colour tables, the random
// source and references to the host, the surface and the shared type tables);
// RuntimeArrays holds what one run owns (stars, trails, ambient stars, comets, per-type
// angles, galaxy objects). Runtime arrays are sized once per run by Allocate and never
// inside a frame, so the frame loop allocates nothing.
//
// A saver run goes (engine_setup.h, universe.h): the host sequence loads the display
// settings and the geometry, seeds Random, then per run loads the universe settings as
// stored with the type tables and colour tables; RunUniverse clamps and converts Settings,
// calls ScaleTypeTable, RuntimeArrays::Allocate(S, T, G, A) and AllocateCreation, and
// repeats cycles: CreateUniverse (universe_creation.h), RunTour (tour.h) with gravity
// (gravity.h), ClearSurface. The preview (preview.h) is the small version of it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_host.h"
#include "engine/pixel_surface.h"
#include "engine/random_source.h"
#include "engine/trig_tables.h"
#include "settings/settings_model.h"

namespace astrelle {

inline constexpr int kHueCount = 360;    // positions of the hue wheel
inline constexpr int kRampSize = 100;    // entries of a colour ramp
inline constexpr int kCometSlots = 101;  // comet slot arrays, indices 0..100
inline constexpr int kMaxCometSlotsInUse = 100;
inline constexpr int kCometParticles = 2500;   // particle storage shared by all slots
inline constexpr uint32_t kWhite = 0xFFFFFFu;  // 16777215
inline constexpr float kTwoPi = 6.2831855f;    // 2 pi as the single-precision constant
inline constexpr float kPi = 3.1415927f;
inline constexpr float kMinDepth = 0.001f;  // a point is drawn only when z > this

// A point or direction in engine units, single precision.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Universe, advanced and message values as the engine holds them, named by their keys.
// A loader stores the values as read; RunUniverse then clamps and converts them in
// place (Universe_Expand x 0.001, Universe_DstCen x 0.01, Universe_AmMaxExt x 0.01,
// Universe_GravForce x 1e-7, Universe_NewPctStEx as a fraction, Universe_Damping as the
// per-frame retention). The defaults below are the used-when-missing values already in
// that engine form, so a fresh context can run frames as it is.
struct EngineSettings {
    int32_t Universe_Stars = 2500;  // read as 32-bit, held to 10..30000
    int16_t Universe_Galaxy = 100;
    int16_t Universe_STrail = 2;
    float Universe_Expand = 8.0f;
    int16_t Universe_ESteps = 300;
    float Universe_Persist = 0.985f;
    float Universe_Symetry = 0.1f;
    float Universe_Damping = 0.995f;
    float Universe_HWRatio = 0.6f;
    int16_t Universe_HW_Start = 180;  // only used to build the universe ramp
    int16_t Universe_HW_End = 225;
    int16_t Universe_Profile = 2;
    int16_t Universe_NewFreq = 300;
    float Universe_NewPctStEx = 0.7f;
    int16_t Universe_Tour = -1;
    int16_t Universe_GSteps = 250;
    int16_t Universe_GPCtrl = 1;
    int16_t Universe_GCCtrl = 4;
    float Universe_DstCen = 150.0f;
    int16_t Universe_GVisit = 0;
    int16_t Universe_AmStar = 200;
    float Universe_AmPers = 0.999f;
    float Universe_AmCAge = 0.07f;
    int16_t Universe_AmFrames = 40;
    float Universe_AmMaxExt = 99.99f;
    int16_t Universe_AmProf = 0;
    float Universe_GravForce = 0.0f;
    int16_t Universe_GravFrame = 1;

    int32_t Adv_TimeDelay = 25;  // frame delay in ms, used as read

    // The lock message, for the host's RefreshMessage.
    std::string MessageText;
    std::string MessageFontName = "MS Sans Serif";
    int16_t MessageFontSize = 20;
    int16_t MessageHue = 180;
};

// The drawing area and projection constants, derived once per set-up from the surface
// size and the display settings (ComputeGeometry).
struct EngineGeometry {
    int32_t ScreenW = 0;
    int32_t ScreenH = 0;
    int32_t CenterX = 0;
    int32_t CenterY = 0;
    float FocalLength = 1.0f;
    float CenterXFocal = 0.0f;
    float CenterYFocal = 0.0f;
    float AspectHW = 0.0f;
    float InvFocalLength = 1.0f;
    int16_t PixelSize = 1;
};

// Sets every geometry value from a surface of width x height pixels. The focal length is
// held to 0.01..9999 and the pixel size to 1..9, the ranges the settings define; halves
// of the centre go to even (1023 and 1025 pixels both give 512).
void ComputeGeometry(EngineGeometry& geometry, int32_t width, int32_t height, float focalLength,
                     int16_t pixelSize);

// Which kind of preview a frame belongs to; the values are those the frame rules test.
enum class PreviewKind : int16_t { None = 0, Galaxy = 1, Composite = 2 };

struct EngineContext {
    EngineContext(EngineHost& host, PixelSurface& surface, GalaxyTypeTable& galaxyTypes,
                  CompositeTable& composites)
        : Host(host), Surface(surface), GalaxyTypes(galaxyTypes), Composites(composites) {}

    EngineHost& Host;
    PixelSurface& Surface;
    GalaxyTypeTable& GalaxyTypes;  // rows 0..31 in engine units while frames run
    CompositeTable& Composites;
    const TrigTables& Trig = GetTrigTables();

    EngineSettings Settings;
    EngineGeometry Geometry;
    RandomSource Random{1};

    // Colour tables (colour.h). HueTable is addressed through HueAt, the ramps through
    // GalaxyRamp; the layouts keep one type's entries together.
    std::array<uint32_t, kHueCount * kGalaxyTypeCount> HueTable{};
    std::array<uint32_t, kRampSize> UniverseHueRamp{};
    std::array<uint32_t, kRampSize * kGalaxyTypeCount> GalaxyHueRamp{};

    int16_t CurrentGalType = 0;  // base type of the galaxy being visited; 0 outside visits
    // Gravity recomputes velocities when this reaches 0 (ApplyGravity). Kept here, not
    // with one run's arrays, so that the rhythm of recomputations runs on across universe
    // cycles and runs instead of restarting with each new universe.
    int16_t GravityCounter = 0;
    uint32_t FrameStartTick = 0;   // tick at the start of the current frame
    uint32_t LastMessageTick = 0;  // tick of the last RefreshMessage

    // False for the preview box, which has no window to clear between universe cycles
    // nor to show the lock message on.
    bool HasDrawingSurface = true;

    uint32_t& HueAt(int hue, int type) {
        return HueTable[static_cast<size_t>(type) * kHueCount + static_cast<size_t>(hue)];
    }
    uint32_t* GalaxyRamp(int type) { return &GalaxyHueRamp[static_cast<size_t>(type) * kRampSize]; }
};

// Everything one run owns, as structures of arrays. Index ranges follow the names used by
// the rules: per galaxy type 0..31, per galaxy object 0..G-1, per star 0..S-1, trail
// entries 0..S*T-1 (star i owns i*T .. i*T+T-1), per ambient star 0..A-1, comet slots
// 0..100, comet particles 0..2499 (particle j of slot c is c*CometStars + j).
struct RuntimeArrays {
    int32_t StarCount = 0;     // S
    int32_t TrailLength = 1;   // T
    int32_t GalaxyCount = 0;   // G
    int32_t AmbientCount = 0;  // A

    // Per galaxy type.
    std::array<float, kGalaxyTypeCount> TypeSpinAngle{};
    std::array<float, kGalaxyTypeCount> TypeSpinSin{};
    std::array<float, kGalaxyTypeCount> TypeSpinCos{};
    std::array<float, kGalaxyTypeCount> TypeHueAngle{};

    // Per galaxy object.
    std::vector<float> GalViewX, GalViewY, GalViewZ;     // centre relative to the camera
    std::vector<float> GalWorldX, GalWorldY, GalWorldZ;  // centre in the world (gravity)
    std::vector<float> GalVelX, GalVelY, GalVelZ;        // velocity from gravity
    std::vector<int16_t> GalType;  // 0..31 a galaxy type, 32..47 composite row GalType - 32
    // Work space of gravity: the pull of every object on the one being moved.
    std::vector<float> PullX, PullY, PullZ;

    // Per star.
    std::vector<float> StarRadius, StarAngle, StarAngVel, StarHeight;
    std::vector<uint32_t> StarColor;
    std::vector<int16_t> StarType, StarGalaxy;
    std::vector<int32_t> StarAge;
    std::vector<int16_t> StarRebirthWait, StarNewLeft, StarNovaLeft;
    std::vector<int32_t> BurstX, BurstY;  // pixel of the current sparkle
    std::vector<float> BurstZ;            // its depth
    std::vector<float> NovaX, NovaY, NovaZ;
    std::vector<int16_t> BurstFrames;
    std::vector<float> BurstExt;
    // Work space of the galaxy frame: sine and cosine of every star's next angle.
    std::vector<float> StepSin, StepCos;

    // Trail ring.
    std::vector<int32_t> TrailX, TrailY;
    int32_t TrailCursor = 0;  // ring position written in this frame, 0..T-1

    // Ambient stars.
    std::vector<float> AmbX, AmbY, AmbZ;
    std::vector<float> AmbDeltaX, AmbDeltaY, AmbDeltaZ;
    std::vector<int32_t> AmbScreenX, AmbScreenY;
    std::vector<int16_t> AmbFlareLeft;
    std::vector<float> AmbAge;

    // Comet slots (0..100) and their particles (0..2499).
    std::vector<int16_t> CometActive, CometLive;
    std::vector<float> CometRadius, CometHeight, CometAngle, CometAngVel;
    std::vector<float> ParticleX, ParticleY, ParticleZ;
    std::vector<float> ParticleVX, ParticleVY, ParticleVZ;
    std::vector<int32_t> EvtPixelX, EvtPixelY;
    std::vector<int16_t> ParticleAge, EvtPixelDrawn;
    int16_t EvtSlotStride = 0;  // comet slots in use, set by ResetEventBuffer

    // Working arrays of the universe creation (per star and per galaxy object). Sized by
    // AllocateCreation once per run, so a new universe costs no allocation.
    std::vector<float> BirthX, BirthY, BirthZ;           // a birth star in flight
    std::vector<float> BirthVelX, BirthVelY, BirthVelZ;  // its velocity
    std::vector<int16_t> BirthState;                     // 0 in flight, 1 fading, 2 joined
    std::vector<int32_t> BirthAge;                       // frames in the current state
    std::vector<float> GalDriftX, GalDriftY, GalDriftZ;  // drift of a galaxy object
    // Running sum of the weights of rows 0..47. 32 bits: 48 weights of up to 999 each
    // would not fit 16.
    std::array<int32_t, kGalaxyTableRows> TypeWeightSum{};
    // The expansion: step and radius, both set to Universe_Expand at every new universe;
    // the radius ambient stars are placed in for the rest of the cycle.
    float ExpandStep = 0.0f;
    float ExpandRadius = 0.0f;

    // The tour camera of the current cycle: position, previous position and the window
    // of four spline control points (Control[3] is the newest), and the spline step.
    Vec3 Camera;
    Vec3 PrevCamera;
    std::array<Vec3, 4> Control{};
    float TourStep = 1.0f;

    // Sizes and zero-fills every array. Counts below their minimum are raised to it
    // (stars 1, trail 1, galaxies 1, ambient 0). With AllocateCreation the only places
    // arrays change size.
    void Allocate(int32_t stars, int32_t trail, int32_t galaxies, int32_t ambient);
    // Sizes the creation arrays for the StarCount and GalaxyCount of the last Allocate.
    void AllocateCreation();
};

}  // namespace astrelle
