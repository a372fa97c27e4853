// The default seams of the properties dialog: the program's own dialogs and boxes.
#include "ui/qt/props_hooks.h"

#include <QDesktopServices>

#include "ui/qt/advanced_dialog.h"
#include "ui/qt/props_dialog.h"
#include "ui/qt/template_dialog.h"
#include "ui/qt/ui_feedback.h"
#include "ui/qt/welcome_window.h"

namespace astrelle {

PropsHooks DefaultPropsHooks(const PropsEnvironment& env) {
    PropsHooks hooks;
    hooks.message = [](QWidget* parent, QMessageBox::Icon icon, const QString& text,
                       QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
        // Plain warnings look the same as every other dialog's; questions need their buttons.
        if (icon == QMessageBox::Warning && buttons == QMessageBox::Ok) {
            ShowWarning(parent, text);
            return QMessageBox::Ok;
        }
        QMessageBox box(icon, QString::fromLatin1(kProductTitle), text, buttons, parent);
        box.setDefaultButton(defaultButton);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    hooks.beep = [] { Beep(); };
    hooks.selectTemplateFile = [](QWidget* parent, bool open, const QString& title, const QString& types) {
        return SelectTemplateFile(parent, open, title, types);
    };
    SettingsStore* store = &env.store;
    hooks.showAdvanced = [store](QWidget* parent, QString& lockMessage) {
        ShowAdvancedDialog(parent, *store, lockMessage);
    };
    const WelcomeContext welcome{env.process, env.galaxyTypes, env.composites, &env.store};
    hooks.showAbout = [welcome](QWidget* parent) { ShowWelcome(parent, welcome); };
    hooks.showWebPage = [](QWidget* parent) { OpenProductPage(parent); };
    hooks.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return hooks;
}

}  // namespace astrelle
