// The QApplication every dialog test needs. It runs on the offscreen platform unless the
// environment chose another one, so the tests need no display.
#pragma once

class QApplication;

namespace astrelle::testing_support {

QApplication& TestApp();

}  // namespace astrelle::testing_support
