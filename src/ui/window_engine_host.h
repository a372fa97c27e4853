// The engine's host inside a dialog: ticks from the monotonic clock, and the wait for the
// next frame spent asleep in the Qt event loop (never spinning), with a hook that hands
// the finished frame to the widget that shows it. The welcome window's galaxy show and
// the credits window pace their frames through it.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

#include "engine/engine_host.h"

namespace astrelle {

class WindowEngineHost : public QObject, public EngineHost {
    Q_OBJECT
  public:
    // present is called at the start of every event pass (may be empty).
    WindowEngineHost(ProcessValues& process, std::function<void()> present = {}, QObject* parent = nullptr);

    uint32_t TickCount() override;
    // Presents the frame, then handles pending events; when none is pending it sleeps in
    // the event loop until one arrives or maxWaitMs have passed.
    void ProcessEvents(uint32_t maxWaitMs) override;
    ProcessValues& Process() override { return process_; }
    bool PreviewParentExists() override { return true; }
    void RefreshMessage() override {}
    uint64_t ClockSeed() override;

    void SetPresent(std::function<void()> present) { present_ = std::move(present); }

  private:
    ProcessValues& process_;
    std::function<void()> present_;
    QTimer wake_;
};

}  // namespace astrelle
