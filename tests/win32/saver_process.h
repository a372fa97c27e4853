// What the Windows integration programs share: the checks they print for scripts/wine-tests,
// the message pump that keeps windows of their own answering, and the saver's process.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

inline int failures = 0;

// Prints one line per check; the program's exit status is 0 when none failed.
inline bool Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) ++failures;
    return ok;
}

// Handles this thread's messages: the saver's window calls block until the owner of the
// parent (or owner) window answers them.
inline void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct Saver {
    PROCESS_INFORMATION process{};
    bool started = false;

    ~Saver() {
        if (!started) return;
        // Never leave a saver behind, whatever failed.
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    bool Start(const std::wstring& scr, const std::wstring& arguments, const std::wstring& folder = {}) {
        std::wstring line = L"\"" + scr + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started = CreateProcessW(scr.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.empty() ? nullptr : folder.c_str(), &startup, &process) != 0;
        return started;
    }

    // Waits for the end while handling messages; the milliseconds it took, or -1.
    long WaitForEnd(DWORD timeoutMs) const {
        const ULONGLONG start = GetTickCount64();
        for (;;) {
            const DWORD waited = static_cast<DWORD>(GetTickCount64() - start);
            if (waited > timeoutMs) return -1;
            if (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, timeoutMs - waited, QS_ALLINPUT) ==
                WAIT_OBJECT_0) {
                return static_cast<long>(GetTickCount64() - start);
            }
            Pump();
        }
    }

    bool Running() const { return started && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }

    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
};
