// The program's own help: one HTML page (share/astrelle/help.html) with an anchor per
// topic, opened in the desktop's browser. The page is looked for beside the installed
// program first and in the source tree last, so it is found from a build directory too.
#pragma once

#include <QString>
#include <QUrl>

namespace astrelle {

// Full path of the help page, or empty text when it cannot be found.
QString HelpFilePath();

// The address of the page at a topic (an empty topic gives the top of the page).
QUrl HelpUrl(const QString& path, const QString& topic);

}  // namespace astrelle
