// Shared set-up of the engine tests: hand-built galaxy type rows, a context over a
// headless host and an 800 x 600 surface, a one-galaxy population, and the helper that
// erases everything the engine still shows.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <set>
#include <string_view>
#include <utility>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/frame_loop.h"
#include "engine/headless_host.h"
#include "engine/pixel_surface.h"
#include "settings/settings_store.h"

namespace astrelle::testing {

// The used-when-missing values of a galaxy type row, in setting units.
GalaxyTypeRecord DefaultTypeRow();

// The factory "Standard Galaxy" row (in setting units).
GalaxyTypeRecord StandardGalaxyRow();

struct EngineFixture {
    explicit EngineFixture(int width = 800, int height = 600, uint64_t seed = 1);

    HeadlessHost host;
    PixelSurface surface;
    GalaxyTypeTable types{};
    CompositeTable composites{};
    EngineContext ctx;
};

// Allocates arrays for one galaxy object of the given type (engine units must already be
// in force) at depth dist straight ahead, generates every star and sets the spin values.
void PopulateOneGalaxy(EngineContext& ctx, RuntimeArrays& a, int16_t type, int32_t stars, int32_t trail,
                       float dist);

// Draws in black everything the arrays say is still on the surface: trails, sparkles,
// novas, comet particles and ambient stars.
void EraseEverythingShown(EngineContext& ctx, RuntimeArrays& a);

// Number of pixels that are not black, and where they are.
int64_t LitPixels(const PixelSurface& surface);
using Pixels = std::set<std::pair<int, int>>;
Pixels LitSet(const PixelSurface& surface);

using StoredValues = std::initializer_list<std::pair<std::string_view, std::string_view>>;

// Stores the texts under their keys in the section of each key's definition.
void Store(SettingsStore& store, StoredValues values);

// A universe that runs a whole cycle in a few hundred frames: 3 galaxy objects of the
// factory types, 300 stars, 20 ambient stars, 12 creation frames, 4 frames a control
// step, no frame delay. Stored in the store as a user would store it; overrides win.
void StoreSmallUniverse(SettingsStore& store, StoredValues overrides = {});

// Runs the small universe with the overrides through the window's host sequence and hands
// every frame to look; the run ends at the first frame look returns true for.
using FrameLook = std::function<bool(EngineContext&, RuntimeArrays&, const UniverseFrame&)>;
void RunSmallUniverse(EngineFixture& f, StoredValues overrides, const FrameLook& look);

// Stores the factory galaxy types as the saver's first run would.
void StoreFactoryTypes(SettingsStore& store);

// Counts every operator new of the test program from the first call to the second, which
// gives the count (allocation_test.cpp replaces operator new).
void StartCountingAllocations();
long StopCountingAllocations();

}  // namespace astrelle::testing
