// Shared set-up of the engine tests: a context over a headless host and a surface with
// used-when-missing galaxy types, stored universes that run a cycle in a few hundred
// frames, and what a surface shows.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>
#include <string_view>
#include <utility>

#include "engine/colour.h"
#include "engine/engine_setup.h"
#include "engine/engine_state.h"
#include "engine/frame_loop.h"
#include "engine/headless_host.h"
#include "engine/pixel_surface.h"
#include "engine/star_events.h"
#include "engine/star_generation.h"
#include "settings/registry_store.h"
#include "settings/settings_store.h"
#include "settings/value_utils.h"

namespace astrelle::testing {

struct EngineFixture {
    explicit EngineFixture(int width = 800, int height = 600, uint64_t seed = 1);

    HeadlessHost host;
    PixelSurface surface;
    GalaxyTypeTable types{};
    CompositeTable composites{};
    EngineContext ctx;
};

using Pixels = std::set<std::pair<int, int>>;
// Sees every frame of a run; the run ends at the first frame it returns true for.
using FrameLook = std::function<bool(EngineContext&, RuntimeArrays&, const UniverseFrame&)>;

// The used-when-missing values of a galaxy type row, in setting units, with weight 10.
inline GalaxyTypeRecord DefaultTypeRow() {
    GalaxyTypeRecord r;
    for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
        if (int16_t* v = Int16Field(r, def)) *v = ParseInt16Or(def.missingText, 0);
        if (float* v = FloatField(r, def)) *v = ParseFloatOr(def.missingText, 0.0f);
    }
    r.Weight = 10;
    return r;
}

inline EngineFixture::EngineFixture(int width, int height, uint64_t seed)
    : host(seed), surface(width, height), ctx(host, surface, types, composites) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) types[static_cast<size_t>(t)] = DefaultTypeRow();
    ComputeGeometry(ctx.Geometry, width, height, 1.0f, 1);
    ctx.Random.Seed(seed);
    BuildHueTable(ctx);
    BuildAllHueRamps(ctx, -1, -1, 180, 225);
}

inline Pixels LitSet(const PixelSurface& surface) {
    Pixels out;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.GetPixel(x, y) != 0) out.insert({x, y});
        }
    }
    return out;
}

// Stores "Key=text Key=text ..." (texts without blanks) in the section of each key.
inline void Store(SettingsStore& store, std::string_view settings) {
    while (!settings.empty()) {
        const std::string_view item = settings.substr(0, settings.find(' '));
        settings.remove_prefix(std::min(settings.size(), item.size() + 1));
        const SettingDef* def = FindSetting(item.substr(0, item.find('=')));
        store.WriteText(SectionOf(*def), def->key, item.substr(item.find('=') + 1));
    }
}

// Stores the factory galaxy types as the saver's first run would.
inline void StoreFactoryTypes(SettingsStore& store) {
    GalaxyTypeTable table{};
    EnsureFirstRunGalaxyTypes(store, table);
    WriteFirstRunMarker(store);
}

// 3 objects of the factory types, 300 stars, 20 ambient stars, 12 creation frames, 4
// frames a control step, no frame delay; overrides win.
inline void StoreSmallUniverse(SettingsStore& store, std::string_view overrides = "") {
    Store(store,
          "Adv_TimeDelay=0 Universe_Stars=300 Universe_Galaxy=3 Universe_STrail=2 Universe_ESteps=12 "
          "Universe_GSteps=4 Universe_GPCtrl=1 Universe_GCCtrl=2 Universe_AmStar=20");
    StoreFactoryTypes(store);
    Store(store, overrides);
}

// The small universe through the window's host sequence.
inline void RunSmallUniverse(EngineFixture& f, std::string_view overrides, const FrameLook& look) {
    MemorySettingsStore store;
    StoreSmallUniverse(store, overrides);
    RunSaverHostSequence(f.ctx, store, HostKind::Window,
                         [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
                             if (look(ctx, a, fr)) ctx.Host.Process().StopRequested = kTrue16;
                         });
}

}  // namespace astrelle::testing
