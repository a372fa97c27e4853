// main of the ui test program: one QApplication around all tests.
#include "qt_test_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>

#include <cstdlib>

namespace astrelle::testing_support {

QApplication& TestApp() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) std::abort();  // main creates it before any test
    return *app;
}

}  // namespace astrelle::testing_support

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
