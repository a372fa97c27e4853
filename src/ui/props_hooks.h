// The seams through which the properties dialog reaches things outside it: message boxes,
// the beep, the template chooser, the advanced settings dialog, the About window and the
// desktop's browser. The defaults use Qt directly (a QFileDialog stands in for the
// template chooser); the program plugs in its own dialogs, and tests record the calls
// instead of blocking on modal windows.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace astrelle {

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
    // Opens an address in the desktop's browser; false when that failed.
    std::function<bool(const QUrl& url)> openUrl;
};

// Qt message boxes, QApplication::beep, a QFileDialog for templates, QDesktopServices for
// addresses. The advanced dialog and the About window are not part of these defaults:
// their menu entries do nothing until the program supplies them.
PropsHooks DefaultPropsHooks();

// The stand-in template chooser: a QFileDialog with the same title and file types.
QString SelectTemplateFileWithFileDialog(QWidget* parent, bool open, const QString& title,
                                         const QString& types);

// Converts "Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*" into Qt's filter list.
QString QtFileFilter(const QString& types);

// Opens the product's web page; when the browser cannot be reached, says so in a warning
// that names the address.
void OpenProductPage(QWidget* parent, const PropsHooks& hooks);

}  // namespace astrelle
