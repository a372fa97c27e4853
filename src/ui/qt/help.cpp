// Locating the help page.
#include "ui/qt/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace astrelle {

QString HelpFilePath() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString relative = QStringLiteral("share/astrelle/help.html");
    QStringList candidates = {
        exeDir + QStringLiteral("/../") + relative,  // installed: bin/ and share/ side by side
        exeDir + QLatin1Char('/') + relative,
        exeDir + QStringLiteral("/help.html"),
    };
#ifdef ASTRELLE_SOURCE_DIR
    candidates << QStringLiteral(ASTRELLE_SOURCE_DIR "/") + relative;  // run from the build tree
#endif
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isReadable()) return QDir::cleanPath(info.absoluteFilePath());
    }
    return {};
}

QUrl HelpUrl(const QString& path, const QString& topic) {
    QUrl url = QUrl::fromLocalFile(path);
    if (!topic.isEmpty()) url.setFragment(topic);
    return url;
}

}  // namespace astrelle
