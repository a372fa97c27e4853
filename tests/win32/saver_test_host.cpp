// A small Windows program that plays the system's part for scripts/wine-tests: it makes a
// window with a preview box as the Screen Saver Settings dialog does and starts the saver
// with "/p <box>", or starts "/s" and ends it the way Windows would (WM_CLOSE, the end of
// the session), and reports what happened on standard output. Exit status 0 when every
// check of the mode passed.
//   saver_test_host preview <astrelle.scr>    child window of the saver fills the box, ends with it
//   saver_test_host quick <astrelle.scr> <arguments...>   the saver ends at once with status 0
//   saver_test_host close <astrelle.scr>      "/s" ends within a second of WM_CLOSE
//   saver_test_host endsession <astrelle.scr> "/s" ends within a second of WM_ENDSESSION
#include <windows.h>

#include <cstdio>
#include <string>

#include "saver_process.h"

namespace {

constexpr DWORD kStartTimeoutMs = 15000;  // Wine starts a program in about a second
constexpr DWORD kEndTimeoutMs = 1000;     // what "ends at once" and "within a second" allow
constexpr DWORD kPollMs = 20;
constexpr DWORD kHungAppMs = 5000;  // how long Windows waits for the answer to WM_QUERYENDSESSION
constexpr int kBoxWidth = 152;      // the size of the preview box of the Screen Saver Settings
constexpr int kBoxHeight = 112;

struct Found {
    DWORD process;
    HWND window = nullptr;
};

BOOL CALLBACK FindTopWindowOf(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<Found*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    if (owner == found->process && std::wstring(caption) == L"KRLN:Astrelle 2.0") {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForSaverWindow(Saver& saver) {
    Found found{saver.process.dwProcessId};
    const ULONGLONG start = GetTickCount64();
    while (found.window == nullptr && GetTickCount64() - start < kStartTimeoutMs) {
        EnumWindows(FindTopWindowOf, reinterpret_cast<LPARAM>(&found));
        if (WaitForSingleObject(saver.process.hProcess, kPollMs) == WAIT_OBJECT_0) break;
    }
    return found.window;
}

void Preview(const std::wstring& scr) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"AstrelleTestHost";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassW(&wc);
    HWND dialog = CreateWindowExW(0, wc.lpszClassName, L"Screen Saver Settings (test)",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 300, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    HWND box = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 20, kBoxWidth, kBoxHeight,
                               dialog, nullptr, wc.hInstance, nullptr);
    Check(dialog != nullptr && box != nullptr, "the dialog and its preview box exist");
    if (box == nullptr) return;
    Pump();

    Saver saver;
    const std::wstring handle = std::to_wstring(reinterpret_cast<uintptr_t>(box));
    Check(saver.Start(scr, L"/p " + handle), "the saver starts with /p <box>");
    if (!saver.started) return;

    HWND child = nullptr;
    const ULONGLONG start = GetTickCount64();
    while (child == nullptr && GetTickCount64() - start < kStartTimeoutMs) {
        child = GetWindow(box, GW_CHILD);
        if (child == nullptr)
            MsgWaitForMultipleObjects(1, &saver.process.hProcess, FALSE, kPollMs, QS_ALLINPUT);
        Pump();
        if (!saver.Running()) break;
    }
    Check(child != nullptr, "a child window appears in the box");
    if (child == nullptr) return;
    // The child is found while it is being made; it shows itself at the end of that.
    for (ULONGLONG shown = GetTickCount64();
         !IsWindowVisible(child) && GetTickCount64() - shown < kStartTimeoutMs;) {
        MsgWaitForMultipleObjects(1, &saver.process.hProcess, FALSE, kPollMs, QS_ALLINPUT);
        Pump();
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    Check(owner == saver.process.dwProcessId, "the child belongs to the saver's process");
    RECT boxArea{}, childArea{}, childFrame{};
    GetClientRect(box, &boxArea);
    GetClientRect(child, &childArea);
    GetWindowRect(child, &childFrame);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&childFrame), 2);
    Check(EqualRect(&boxArea, &childArea) && childFrame.left == 0 && childFrame.top == 0,
          "the child fills the box's client area");
    Check(IsWindowVisible(child) != 0, "the child is visible");

    // Let a few frames run, then close the dialog as the user would.
    for (int i = 0; i < 25; ++i) {
        Pump();
        Sleep(kPollMs);
    }
    Check(saver.Running(), "the preview runs while the box exists");
    DestroyWindow(dialog);
    const long took = saver.WaitForEnd(kEndTimeoutMs);
    std::printf("     the saver ended %ld ms after the box was destroyed\n", took);
    Check(took >= 0, "the saver ends within a second of the box");
    Check(took >= 0 && saver.ExitCode() == 0, "with status 0");
}

void Quick(const std::wstring& scr, const std::wstring& arguments) {
    Saver saver;
    Check(saver.Start(scr, arguments), "the saver starts");
    if (!saver.started) return;
    // Wine needs a moment to start any program; "at once" is measured from there on.
    const long took = saver.WaitForEnd(kStartTimeoutMs);
    std::printf("     ended after %ld ms (start-up included)\n", took);
    Check(took >= 0, "the saver ends by itself");
    Check(took >= 0 && saver.ExitCode() == 0, "with status 0");
}

void EndFromOutside(const std::wstring& scr, bool endSession) {
    Saver saver;
    Check(saver.Start(scr, L"/s"), "the saver starts with /s");
    if (!saver.started) return;
    HWND window = WaitForSaverWindow(saver);
    Check(window != nullptr, "its window \"KRLN:Astrelle 2.0\" appears");
    if (window == nullptr) return;
    Sleep(500);  // a few frames
    if (endSession) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, kHungAppMs, &answer);
        Check(answer != 0, "the saver agrees to end the session");
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, kEndTimeoutMs, &answer);
    } else {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const long took = saver.WaitForEnd(kEndTimeoutMs);
    std::printf("     ended %ld ms after the request\n", took);
    Check(took >= 0, "the saver ends within a second");
    Check(took >= 0 && saver.ExitCode() == 0, "with status 0");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: saver_test_host preview|quick|close|endsession <astrelle.scr> [arguments]\n");
        return 2;
    }
    const std::wstring mode = argv[1];
    const std::wstring scr = argv[2];
    std::wstring rest;
    for (int i = 3; i < argc; ++i) rest += (i > 3 ? L" " : L"") + std::wstring(argv[i]);
    if (mode == L"preview") {
        Preview(scr);
    } else if (mode == L"quick") {
        Quick(scr, rest);
    } else if (mode == L"close" || mode == L"endsession") {
        EndFromOutside(scr, mode == L"endsession");
    } else {
        std::fprintf(stderr, "saver_test_host: unknown mode\n");
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
