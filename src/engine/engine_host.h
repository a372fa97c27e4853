// EngineHost: everything the engine needs from the world outside it. The engine never
// sleeps, blocks or spins; it asks its host for the time, hands it the wait until the
// next frame is due, and reads the stop flags through it. Window hosts implement this
// over their event loop; HeadlessHost (headless_host.h) drives tests and tools.
#pragma once

#include <cstdint>

#include "engine/process_values.h"

namespace astrelle {

class EngineHost {
  public:
    virtual ~EngineHost() = default;

    // Millisecond tick count. It wraps at 2^32; the engine only ever looks at differences.
    virtual uint32_t TickCount() = 0;

    // Processes every pending window event and, when none is pending, waits at most
    // maxWaitMs for one to arrive (returning as soon as one has been handled). With 0 it
    // processes what is pending and returns at once. Input handlers run nested in here
    // and talk to the engine only through the stop flags of Process().
    virtual void ProcessEvents(uint32_t maxWaitMs) = 0;

    // The process-wide values: RunMode, StopRequested, PreviewStopRequested, ...
    virtual ProcessValues& Process() = 0;

    // False once the window that a preview box run ("/P") draws into has gone away.
    virtual bool PreviewParentExists() = 0;

    // Redraws the lock message over the animation (does nothing where none is shown).
    virtual void RefreshMessage() = 0;

    // A seed for the random source; a window host derives it from the clock, a headless
    // host returns a fixed one so that runs are reproducible.
    virtual uint64_t ClockSeed() = 0;
};

}  // namespace astrelle
