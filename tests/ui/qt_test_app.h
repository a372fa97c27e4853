// The QApplication the dialog tests need. The test program's own main creates it on the
// offscreen platform (unless the environment chose another) before any test runs and
// destroys it before the program's static objects go, which Qt requires.
#pragma once

class QApplication;

namespace astrelle::testing_support {

QApplication& TestApp();

}  // namespace astrelle::testing_support
