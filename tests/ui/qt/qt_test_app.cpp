// main of the ui test program: one QApplication around all tests.
#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    // The offscreen platform, with one screen of the smallest size the dialogs must fit
    // (1024x768 at 96 dpi), so that fitting and centring are tested on that screen.
    QTemporaryDir configDir;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((platform.isEmpty() || platform == "offscreen") && configDir.isValid()) {
        QFile config(configDir.filePath(QStringLiteral("screens.json")));
        if (config.open(QIODevice::WriteOnly)) {
            config.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1024, "height": 768,
                             "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
            config.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
        }
    } else if (platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
