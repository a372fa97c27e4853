// Star creation and the random placement rules. Powers and envelopes are evaluated in
// double precision and stored as single floats, as the stored shapes were tuned with.
#include "engine/star_generation.h"

#include <algorithm>
#include <cmath>

#include "engine/colour.h"
#include "engine/portable_math.h"
#include "settings/rounding.h"

namespace astrelle {

namespace {

constexpr double kEnvelopeScale = static_cast<double>(0.714f);  // 0.7139999866...
constexpr double kRadiusEpsilon = 0.000000001;

double Root(double v) {
    return std::sqrt(std::max(0.0, v));
}

int TableIndex(RandomSource& random) {
    return static_cast<int>(RoundHalfEven(static_cast<double>(random.Next()) * 1000.0));
}

}  // namespace

double ProfileEnvelope(int16_t profile, double r, double R) {
    // A radius of 0 is a point with no height. The first profiles divide by R, and a
    // universe that does not expand (Universe_Expand 0) places everything at radius 0.
    if (R == 0.0) return 0.0;
    switch (profile) {
        case 0: {
            const double bulge = 0.0625 * (R / kEnvelopeScale) * (R / kEnvelopeScale);
            if (r <= 0.25 * R) return Root(bulge - r * r) * (4.0 / R) * kEnvelopeScale * R;
            if (r <= 0.5 * R) {
                const double d = 0.5 * R - r;
                return (1.4 - Root(bulge - d * d) * (4.0 / R) * kEnvelopeScale) * R;
            }
            const double d = r - 0.5 * R;
            return Root(0.25 * R * R - d * d) * 0.4 * (2.0 / R) * R;
        }
        case 1: {
            if (r < 0.1 * R) return ((10.0 / R) * 0.25 * Root(0.01 * R * R - r * r) + 0.75) * R;
            if (r < 0.75 * R) {
                const double d = 0.85 * R - r - 0.1 * R;
                return (1.0 - Root(0.65 * R * R * 0.65 - d * d) / (0.65 * R)) * 0.5 * R + 0.25 * R;
            }
            const double d = r - 0.75 * R;
            return Root(0.0625 * R * R - d * d);
        }
        case 2:
            return Root(R * R - r * r);
        case 3:
            return R - r;
        case 4:
            return R - Root(R * R - (R - r) * (R - r));
        case 5:
            return R - Root(R * R - r * r);
        case 6:
            return Root(R * R - (R - r) * (R - r));
        default:
            return 0.0;
    }
}

float ProfileHeight(RandomSource& random, int16_t profile, float r, float R) {
    const double envelope = ProfileEnvelope(profile, r, R);
    const float sign = Sign(random.Next() - 0.5f);
    return static_cast<float>(sign * envelope);
}

RadiusHeight PlaceStar(EngineContext& ctx, int16_t type) {
    const GalaxyTypeRecord& row = ctx.GalaxyTypes[static_cast<size_t>(type)];
    RadiusHeight out;
    out.r = static_cast<float>(row.Radius * Power(ctx.Random.Next(), row.RadiusExp) + kRadiusEpsilon);
    const float envelope = ProfileHeight(ctx.Random, row.Profile, out.r, row.Radius);
    out.h = static_cast<float>(Power(ctx.Random.Next(), row.HeightExp) * envelope * row.GHWRatio);
    return out;
}

void GenerateStar(EngineContext& ctx, RuntimeArrays& a, int32_t i, int16_t type, float hueOffset) {
    const size_t s = static_cast<size_t>(i);
    const RadiusHeight place = PlaceStar(ctx, type);
    a.StarRadius[s] = place.r;
    a.StarHeight[s] = place.h;
    a.StarAngle[s] = ctx.Random.Next() * kTwoPi;
    const double rotation = ctx.GalaxyTypes[static_cast<size_t>(type)].Rotation;
    a.StarAngVel[s] = static_cast<float>((1.0 / (place.r + kRadiusEpsilon)) * kTwoPi * rotation);
    a.StarAge[s] = 0;
    a.StarRebirthWait[s] = 0;
    a.StarNewLeft[s] = 0;
    a.StarNovaLeft[s] = 0;
    StarHue(ctx, type, place.r, place.h, a.StarAngVel[s], hueOffset, a.StarColor[s]);
}

Vec3 PlaceInUniverse(EngineContext& ctx, float radius, float m) {
    const EngineSettings& st = ctx.Settings;
    Vec3 p;
    if (st.Universe_Profile != 2) {
        RandomSource& rnd = ctx.Random;
        const float rho = rnd.Next() * radius;
        const int k = TableIndex(rnd);
        p.x = ctx.Trig.CosTable[static_cast<size_t>(k)] * rho * ctx.Geometry.AspectHW;
        p.y = ProfileHeight(rnd, st.Universe_Profile, rho, radius);
        p.z = Sign(rnd.Next() - 0.5f) * (ctx.Trig.SinTable[static_cast<size_t>(k)] * rho);
        const float f = (1.0f - m) * rnd.Next();
        p.x *= f + m;
        p.y *= f + m;
        p.z *= f + m;
    } else {
        p = RandomOnSphere(ctx, ((1.0f - m) * ctx.Random.Next() + m) * radius);
    }
    p.y *= st.Universe_HWRatio;
    return p;
}

Vec3 RandomOnSphere(EngineContext& ctx, float radius) {
    const int k1 = TableIndex(ctx.Random);
    const int k2 = TableIndex(ctx.Random);
    const float sin1 = ctx.Trig.SinTable[static_cast<size_t>(k1)];
    Vec3 p;
    p.x = radius * ctx.Trig.CosTable[static_cast<size_t>(k2)] * sin1 * ctx.Geometry.AspectHW;
    p.y = Sign(ctx.Random.Next() - 0.5f) * (radius * ctx.Trig.SinTable[static_cast<size_t>(k2)] * sin1);
    p.z = radius * ctx.Trig.CosTable[static_cast<size_t>(k1)];
    return p;
}

Vec3 RandomInBall(RandomSource& random, float radius) {
    if (!std::isfinite(radius)) radius = 0.0f;
    radius = std::fabs(radius);
    Vec3 p;
    do {
        p.x = (2.0f * random.Next() - 1.0f) * radius;
        p.y = (2.0f * random.Next() - 1.0f) * radius;
        p.z = (2.0f * random.Next() - 1.0f) * radius;
    } while (std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z) > radius);
    return p;
}

Vec3 RandomInShellBlend(EngineContext& ctx, float radius, float m) {
    Vec3 p = RandomInBall(ctx.Random, radius);
    const float d = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    const float s = static_cast<float>(radius / (d + kRadiusEpsilon) * m);
    const float keep = 1.0f - m;
    p.x = (p.x * s + keep * p.x) * ctx.Geometry.AspectHW;
    p.y = p.y * s + keep * p.y;
    p.z = p.z * s + keep * p.z;
    return p;
}

}  // namespace astrelle
