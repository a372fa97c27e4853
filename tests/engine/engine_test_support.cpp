// Engine test set-up helpers.
#include "engine_test_support.h"

#include "engine/engine_setup.h"
#include "engine/frame_loop.h"
#include "engine/projection.h"
#include "engine/star_events.h"
#include "engine/star_generation.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/value_utils.h"

namespace astrelle::testing {

GalaxyTypeRecord DefaultTypeRow() {
    GalaxyTypeRecord r;
    for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
        if (int16_t* v = Int16Field(r, def)) *v = ParseInt16Or(def.missingText, 0);
        if (float* v = FloatField(r, def)) *v = ParseFloatOr(def.missingText, 0.0f);
    }
    r.Weight = 10;
    return r;
}

GalaxyTypeRecord StandardGalaxyRow() {
    GalaxyTypeTable table{};
    LoadFactoryGalaxyType(table, 0);
    return table[0];
}

EngineFixture::EngineFixture(int width, int height, uint64_t seed)
    : host(seed), surface(width, height), ctx(host, surface, types, composites) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) types[static_cast<size_t>(t)] = DefaultTypeRow();
    ComputeGeometry(ctx.Geometry, width, height, 1.0f, 1);
    ctx.Random.Seed(seed);
    BuildHueTable(ctx);
    BuildAllHueRamps(ctx, -1, -1, 180, 225);
}

void PopulateOneGalaxy(EngineContext& ctx, RuntimeArrays& a, int16_t type, int32_t stars, int32_t trail,
                       float dist) {
    a.Allocate(stars, trail, 1, 0);
    a.GalType[0] = type;
    a.GalViewZ[0] = dist;
    ctx.CurrentGalType = type;
    for (size_t t = 0; t < static_cast<size_t>(kGalaxyTypeCount); ++t) {
        a.TypeHueAngle[t] = ctx.GalaxyTypes[t].HueStart;
        a.TypeSpinAngle[t] = ctx.GalaxyTypes[t].AngleTilt;
    }
    for (int32_t s = 0; s < a.StarCount; ++s) {
        a.StarType[static_cast<size_t>(s)] = type;
        GenerateStar(ctx, a, s, type, a.TypeHueAngle[static_cast<size_t>(type)]);
    }
    a.EvtSlotStride = CometSlotCount(ctx.GalaxyTypes[static_cast<size_t>(type)].CometStars);
    StepTypeSpin(ctx.GalaxyTypes, a);
}

void EraseEverythingShown(EngineContext& ctx, RuntimeArrays& a) {
    for (size_t i = 0; i < static_cast<size_t>(a.StarCount); ++i) {
        if (a.StarNewLeft[i] >= 1) {
            if (a.BurstZ[i] > kMinDepth) {
                DrawNewStarBurst(ctx, a.BurstX[i], a.BurstY[i], a.BurstZ[i], a.StarNewLeft[i],
                                 a.BurstFrames[i], a.BurstExt[i], 0);
            }
        } else if (a.StarNovaLeft[i] >= 1) {
            if (a.NovaZ[i] > kMinDepth) {
                DrawNovaBurst(ctx, a.NovaX[i], a.NovaY[i], a.NovaZ[i], a.StarNovaLeft[i], 0, a.BurstFrames[i],
                              a.BurstExt[i]);
            }
        } else {
            for (size_t k = 0; k < static_cast<size_t>(a.TrailLength); ++k) {
                const size_t j = i * static_cast<size_t>(a.TrailLength) + k;
                DrawDot(ctx, a.TrailX[j], a.TrailY[j], 0);
            }
        }
    }
    for (size_t p = 0; p < static_cast<size_t>(kCometParticles); ++p) {
        if (a.EvtPixelDrawn[p] != 0) DrawDot(ctx, a.EvtPixelX[p], a.EvtPixelY[p], 0);
    }
    for (size_t i = 0; i < static_cast<size_t>(a.AmbientCount); ++i) {
        if (a.AmbFlareLeft[i] == 0) {
            DrawDot(ctx, a.AmbScreenX[i], a.AmbScreenY[i], 0);
        } else if (a.AmbZ[i] > kMinDepth) {
            DrawNewStarBurst(ctx, a.AmbScreenX[i], a.AmbScreenY[i], a.AmbZ[i], a.AmbFlareLeft[i],
                             ctx.Settings.Universe_AmFrames, ctx.Settings.Universe_AmMaxExt, 0);
        }
    }
}

int64_t LitPixels(const PixelSurface& surface) {
    int64_t n = 0;
    const uint32_t* p = surface.NativePixels();
    const int64_t count = static_cast<int64_t>(surface.Width()) * surface.Height();
    for (int64_t k = 0; k < count; ++k) n += p[k] != 0 ? 1 : 0;
    return n;
}

Pixels LitSet(const PixelSurface& surface) {
    Pixels out;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.GetPixel(x, y) != 0) out.insert({x, y});
        }
    }
    return out;
}

void Store(SettingsStore& store, StoredValues values) {
    for (const auto& [key, text] : values) {
        const SettingDef* def = FindSetting(key);
        store.WriteText(SectionOf(*def), def->key, text);
    }
}

void StoreSmallUniverse(SettingsStore& store, StoredValues overrides) {
    Store(store, {{"Adv_TimeDelay", "0"},
                  {"Universe_Stars", "300"},
                  {"Universe_Galaxy", "3"},
                  {"Universe_STrail", "2"},
                  {"Universe_ESteps", "12"},
                  {"Universe_GSteps", "4"},
                  {"Universe_GPCtrl", "1"},
                  {"Universe_GCCtrl", "2"},
                  {"Universe_AmStar", "20"}});
    StoreFactoryTypes(store);
    Store(store, overrides);
}

void RunSmallUniverse(EngineFixture& f, StoredValues overrides, const FrameLook& look) {
    MemorySettingsStore store;
    StoreSmallUniverse(store, overrides);
    RunSaverHostSequence(f.ctx, store, HostKind::Window,
                         [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
                             if (look(ctx, a, fr)) ctx.Host.Process().StopRequested = kTrue16;
                         });
}

void StoreFactoryTypes(SettingsStore& store) {
    GalaxyTypeTable table{};
    EnsureFirstRunGalaxyTypes(store, table);
    WriteFirstRunMarker(store);
}

}  // namespace astrelle::testing
