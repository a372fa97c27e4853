// The seams through which the properties dialog reaches things outside it: message boxes,
// the beep, the template chooser, the advanced settings dialog, the About window and the
// desktop's browser. DefaultPropsHooks plugs in the program's own dialogs; tests record the
// calls instead of blocking on modal windows.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace astrelle {

struct PropsEnvironment;

struct PropsHooks {
    // Shows a message box titled "Astrelle" and returns the button pressed.
    std::function<QMessageBox::StandardButton(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton)>
        message;
    // The beep of a swallowed key.
    std::function<void()> beep;
    // The template chooser: a full path, or empty text when nothing was chosen. `types` is
    // the filter text "description|pattern|description|pattern...".
    std::function<QString(QWidget* parent, bool open, const QString& title, const QString& types)>
        selectTemplateFile;
    // The advanced settings dialog; it may change the lock message, which the properties
    // dialog stores with its own settings.
    std::function<void(QWidget* parent, QString& lockMessage)> showAdvanced;
    // The About window.
    std::function<void(QWidget* parent)> showAbout;
    // The product's web page (it says itself when the browser cannot be reached).
    std::function<void(QWidget* parent)> showWebPage;
    // Opens an address in the desktop's browser; false when that failed.
    std::function<bool(const QUrl& url)> openUrl;
};

// The program's own pieces: the warning box and beep shared by all dialogs, the template
// chooser, the advanced settings dialog over the environment's store, the welcome window
// over its tables, the product page, and QDesktopServices for the help page.
PropsHooks DefaultPropsHooks(const PropsEnvironment& env);

}  // namespace astrelle
