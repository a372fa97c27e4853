// Opens the properties dialog over the process's store and tables.
#include "shell/properties_seam.h"

#include "engine/process_values.h"
#include "shell/stored_settings.h"
#include "ui/qt/props_window.h"

namespace astrelle {

void ShowPropertiesDialog(QWidget* parent, ProcessValues& process) {
    const PropsEnvironment env{ProcessSettingsStore(), ProcessGalaxyTypes(), ProcessComposites(), process,
                               ProcessTemplatePath()};
    FrmProps dialog(env, parent);
    dialog.exec();
}

}  // namespace astrelle
