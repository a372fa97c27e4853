// Linux: no system password services.
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
