// Engine calls of the host sequences: the engine's own set-up and universe cycle, with the
// lock message handed to the window on every refresh.
#include "shell/animation_glue.h"

#include "engine/colour.h"
#include "engine/engine_setup.h"
#include "engine/engine_state.h"
#include "shell/stored_settings.h"

namespace astrelle {

void RunHostSequence(HostWindow kind, QtEngineHost& host, PixelSurface& surface) {
    EngineContext ctx(host, surface, ProcessGalaxyTypes(), ProcessComposites());
    // The message is read from the settings the set-up loaded, at every refresh: a restart
    // (F5, a new size) loads them again.
    host.SetMessageSource([&ctx] {
        const EngineSettings& s = ctx.Settings;
        return MessageStyle{QString::fromStdString(s.MessageText), QString::fromStdString(s.MessageFontName),
                            s.MessageFontSize, HueColor(s.MessageHue)};
    });
    RunSaverHostSequence(ctx, ProcessSettingsStore(),
                         kind == HostWindow::PreviewBox ? HostKind::PreviewBox : HostKind::Window);
    host.SetMessageSource({});
}

}  // namespace astrelle
