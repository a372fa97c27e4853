// CreateUniverse: type choice, birth stars, the creation frames and the final joining.
#include "engine/universe_creation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/ambient_stars.h"
#include "engine/fast_trig.h"
#include "engine/projection.h"
#include "engine/star_events.h"
#include "engine/star_generation.h"
#include "settings/rounding.h"

namespace astrelle {

namespace {

enum BirthStateValue : int16_t { kInFlight = 0, kFading = 1, kMember = 2 };

// Int(U x count), kept inside 0..count-1.
int32_t RandomIndex(RandomSource& random, int32_t count) {
    const int32_t i = static_cast<int32_t>(random.Next() * static_cast<float>(count));
    return std::clamp(i, 0, std::max(0, count - 1));
}

// Rows 32..47 stand for the composite types: they carry the composite weights and are
// marked as composites while they have a weight; rows 0..31 are plain types.
void PrepareWeights(EngineContext& ctx, RuntimeArrays& a, int32_t& total) {
    GalaxyTypeTable& rows = ctx.GalaxyTypes;
    for (int t = 0; t < kGalaxyTypeCount; ++t) rows[static_cast<size_t>(t)].CompositeFlag = kFalse16;
    for (int c = 0; c < kCompositeCount; ++c) {
        GalaxyTypeRecord& row = rows[static_cast<size_t>(kGalaxyTypeCount + c)];
        row.Weight = ctx.Composites[static_cast<size_t>(c)].Weight;
        row.CompositeFlag = row.Weight > 0 ? kTrue16 : kFalse16;
    }
    int32_t sum = 0;
    for (size_t t = 0; t < static_cast<size_t>(kGalaxyTableRows); ++t) {
        sum += rows[t].Weight;
        a.TypeWeightSum[t] = sum;
    }
    total = sum;
    if (total == 0) {
        // Nothing weighted: every object becomes type 0.
        total = 1;
        a.TypeWeightSum[0] = 1;
    }
}

int16_t TypeByWeight(EngineContext& ctx, const RuntimeArrays& a, int32_t total) {
    const float v = ctx.Random.Next() * static_cast<float>(total);
    for (int t = 0; t < kGalaxyTableRows; ++t) {
        if (v <= static_cast<float>(a.TypeWeightSum[static_cast<size_t>(t)])) return static_cast<int16_t>(t);
    }
    return 0;  // not reached: v never exceeds the total
}

// The next row with a weight, from the cursor on, wrapping after row 47.
int16_t NextTypeInSequence(const EngineContext& ctx, int& cursor) {
    for (int n = 0; n < kGalaxyTableRows && ctx.GalaxyTypes[static_cast<size_t>(cursor)].Weight == 0; ++n) {
        cursor = (cursor + 1) % kGalaxyTableRows;
    }
    const int16_t type = static_cast<int16_t>(cursor);
    cursor = (cursor + 1) % kGalaxyTableRows;
    return type;
}

// A birth star joins a random galaxy object as a star of that object's type.
void JoinGalaxy(EngineContext& ctx, RuntimeArrays& a, int32_t s, bool hueFromWheel) {
    const size_t i = static_cast<size_t>(s);
    a.StarGalaxy[i] = static_cast<int16_t>(RandomIndex(ctx.Random, a.GalaxyCount));
    const int16_t type = ChooseStarType(ctx, a, s);
    a.StarType[i] = type;
    const float hue = hueFromWheel ? a.TypeHueAngle[static_cast<size_t>(type)]
                                   : static_cast<float>(ctx.GalaxyTypes[static_cast<size_t>(type)].HueStart);
    GenerateStar(ctx, a, s, type, hue);
}

// The short wait after a creation frame in the preview box: events are processed until
// the tick count has moved on, handing the wait to the host instead of spinning.
void PauseTick(EngineHost& host) {
    const uint32_t start = host.TickCount();
    do {
        host.ProcessEvents(1);
    } while (host.TickCount() == start);
}

// One creation frame of every birth star: in flight it moves on and draws its trail in the
// flight colour; after it drops out its trail fades entry by entry until it joins a
// galaxy object; as a member it orbits like any star of a galaxy frame. Its velocity
// slows by m whatever its state.
void StepBirthStars(EngineContext& ctx, RuntimeArrays& a, int32_t e, int32_t q, float m,
                    uint32_t flightColour) {
    const int32_t S = a.StarCount;
    const int32_t T = a.TrailLength;
    const float persist = ctx.Settings.Universe_Persist;
    const EngineGeometry geo = ctx.Geometry;
    int16_t axisPlane[kGalaxyTypeCount];
    for (int k = 0; k < kGalaxyTypeCount; ++k) {
        axisPlane[k] = ctx.GalaxyTypes[static_cast<size_t>(k)].AxisPlane;
    }
    const DotWriter dot(ctx);
    const size_t cursorOffset = static_cast<size_t>(a.TrailCursor);
    for (int32_t star = 0; star < S; ++star) {
        const size_t s = static_cast<size_t>(star);
        const size_t slot = s * static_cast<size_t>(T) + cursorOffset;
        switch (a.BirthState[s]) {
            case kInFlight: {
                a.BirthAge[s] += 1;
                if (a.BirthAge[s] > T) dot(a.TrailX[slot], a.TrailY[slot], 0);
                const float u = ctx.Random.Next();
                if (u >= persist && e >= q) {
                    a.BirthState[s] = kFading;
                    a.BirthAge[s] = 0;
                    break;
                }
                a.BirthZ[s] += a.BirthVelZ[s];
                if (!(a.BirthZ[s] > kMinDepth)) break;  // behind the camera: only z moves
                a.BirthX[s] += a.BirthVelX[s];
                a.BirthY[s] += a.BirthVelY[s];
                PixelPoint p;
                if (!ProjectPoint(geo, a.BirthX[s], a.BirthY[s], a.BirthZ[s], p)) break;
                a.TrailX[slot] = p.x;
                a.TrailY[slot] = p.y;
                dot(p.x, p.y, flightColour);
                break;
            }
            case kFading:
                a.BirthAge[s] += 1;
                dot(a.TrailX[slot], a.TrailY[slot], 0);
                if (a.BirthAge[s] == T) {
                    a.BirthState[s] = kMember;
                    JoinGalaxy(ctx, a, star, true);
                }
                break;
            default: {
                a.StarAge[s] += 1;
                dot(a.TrailX[slot], a.TrailY[slot], 0);
                a.StarAngle[s] += a.StarAngVel[s];
                const size_t type = static_cast<size_t>(a.StarType[s]);
                const size_t gal = static_cast<size_t>(a.StarGalaxy[s]);
                const Vec3 v = RotateStar(a.StarRadius[s], a.StarAngle[s], a.StarHeight[s],
                                          a.TypeSpinSin[type], a.TypeSpinCos[type], axisPlane[type],
                                          a.GalViewX[gal], a.GalViewY[gal], a.GalViewZ[gal]);
                if (!(v.z > kMinDepth)) break;
                PixelPoint p;
                if (!ProjectPoint(geo, v.x, v.y, v.z, p)) break;
                a.TrailX[slot] = p.x;
                a.TrailY[slot] = p.y;
                dot(p.x, p.y, a.StarColor[s]);
                break;
            }
        }
        a.BirthVelX[s] *= m;
        a.BirthVelY[s] *= m;
        a.BirthVelZ[s] *= m;
    }
}

}  // namespace

bool CreateUniverse(EngineContext& ctx, RuntimeArrays& a, FrameReporter& report) {
    const EngineSettings& st = ctx.Settings;
    const int32_t S = a.StarCount;
    const int32_t G = a.GalaxyCount;
    const int32_t T = a.TrailLength;
    if (a.BirthX.size() != static_cast<size_t>(S) || a.GalDriftX.size() != static_cast<size_t>(G)) {
        a.AllocateCreation();  // only when the caller did not size them for this run
    }

    // 1. From frame q on stars may drop out of the flight; the damping fades in the last
    //    quarter.
    const int32_t E = std::max<int32_t>(1, st.Universe_ESteps);
    const double fadeStart = 0.75 * E;
    const int32_t q = static_cast<int32_t>(RoundHalfEven(E * 0.25));
    float m = st.Universe_Damping;
    a.TrailCursor = 0;
    a.ExpandStep = st.Universe_Expand;
    a.ExpandRadius = st.Universe_Expand;
    const float D = st.Universe_DstCen;
    const float W = st.Universe_Symetry;

    // 2. Weights.
    int32_t total = 0;
    PrepareWeights(ctx, a, total);

    // 3. Birth stars start at the universe centre, each with its own flight velocity.
    for (size_t s = 0; s < static_cast<size_t>(S); ++s) {
        a.BirthState[s] = kInFlight;
        a.BirthAge[s] = 0;
        a.BirthX[s] = 0.0f;
        a.BirthY[s] = 0.0f;
        a.BirthZ[s] = D;
        const Vec3 v = PlaceInUniverse(ctx, st.Universe_Expand, W);
        a.BirthVelX[s] = v.x;
        a.BirthVelY[s] = v.y;
        a.BirthVelZ[s] = v.z;
    }

    // 4. Ambient stars too.
    for (size_t i = 0; i < static_cast<size_t>(a.AmbientCount); ++i) {
        a.AmbAge[i] = 0.0f;
        a.AmbX[i] = 0.0f;
        a.AmbY[i] = 0.0f;
        a.AmbZ[i] = D;
        a.AmbFlareLeft[i] = 0;
        const Vec3 v = PlaceInUniverse(ctx, st.Universe_Expand, W);
        a.AmbDeltaX[i] = v.x;
        a.AmbDeltaY[i] = v.y;
        a.AmbDeltaZ[i] = v.z;
    }

    // 5. Galaxy objects: a type each, and the place and drift of a source star.
    int cursor = 0;
    for (int32_t g = 0; g < G; ++g) {
        const size_t gi = static_cast<size_t>(g);
        if (st.Universe_GVisit == 0) {
            a.GalType[gi] = TypeByWeight(ctx, a, total);
        } else if (a.TypeWeightSum[0] == 1 && total == 1) {
            a.GalType[gi] = 0;
        } else {
            a.GalType[gi] = NextTypeInSequence(ctx, cursor);
        }
        const size_t k = static_cast<size_t>(S >= G ? g : RandomIndex(ctx.Random, S));
        a.GalViewX[gi] = a.BirthX[k];
        a.GalViewY[gi] = a.BirthY[k];
        a.GalViewZ[gi] = a.BirthZ[k];
        a.GalDriftX[gi] = a.BirthVelX[k];
        a.GalDriftY[gi] = a.BirthVelY[k];
        a.GalDriftZ[gi] = a.BirthVelZ[k];
    }

    // 6. Every type's spin starts at its tilt.
    for (size_t t = 0; t < static_cast<size_t>(kGalaxyTypeCount); ++t) {
        a.TypeSpinAngle[t] = ctx.GalaxyTypes[t].AngleTilt;
    }

    // 7. The creation frames.
    const bool inPreviewBox = ctx.Host.Process().RunMode == RunModeValue::Preview;

    AmbientFrame ambient;
    ambient.D = D;
    ambient.W = W;
    ambient.persist = st.Universe_AmPers;
    ambient.ageStep = st.Universe_AmCAge;
    ambient.mode = AmbientMode::Creation;

    for (int32_t e = 0; e < E; ++e) {
        ctx.FrameStartTick = ctx.Host.TickCount();

        for (size_t g = 0; g < static_cast<size_t>(G); ++g) {
            a.GalViewX[g] += a.GalDriftX[g];
            a.GalViewY[g] += a.GalDriftY[g];
            a.GalViewZ[g] += a.GalDriftZ[g];
            a.GalDriftX[g] *= m;
            a.GalDriftY[g] *= m;
            a.GalDriftZ[g] *= m;
        }

        StepTypeSpin(ctx.GalaxyTypes, a);

        const int32_t rampIndex =
            std::min<int32_t>(kRampSize - 1, static_cast<int32_t>(RoundHalfEven(e * 100.0 / E)));
        const uint32_t flightColour = ctx.UniverseHueRamp[static_cast<size_t>(rampIndex)];

        StepBirthStars(ctx, a, e, q, m, flightColour);

        if (m > 0.0f) {
            for (size_t i = 0; i < static_cast<size_t>(a.AmbientCount); ++i) {
                a.AmbDeltaX[i] *= m;
                a.AmbDeltaY[i] *= m;
                a.AmbDeltaZ[i] *= m;
            }
        }
        a.ExpandStep *= m;
        a.ExpandRadius += a.ExpandStep;
        ambient.expandRadius = a.ExpandRadius;
        ambient.expandStep = a.ExpandStep;
        UpdateAmbientStars(ctx, a, ambient);

        // Over the last quarter the flight slows to rest along a quarter cosine.
        if (e > fadeStart) {
            double sine = 0.0;
            double cosine = 0.0;
            SinCosAnyAngle(static_cast<double>(kPi) / 2.0 * (e - fadeStart) / (0.25 * E), sine, cosine);
            m = static_cast<float>(st.Universe_Damping * cosine);
        }
        a.TrailCursor = (a.TrailCursor + 1) % T;

        UniverseFrame& f = report.Frame();
        f.phase = UniversePhase::Creation;
        f.creationFrame = e;
        f.g = 0;
        f.k = 0;
        f.t = 0.0f;
        report.Report(ctx, a);
        if (EndOfFrame(ctx)) return true;
        if (e > 0 && inPreviewBox) PauseTick(ctx.Host);
    }

    // 8. Stars still in flight or fading join a galaxy object now.
    for (int32_t s = 0; s < S; ++s) {
        if (a.BirthState[static_cast<size_t>(s)] != kMember) JoinGalaxy(ctx, a, s, false);
    }
    return false;
}

}  // namespace astrelle
