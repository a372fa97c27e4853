// No system password services to call: Linux has none, and Windows since NT asks for the
// saver's password itself when the saver ends.
#include "shell/logic/saver_platform.h"

namespace astrelle {

bool PasswordEnabled() {
    return false;
}

bool VerifyPassword(uintptr_t) {
    return !PasswordEnabled();
}

void SetSaverRunning(bool) {}

}  // namespace astrelle
