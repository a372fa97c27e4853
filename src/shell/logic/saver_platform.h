// The operating system's screen-saver services that the saver window consults. Linux
// desktops have no such services (xscreensaver locks the screen itself), and Windows since
// NT checks the password itself after the saver has ended, so a close request always
// succeeds and nothing is announced; the functions stay as the seam where a system with
// such services would plug them in.
#pragma once

#include <cstdint>

namespace astrelle {

// True when the system asks for a password before a saver may close.
bool PasswordEnabled();
// True when the window may close (the system verified the password, or none is asked).
bool VerifyPassword(uintptr_t nativeWindow);
// Tells the system that a saver starts or stops running.
void SetSaverRunning(bool running);

}  // namespace astrelle
