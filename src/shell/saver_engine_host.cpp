// The saver windows' engine host: frames and the lock message go to the window's sink.
#include "shell/saver_engine_host.h"

#include "shell/logic/rest_rule.h"

namespace astrelle {

SaverEngineHost::SaverEngineHost(ProcessValues& process, FrameSink& sink, QObject* parent)
    : WindowEngineHost(process, {}, parent), sink_(sink) {}

void SaverEngineHost::RefreshMessage() {
    if (messageSource_) sink_.SetMessageStyle(messageSource_());
    sink_.RefreshMessage();
}

void SaverEngineHost::ProcessEvents(uint32_t maxWaitMs) {
    WindowEngineHost::ProcessEvents(maxWaitMs);
    if (sink_.Unseen(WindowEngineHost::TickCount())) Rest();
}

void SaverEngineHost::Rest() {
    restStart_ = WindowEngineHost::TickCount();
    resting_ = true;
    ProcessValues& process = Process();
    while (process.StopRequested == kFalse16 && sink_.TargetAlive() &&
           sink_.Unseen(WindowEngineHost::TickCount())) {
        WaitForEvents(RestRule::kRestWakeMs);
        sink_.PollOutsideEvents();
        KeepExitRequest();
    }
    restedMs_ += WindowEngineHost::TickCount() - restStart_;
    resting_ = false;
}

void SaverEngineHost::BeforeEvents() {
    sink_.PresentFrame();
    sink_.PollOutsideEvents();
}

}  // namespace astrelle
