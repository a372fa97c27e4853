// The one QApplication of the shell tests, on the offscreen platform (X11 tests draw through
// the saver's own Xlib connection, which needs no Qt platform).
#pragma once

#include <QApplication>

namespace astrelle::testing {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "shell_qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

}  // namespace astrelle::testing
