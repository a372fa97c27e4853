// Engine set-up: what a window that hosts the animation does before and around every run
// of the frame loop. The settings come from the store handed in (the settings file, a
// template imported into memory, or a store built for a test), never from a file here.
//
// A window host calls RunSaverHostSequence from the handler that shows the animation and
// returns to its own teardown when it comes back (StopRequested is then set):
//   - full-screen saver ("/S") and the windowed program: HostKind::Window, after sizing
//     ctx.Surface to the window's inner size in pixels and setting RunMode;
//   - preview box ("/P"): HostKind::PreviewBox, with RunMode = Preview, so that every
//     frame also checks that the preview box still exists.
// Input handlers, run nested in the host's ProcessEvents, end the run by setting
// StopRequested. The lock message is the host's to draw (EngineHost::RefreshMessage) from
// ctx.Settings.MessageText, MessageFontName, MessageFontSize and MessageHue.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"
#include "engine/frame_loop.h"
#include "settings/settings_store.h"

namespace astrelle {

// How a host measures its drawing area: the windows in pixels, the preview's picture in
// logical units (twips, TwipsPerPixelX / Y of them to a pixel).
enum class SizeUnits : uint8_t { Pixels, Twips };

// Which window hosts the run.
enum class HostKind : uint8_t {
    Window,      // full-screen saver or windowed program: first-run check, lock message, clears
    PreviewBox,  // the display settings' preview box: fewer stars, no message, no clears
};

// Reads Adv_TimeDelay (as stored), PixelSize (1..9), FocalLength (0.01..9999), the lock
// message font (an empty name gives "MS Sans Serif"; size 10..80, hue 0..359) and
// LockMessage (trimmed, then its first 50 characters), and derives the geometry from the
// inner size of the drawing area, converted from twips to pixels where it is measured so.
void LoadDisplaySettings(EngineContext& ctx, SettingsStore& store, int32_t innerWidth, int32_t innerHeight,
                         SizeUnits units);

// Reads the universe settings as stored (the frame loop holds them to their ranges), in
// the preview box with 0.65 of the stars and half the ambient stars; loads the 32 galaxy
// type rows and 16 composite rows, each held to its ranges; builds the per-type colour
// tables and the hue ramps.
void LoadUniverseSettings(EngineContext& ctx, SettingsStore& store, HostKind kind);

// Clears the drawing surface to black before a run.
void PrepareSurface(EngineContext& ctx);

// The whole life of an animation in a host window: clears StopRequested, loads the display
// settings for ctx.Surface's size, (Window only) stores the factory galaxy types when the
// settings have never been written, seeds the random source from the host's clock seed,
// and then runs LoadUniverseSettings, PrepareSurface and RunUniverse until StopRequested.
// A change saved by the properties dialog takes effect at the next run.
void RunSaverHostSequence(EngineContext& ctx, SettingsStore& store, HostKind kind,
                          const UniverseObserver& observer = {});

}  // namespace astrelle
