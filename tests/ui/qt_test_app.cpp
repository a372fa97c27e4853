// One QApplication for the whole test program, created on first use.
#include "qt_test_app.h"

#include <QApplication>
#include <QByteArray>

namespace astrelle::testing_support {

QApplication& TestApp() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

}  // namespace astrelle::testing_support
