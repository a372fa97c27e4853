// HeadlessHost: an EngineHost without windows. Its clock is a counter that moves only when
// the engine waits (by the full wait asked for) or when a test advances it, so a run of
// any length takes no real time and is reproducible. Tests hook into the event pass to
// request a stop or to simulate time spent drawing.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "engine/engine_host.h"

namespace astrelle {

class HeadlessHost : public EngineHost {
  public:
    explicit HeadlessHost(uint64_t seed = 1) : seed_(seed) {}

    uint32_t TickCount() override { return now_; }

    void ProcessEvents(uint32_t maxWaitMs) override {
        ++eventPasses_;
        if (onEvents_) onEvents_(*this);
        // Nothing arrives from outside, so the wait always runs to its end.
        now_ += maxWaitMs;
        totalWaitMs_ += maxWaitMs;
    }

    ProcessValues& Process() override { return process_; }
    bool PreviewParentExists() override { return previewParentExists_; }
    void RefreshMessage() override { ++messageRefreshes_; }
    uint64_t ClockSeed() override { return seed_; }

    // Test controls.
    void SetTick(uint32_t tick) { now_ = tick; }
    void Advance(uint32_t ms) { now_ += ms; }
    void SetSeed(uint64_t seed) { seed_ = seed; }
    void SetPreviewParentExists(bool exists) { previewParentExists_ = exists; }
    // Called at the start of every event pass (before the clock moves).
    void SetOnEvents(std::function<void(HeadlessHost&)> hook) { onEvents_ = std::move(hook); }

    uint64_t EventPasses() const { return eventPasses_; }
    uint64_t TotalWaitMs() const { return totalWaitMs_; }
    uint64_t MessageRefreshes() const { return messageRefreshes_; }

  private:
    uint32_t now_ = 0;
    uint64_t seed_;
    ProcessValues process_{};
    bool previewParentExists_ = true;
    std::function<void(HeadlessHost&)> onEvents_;
    uint64_t eventPasses_ = 0;
    uint64_t totalWaitMs_ = 0;
    uint64_t messageRefreshes_ = 0;
};

}  // namespace astrelle
