// Waiting in a Win32 message loop for the next frame: sleeps until the frame is due or a
// message arrives, never spinning. A high-resolution waitable timer keeps a 25 ms frame at
// 25 ms where the plain timeout moves in steps of the system timer (about 16 ms).
#pragma once

#include <windows.h>

#include <cstdint>

namespace astrelle::win32 {

class MessageWait {
  public:
    MessageWait();
    ~MessageWait();
    MessageWait(const MessageWait&) = delete;
    MessageWait& operator=(const MessageWait&) = delete;

    // Returns when a message is queued for this thread or maxWaitMs have passed; waits
    // longer than about 17 minutes are cut, so a huge delay setting cannot freeze a window.
    void Wait(uint32_t maxWaitMs);

  private:
    HANDLE timer_ = nullptr;
};

}  // namespace astrelle::win32
