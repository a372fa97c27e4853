// The saver windows' engine host: frames and the lock message go to the window's sink.
#include "shell/saver_engine_host.h"

namespace astrelle {

SaverEngineHost::SaverEngineHost(ProcessValues& process, FrameSink& sink, QObject* parent)
    : WindowEngineHost(process, {}, parent), sink_(sink) {}

void SaverEngineHost::RefreshMessage() {
    if (messageSource_) sink_.SetMessageStyle(messageSource_());
    sink_.RefreshMessage();
}

void SaverEngineHost::BeforeEvents() {
    sink_.PresentFrame();
    sink_.PollOutsideEvents();
}

}  // namespace astrelle
