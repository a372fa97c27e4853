// Rebirth quota and selection, rebirths, sparkles, novas and comets.
#include "engine/star_events.h"

#include <algorithm>
#include <cmath>

#include "engine/portable_math.h"
#include "engine/projection.h"
#include "engine/star_generation.h"
#include "settings/rounding.h"

namespace astrelle {

namespace {

constexpr float kSparkleMinExtent = 0.03125f;  // below this a sparkle or nova is one pixel

const GalaxyTypeRecord& TypeRow(const EngineContext& ctx, int type) {
    return ctx.GalaxyTypes[static_cast<size_t>(std::clamp(type, 0, kGalaxyTypeCount - 1))];
}

int RandomIndex(RandomSource& random, int32_t count) {
    // Int(U x count); the clamp only guards against a count of 0.
    const int32_t i = static_cast<int32_t>(random.Next() * static_cast<float>(count));
    return std::clamp(i, 0, std::max(0, count - 1));
}

// Rounds and sets one pixel; a coordinate that does not fit 32 bits is skipped.
void SetRounded(const PixelSurface::Writer& surface, double x, double y, uint32_t colour) {
    int32_t px = 0;
    int32_t py = 0;
    if (TryRoundToInt32(x, px) && TryRoundToInt32(y, py)) surface.SetPixel(px, py, colour);
}

}  // namespace

int16_t HomeType(const EngineContext& ctx, const RuntimeArrays& a, int g) {
    const int k = a.GalType[static_cast<size_t>(g)];
    if (k < kGalaxyTypeCount) return static_cast<int16_t>(std::max(0, k));
    const CompositeRecord& c =
        ctx.Composites[static_cast<size_t>(std::min(k - kGalaxyTypeCount, kCompositeCount - 1))];
    return static_cast<int16_t>(std::clamp<int>(c.Members[0], 0, kGalaxyTypeCount - 1));
}

int16_t NewStarQuota(const EngineContext& ctx, const RuntimeArrays& a, const FrameInfo& f) {
    const EngineSettings& st = ctx.Settings;
    const int16_t nfu = st.Universe_NewFreq;
    auto blended = [nfu](int16_t target, double weight) {
        // The difference is a 16-bit value, as stored settings keep it.
        const int16_t difference = static_cast<int16_t>(target - nfu);
        int16_t q = nfu;
        TryRoundToInt16(nfu + difference * weight, q);
        return q;
    };
    if (f.preview == PreviewKind::Galaxy) return TypeRow(ctx, HomeType(ctx, a, f.g)).NewFreq;
    if (f.s == 1 && f.g > 0) return blended(TypeRow(ctx, HomeType(ctx, a, f.g - 1)).NewFreq, f.w);
    if (f.s > st.Universe_GPCtrl && f.visiting) {
        const int16_t own = TypeRow(ctx, HomeType(ctx, a, f.g)).NewFreq;
        if (f.s - st.Universe_GPCtrl == 1) return blended(own, 1.0 - static_cast<double>(f.w));
        return own;
    }
    return nfu;
}

int32_t RebirthCount(RandomSource& random, int16_t quota) {
    const double u = random.Next();
    const int b = u * 100.0 < quota % 100 ? 1 : 0;
    return static_cast<int32_t>(RoundHalfEven(quota * 0.01 + b));
}

void SelectRebirths(EngineContext& ctx, RuntimeArrays& a, int16_t quota) {
    const int32_t n = RebirthCount(ctx.Random, quota);
    const int16_t wait = static_cast<int16_t>(a.TrailLength + 1);
    for (int32_t k = 0; k < n; ++k) {
        const size_t i = static_cast<size_t>(RandomIndex(ctx.Random, a.StarCount));
        // A star that is not yet old enough or busy with an event wastes the draw.
        if (a.StarAge[i] > a.TrailLength && a.StarRebirthWait[i] == 0 && a.StarNewLeft[i] == 0 &&
            a.StarNovaLeft[i] == 0) {
            a.StarRebirthWait[i] = wait;
        }
    }
}

int16_t ChooseStarType(EngineContext& ctx, const RuntimeArrays& a, int32_t i) {
    const int k = a.GalType[static_cast<size_t>(a.StarGalaxy[static_cast<size_t>(i)])];
    // Rows 32..47 are the composite slots (their CompositeFlag is set whenever an object
    // carries them); a star always ends with one of the 32 galaxy types.
    if (k < kGalaxyTypeCount) return static_cast<int16_t>(std::max(0, k));
    const CompositeRecord& c =
        ctx.Composites[static_cast<size_t>(std::min(k - kGalaxyTypeCount, kCompositeCount - 1))];
    const int count = std::clamp<int>(c.Count, 0, kCompositeMembers);
    const int member =
        std::clamp(static_cast<int>(ctx.Random.Next() * static_cast<float>(count)), 0, kCompositeMembers - 1);
    return static_cast<int16_t>(
        std::clamp<int>(c.Members[static_cast<size_t>(member)], 0, kGalaxyTypeCount - 1));
}

namespace {

// The first image of a reborn star, at its new angle without a step.
void DrawFirstImage(EngineContext& ctx, RuntimeArrays& a, size_t i) {
    const int type = a.StarType[i];
    const int g = a.StarGalaxy[i];
    const Vec3 v =
        RotateStar(a.StarRadius[i], a.StarAngle[i], a.StarHeight[i], a.TypeSpinSin[static_cast<size_t>(type)],
                   a.TypeSpinCos[static_cast<size_t>(type)], TypeRow(ctx, type).AxisPlane,
                   a.GalViewX[static_cast<size_t>(g)], a.GalViewY[static_cast<size_t>(g)],
                   a.GalViewZ[static_cast<size_t>(g)]);
    if (!(v.z > kMinDepth)) return;
    if (a.StarNovaLeft[i] >= 1) {
        a.NovaX[i] = v.x;
        a.NovaY[i] = v.y;
        a.NovaZ[i] = v.z;
        DrawNovaBurst(ctx, v.x, v.y, v.z, a.StarNovaLeft[i], kWhite, a.BurstFrames[i], a.BurstExt[i]);
        return;
    }
    PixelPoint p;
    if (!ProjectPoint(ctx.Geometry, v.x, v.y, v.z, p)) return;
    a.BurstX[i] = p.x;
    a.BurstY[i] = p.y;
    a.BurstZ[i] = v.z;
    DrawNewStarBurst(ctx, p.x, p.y, v.z, a.StarNewLeft[i], a.BurstFrames[i], a.BurstExt[i], kWhite);
}

void StartNewStar(RuntimeArrays& a, size_t i, const GalaxyTypeRecord& row) {
    a.StarNewLeft[i] = row.NewFrames;
    a.BurstFrames[i] = row.NewFrames;
    a.BurstExt[i] = row.NewExtMult;
}

}  // namespace

void RebirthAfterDying(EngineContext& ctx, RuntimeArrays& a, int32_t star, const FrameInfo& f) {
    const EngineSettings& st = ctx.Settings;
    RandomSource& rnd = ctx.Random;
    const size_t i = static_cast<size_t>(star);
    int gp = f.g;
    if (!f.visiting) {
        gp = RandomIndex(rnd, a.GalaxyCount);
    } else if (f.s > st.Universe_GPCtrl) {
        if (!(rnd.Next() < st.Universe_NewPctStEx)) gp = RandomIndex(rnd, a.GalaxyCount);
    } else if (rnd.Next() >= st.Universe_NewPctStEx) {
        gp = RandomIndex(rnd, a.GalaxyCount);
    } else if (f.s == 1 && f.g > 0) {
        // New stars move over from the previous object as the camera advances.
        gp = rnd.Next() >= f.w ? f.g : f.g - 1;
    }
    a.StarGalaxy[i] = static_cast<int16_t>(gp);
    const int16_t type =
        f.preview == PreviewKind::Galaxy ? HomeType(ctx, a, gp) : ChooseStarType(ctx, a, star);
    a.StarType[i] = type;
    GenerateStar(ctx, a, star, type, a.TypeHueAngle[static_cast<size_t>(type)]);
    const GalaxyTypeRecord& row = TypeRow(ctx, type);
    if (rnd.Next() < row.NovaFreq) {
        a.StarNovaLeft[i] = row.NovaFrames;
        a.BurstFrames[i] = row.NovaFrames;
        a.BurstExt[i] = row.NovaExtMult;
    } else {
        StartNewStar(a, i, row);
    }
    DrawFirstImage(ctx, a, i);
}

void RebirthAfterNova(EngineContext& ctx, RuntimeArrays& a, int32_t star) {
    const size_t i = static_cast<size_t>(star);
    const int16_t type = ChooseStarType(ctx, a, star);
    a.StarType[i] = type;
    GenerateStar(ctx, a, star, type, a.TypeHueAngle[static_cast<size_t>(type)]);
    StartNewStar(a, i, TypeRow(ctx, type));
    DrawFirstImage(ctx, a, i);
}

namespace {

enum class Ring : uint8_t { Axis, Horizontal, Diagonal };
struct RingStep {
    Ring kind;
    uint8_t k;
};

constexpr RingStep kA1{Ring::Axis, 1}, kA2{Ring::Axis, 2}, kA8{Ring::Axis, 8}, kA14{Ring::Axis, 14},
    kA16{Ring::Axis, 16}, kA32{Ring::Axis, 32}, kH1{Ring::Horizontal, 1}, kH2{Ring::Horizontal, 2},
    kD4{Ring::Diagonal, 4}, kD7{Ring::Diagonal, 7}, kD11{Ring::Diagonal, 11};

struct Band {
    float from;  // q at which the band starts
    uint8_t count;
    RingStep rings[8];
};

// From the widest band down; a sparkle shrinks one band per frame towards its centre.
constexpr Band kBands[] = {
    {0.9f, 8, {kA1, kA2, kD4, kA8, kA16, kD7, kA32, kD11}},
    {0.8f, 6, {kA1, kA2, kD4, kA8, kA16, kD7}},
    {0.7f, 5, {kA1, kA2, kD4, kA8, kA14}},
    {0.6f, 4, {kA1, kA2, kD4, kA8}},
    {0.5f, 3, {kA1, kA2, kD4}},
    {0.4f, 2, {kA1, kA2}},
    {0.3f, 2, {kA1, kH2}},
    {0.2f, 1, {kA1}},
    {0.1f, 1, {kH1}},
};

}  // namespace

void DrawNewStarBurst(EngineContext& ctx, int32_t x, int32_t y, float z, int16_t left, int16_t total,
                      float ext, uint32_t colour) {
    const PixelSurface::Writer surface = ctx.Surface.BeginWrites();
    const float e = ctx.Geometry.FocalLength / z * ext;
    surface.SetPixel(x, y, colour);
    if (!(e > kSparkleMinExtent) || total <= 0) return;
    // Comparing the single-precision quotient with single-precision band limits keeps the
    // bands exact: 7 of 10 frames left is the 0.7 band.
    const float q = static_cast<float>(left) / static_cast<float>(total);
    const double cx = x;
    const double cy = y;
    for (const Band& band : kBands) {
        if (q < band.from) continue;
        for (int r = 0; r < band.count; ++r) {
            const double d = band.rings[r].k * static_cast<double>(e);
            switch (band.rings[r].kind) {
                case Ring::Axis:
                    SetRounded(surface, cx - d, cy, colour);
                    SetRounded(surface, cx + d, cy, colour);
                    SetRounded(surface, cx, cy - d, colour);
                    SetRounded(surface, cx, cy + d, colour);
                    break;
                case Ring::Horizontal:
                    SetRounded(surface, cx - d, cy, colour);
                    SetRounded(surface, cx + d, cy, colour);
                    break;
                case Ring::Diagonal:
                    SetRounded(surface, cx - d, cy - d, colour);
                    SetRounded(surface, cx + d, cy - d, colour);
                    SetRounded(surface, cx - d, cy + d, colour);
                    SetRounded(surface, cx + d, cy + d, colour);
                    break;
            }
        }
        break;
    }
}

namespace {

struct NovaOffset {
    int8_t a;
    int8_t b;
};

constexpr NovaOffset kNovaNear[] = {
    {-16, 0},   {16, 0},   {0, -16},  {0, 16},  {-16, -16}, {16, -16}, {-16, 16}, {16, 16},
    {-7, -7},   {7, -7},   {-7, 7},   {7, 7},   {-11, 0},   {11, 0},   {0, -11},  {0, 11},
    {-11, -11}, {11, -11}, {-11, 11}, {11, 11}, {-2, -24},  {2, -24},  {-2, 24},  {2, 24},
    {-24, -2},  {24, -2},  {-24, 2},  {24, 2},  {-32, 0},   {32, 0},   {0, -32},  {0, 32}};
constexpr NovaOffset kNovaMiddle[] = {{-3, -10}, {3, -10}, {-3, 10}, {3, 10}, {-10, -3}, {10, -3}, {-10, 3},
                                      {10, 3},   {-7, -5}, {7, -5},  {-7, 5}, {7, 5},    {-5, -7}, {5, -7},
                                      {-5, 7},   {5, 7},   {-24, 0}, {24, 0}, {0, -24},  {0, 24}};
constexpr NovaOffset kNovaFar[] = {{-2, 0}, {2, 0}, {0, -2},  {0, 2},  {-3, -5}, {3, -5},
                                   {-3, 5}, {3, 5}, {-5, -3}, {5, -3}, {-5, 3},  {5, 3}};

template <size_t N>
void DrawNovaLayer(const EngineContext& ctx, const PixelSurface::Writer& surface, float x, float y, float d,
                   float ext, double grow, const NovaOffset (&offsets)[N], uint32_t colour) {
    if (!(d > 0.0f)) return;  // at or behind the viewer
    PixelPoint p;
    if (!ProjectPoint(ctx.Geometry, x, y, d, p)) return;
    const double e = static_cast<double>(ctx.Geometry.FocalLength / d * ext) * grow;
    for (const NovaOffset& o : offsets) {
        const double px = o.a == 0 ? p.x : p.x + o.a * e;
        const double py = o.b == 0 ? p.y : p.y + o.b * e;
        SetRounded(surface, px, py, colour);
    }
}

}  // namespace

void DrawNovaBurst(EngineContext& ctx, float x, float y, float z, int16_t left, uint32_t colour,
                   int16_t total, float ext) {
    // The burst grows as the nova ages: 1 in its first frame.
    const double grow = Power(static_cast<double>(total - left + 1), 0.6375);
    const double e = static_cast<double>(ctx.Geometry.FocalLength / z * ext) * grow;
    const PixelSurface::Writer surface = ctx.Surface.BeginWrites();
    PixelPoint centre;
    if (ProjectPoint(ctx.Geometry, x, y, z, centre)) surface.SetPixel(centre.x, centre.y, colour);
    if (!(e > kSparkleMinExtent)) return;
    DrawNovaLayer(ctx, surface, x, y, z, ext, grow, kNovaNear, colour);
    DrawNovaLayer(ctx, surface, x, y, z + 0.1f * ext, ext, grow, kNovaMiddle, colour);
    DrawNovaLayer(ctx, surface, x, y, z - 0.1f * ext, ext, grow, kNovaMiddle, colour);
    DrawNovaLayer(ctx, surface, x, y, z + 0.2f * ext, ext, grow, kNovaFar, colour);
    DrawNovaLayer(ctx, surface, x, y, z - 0.2f * ext, ext, grow, kNovaFar, colour);
}

uint32_t NovaColour(EngineContext& ctx, int16_t type, int16_t total, int16_t left) {
    int32_t index = 0;
    if (total > 0) TryRoundToInt32(100.0 * (total - left) / total, index);
    // Long novas would round their last frames to 100; the ramp ends at 99.
    index = std::clamp(index, 0, kRampSize - 1);
    return ctx.GalaxyRamp(std::clamp<int>(type, 0, kGalaxyTypeCount - 1))[index];
}

int16_t CometSlotCount(int16_t cometStars) {
    return static_cast<int16_t>(
        std::min(kCometParticles / std::max<int>(1, cometStars), kMaxCometSlotsInUse));
}

namespace {

struct CometFrame {
    const GalaxyTypeRecord& row;
    float sinSpin;
    float cosSpin;
};

Vec3 CometHead(const RuntimeArrays& a, const CometFrame& cf, size_t c) {
    return RotateStar(a.CometRadius[c], a.CometAngle[c], a.CometHeight[c], cf.sinSpin, cf.cosSpin,
                      cf.row.AxisPlane, 0.0f, 0.0f, 0.0f);
}

float WindFactor(const CometFrame& cf, const Vec3& head) {
    return static_cast<float>(cf.row.CometSWind /
                              (std::sqrt(head.x * head.x + head.y * head.y + head.z * head.z) + 0.000000001));
}

// A particle leaves the head in a random direction, pushed outward by the solar wind.
void Emit(EngineContext& ctx, RuntimeArrays& a, const CometFrame& cf, size_t p, const Vec3& head,
          float wind) {
    Vec3 v = RandomOnSphere(ctx, cf.row.CometSpeed);
    if (cf.row.CometSWind > 0.0f) {
        v.x += head.x * wind;
        v.y += head.y * wind;
        v.z += head.z * wind;
    }
    a.ParticleVX[p] = v.x;
    a.ParticleVY[p] = v.y;
    a.ParticleVZ[p] = v.z;
    a.ParticleX[p] = head.x + v.x;
    a.ParticleY[p] = head.y + v.y;
    a.ParticleZ[p] = head.z + v.z;
}

}  // namespace

void UpdateComets(EngineContext& ctx, RuntimeArrays& a, const FrameInfo& f) {
    const EngineSettings& st = ctx.Settings;
    RandomSource& rnd = ctx.Random;
    const int ct = std::clamp<int>(ctx.CurrentGalType, 0, kGalaxyTypeCount - 1);
    const float phi = a.TypeSpinAngle[static_cast<size_t>(HomeType(ctx, a, f.g))];
    float sinPhi = 0.0f;
    float cosPhi = 0.0f;
    SinCos(phi, sinPhi, cosPhi);
    const CometFrame cf{TypeRow(ctx, ct), sinPhi, cosPhi};
    const size_t gc =
        static_cast<size_t>(f.preview == PreviewKind::Galaxy ? 0 : (f.s <= 1 && f.g > 0 ? f.g - 1 : f.g));
    const float gx = a.GalViewX[gc];
    const float gy = a.GalViewY[gc];
    const float gz = a.GalViewZ[gc];
    const int slots = std::clamp<int>(a.EvtSlotStride, 0, kMaxCometSlotsInUse);
    const int perComet = std::max<int>(1, cf.row.CometStars);
    const uint32_t* ramp = ctx.GalaxyRamp(ct);
    const DotWriter dot(ctx);

    // A comet may start in a free slot once the camera is past its first core step.
    const size_t c0 = static_cast<size_t>(
        std::clamp(static_cast<int>(rnd.Next() * static_cast<float>(slots)), 0, kCometSlots - 1));
    if (rnd.Next() < cf.row.CometFreq && a.CometActive[c0] == 0 && a.CometLive[c0] == 0 &&
        f.s > st.Universe_GPCtrl + 1) {
        a.CometActive[c0] = -1;
        const RadiusHeight place = PlaceStar(ctx, static_cast<int16_t>(ct));
        a.CometRadius[c0] = place.r;
        a.CometHeight[c0] = place.h;
        a.CometAngle[c0] = rnd.Next() * kTwoPi;
        a.CometAngVel[c0] = static_cast<float>((1.0 / place.r) * kTwoPi * cf.row.CometOrbit);
        const Vec3 head = CometHead(a, cf, c0);
        const float wind = WindFactor(cf, head);
        int16_t live = 0;
        for (int j = 0; j < perComet; ++j) {
            const size_t p = c0 * static_cast<size_t>(perComet) + static_cast<size_t>(j);
            if (p >= static_cast<size_t>(kCometParticles)) break;
            a.EvtPixelDrawn[p] = -1;
            a.ParticleAge[p] = 0;
            Emit(ctx, a, cf, p, head, wind);
            ++live;
        }
        a.CometLive[c0] = live;
    }

    for (int c = 0; c < slots; ++c) {
        const size_t cs = static_cast<size_t>(c);
        if (a.CometLive[cs] > 0) {
            a.CometAngle[cs] += a.CometAngVel[cs];
            const Vec3 head = CometHead(a, cf, cs);
            const float wind = WindFactor(cf, head);
            for (int j = 0; j < perComet; ++j) {
                const size_t p = cs * static_cast<size_t>(perComet) + static_cast<size_t>(j);
                if (p >= static_cast<size_t>(kCometParticles)) break;
                if (a.EvtPixelDrawn[p] == 0) continue;
                dot(a.EvtPixelX[p], a.EvtPixelY[p], 0);
                if (rnd.Next() >= cf.row.CometSPersist) {
                    if (a.CometActive[cs] == 0) {
                        a.EvtPixelDrawn[p] = 0;
                        a.CometLive[cs] = static_cast<int16_t>(a.CometLive[cs] - 1);
                    } else {
                        a.ParticleAge[p] = 0;
                        Emit(ctx, a, cf, p, head, wind);  // shown from the next frame on
                    }
                    continue;
                }
                a.ParticleX[p] += a.ParticleVX[p];
                a.ParticleY[p] += a.ParticleVY[p];
                a.ParticleZ[p] += a.ParticleVZ[p];
                const float z = a.ParticleZ[p] + gz;
                if (!(z > kMinDepth)) continue;
                PixelPoint px;
                if (ProjectPoint(ctx.Geometry, a.ParticleX[p] + gx, a.ParticleY[p] + gy, z, px)) {
                    a.EvtPixelX[p] = px.x;
                    a.EvtPixelY[p] = px.y;
                    dot(px.x, px.y, ramp[std::min<int>(a.ParticleAge[p], kRampSize - 1)]);
                }
                // The age only indexes the ramp, so it stops short of 16-bit overflow.
                if (a.ParticleAge[p] < 32766) a.ParticleAge[p] = static_cast<int16_t>(a.ParticleAge[p] + 2);
            }
        }
        if (rnd.Next() > cf.row.CometCPersist || f.s <= st.Universe_GPCtrl + 1) a.CometActive[cs] = 0;
    }
}

void ResetEventBuffer(EngineContext& ctx, RuntimeArrays& a, int16_t /*galaxyIndex*/) {
    // Every particle still on screen is erased, also when the first galaxy's core is
    // entered: particles left over there would otherwise stay frozen on the picture.
    for (size_t p = 0; p < static_cast<size_t>(kCometParticles); ++p) {
        if (a.EvtPixelDrawn[p] != 0) DrawDot(ctx, a.EvtPixelX[p], a.EvtPixelY[p], 0);
        a.EvtPixelDrawn[p] = 0;
    }
    const int ct = std::clamp<int>(ctx.CurrentGalType, 0, kGalaxyTypeCount - 1);
    a.EvtSlotStride = CometSlotCount(ctx.GalaxyTypes[static_cast<size_t>(ct)].CometStars);
    std::fill(a.CometActive.begin(), a.CometActive.end(), int16_t{0});
    std::fill(a.CometLive.begin(), a.CometLive.end(), int16_t{0});
    std::fill(a.CometRadius.begin(), a.CometRadius.end(), 0.0f);
    std::fill(a.CometHeight.begin(), a.CometHeight.end(), 0.0f);
    std::fill(a.CometAngle.begin(), a.CometAngle.end(), 0.0f);
    std::fill(a.CometAngVel.begin(), a.CometAngVel.end(), 0.0f);
}

}  // namespace astrelle
