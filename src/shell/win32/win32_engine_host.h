// The engine's host in the Windows saver: millisecond ticks from the platform clock, and a
// wait for the next frame that sleeps in MsgWaitForMultipleObjectsEx on a high-resolution
// waitable timer until the frame is due or a message arrives (never spinning). Every event
// pass first presents the finished frame; messages are dispatched to the saver window,
// whose handlers set the stop flags.
#pragma once

#include <windows.h>

#include "engine/engine_host.h"
#include "engine/engine_state.h"
#include "platform/win32/message_wait.h"
#include "shell/win32/saver_window.h"

namespace astrelle::win32 {

class Win32EngineHost final : public EngineHost {
  public:
    Win32EngineHost(ProcessValues& process, SaverWindow& window);
    ~Win32EngineHost() override;
    Win32EngineHost(const Win32EngineHost&) = delete;
    Win32EngineHost& operator=(const Win32EngineHost&) = delete;

    uint32_t TickCount() override;
    void ProcessEvents(uint32_t maxWaitMs) override;
    ProcessValues& Process() override { return process_; }
    bool PreviewParentExists() override { return window_.TargetAlive(); }
    // Hands the lock message of the loaded settings to the window.
    void RefreshMessage() override;
    uint64_t ClockSeed() override;

    // The settings of the run whose message RefreshMessage shows (null between runs).
    void SetMessageSource(const EngineSettings* settings) { settings_ = settings; }

  private:
    // Dispatches every queued message; true when there was any.
    bool DispatchPending();

    ProcessValues& process_;
    SaverWindow& window_;
    const EngineSettings* settings_ = nullptr;
    MessageWait wait_;
};

}  // namespace astrelle::win32
