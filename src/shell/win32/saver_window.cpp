// The Win32 saver windows: creation, presenting, input rules and the stored placement.
#include "shell/win32/saver_window.h"

#include <algorithm>

#include "platform/services.h"
#include "platform/win32/wide_text.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "shell/logic/saver_platform.h"
#include "shell/logic/startup.h"
#include "shell/logic/window_placement.h"
#include "shell/win32/properties_seam.h"
#include "shell/win32/resource_ids.h"
#include "shell/win32/win32_settings.h"

namespace astrelle::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"AstrelleSaverWindow";
constexpr UINT kSystemCommandMask = 0xFFF0;  // the low four bits of wParam are the system's
constexpr int kFallbackTwipsPerPixel = 15;

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

bool RegisterWindowClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = Instance();
        wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(ASTRELLE_ICON));
        wc.hIconSm = wc.hIcon;
        wc.hCursor = nullptr;  // each window sets its own in WM_SETCURSOR
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

bool IsMouseButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_XBUTTONDOWN;
}

const std::wstring& SaverCaption() {
    static const std::wstring caption = Widen(kSaverCaption);
    return caption;
}

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

SaverWindow::SaverWindow(SaverWindowKind kind, ProcessValues& process) : kind_(kind), process_(process) {}

SaverWindow::~SaverWindow() {
    Destroy();
}

bool SaverWindow::Create(HWND previewParent) {
    if (!RegisterWindowClass(&SaverWindow::Procedure)) return false;
    HWND created = nullptr;
    switch (kind_) {
        case SaverWindowKind::FullScreen:
            // A tool window stays out of the task bar and the Alt+Tab list.
            created =
                CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWindowClass, SaverCaption().c_str(),
                                WS_POPUP, GetSystemMetrics(SM_XVIRTUALSCREEN),
                                GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr, Instance(), this);
            break;
        case SaverWindowKind::Windowed:
            created = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, Instance(), this);
            break;
        case SaverWindowKind::PreviewChild: {
            if (previewParent == nullptr || !IsWindow(previewParent)) return false;
            previewParent_ = previewParent;
            const SIZE box = ClientSize(previewParent);
            created = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                      box.cx, box.cy, previewParent, nullptr, Instance(), this);
            break;
        }
    }
    if (created == nullptr) return false;
    GetCursorPos(&lastCursor_);
    if (kind_ == SaverWindowKind::FullScreen) {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        SetFocus(window_);
        SetCursor(nullptr);  // at once, not only from the first movement on
    } else if (kind_ == SaverWindowKind::Windowed) {
        StartScreenWindow();
    }
    return true;
}

void SaverWindow::Destroy() {
    if (window_ != nullptr && !destroyed_) DestroyWindow(window_);
}

void SaverWindow::StartScreenWindow() {
    if (window_ == nullptr) return;
    settingUp_ = true;
    resizable_ = ReadStoredText("Advanced", "Adv_WinResize").value_or("0") == "1";
    const LONG_PTR visible = IsWindowVisible(window_) ? WS_VISIBLE : 0;
    if (resizable_) {
        SetWindowTextW(window_, SaverCaption().c_str());
        SetWindowLongPtrW(window_, GWL_STYLE, WS_OVERLAPPEDWINDOW | visible);
        SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(window_, SW_SHOWNORMAL);
        RestoreWindowPlacement();
    } else {
        SetWindowTextW(window_, L"");
        SetWindowLongPtrW(window_, GWL_STYLE, WS_POPUP | visible);
        CoverPrimaryMonitor();
        ShowWindow(window_, SW_SHOW);
    }
    SetForegroundWindow(window_);
    SetFocus(window_);
    settingUp_ = false;
}

void SaverWindow::CoverVirtualScreen() {
    SetWindowPos(window_, HWND_TOPMOST, GetSystemMetrics(SM_XVIRTUALSCREEN),
                 GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_NOACTIVATE);
}

void SaverWindow::CoverPrimaryMonitor() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) return;
    const RECT& r = info.rcMonitor;
    SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_FRAMECHANGED | SWP_NOZORDER);
}

void SaverWindow::FitSurface() {
    const SIZE size = window_ != nullptr ? ClientSize(window_) : SIZE{0, 0};
    surface_.Resize(size.cx, size.cy);
    // Without a DIB the animation runs on unseen; a later fit may succeed.
    if (!presenter_.Resize(size.cx, size.cy)) return;
    if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void SaverWindow::Present() {
    if (window_ == nullptr || destroyed_) {
        surface_.TakeDirtyTiles([](int, int, int, int) {});
        return;
    }
    HDC dc = GetDC(window_);
    presenter_.Present(surface_, message_, dc);
    if (dc != nullptr) ReleaseDC(window_, dc);
}

void SaverWindow::SetMessage(std::string_view text, std::string_view fontName, int pointSize,
                             uint32_t colour) {
    if (kind_ == SaverWindowKind::PreviewChild || window_ == nullptr || destroyed_) return;
    const int oldTop = message_.Top();
    const int oldHeight = message_.Height();
    if (!message_.Set(text, fontName, pointSize, colour, surface_.Width(), surface_.Height(), Dpi())) return;
    // Where the old band was, the stars show again; where the new one is, the message.
    HDC dc = GetDC(window_);
    presenter_.PresentRows(surface_, message_, oldTop, oldHeight, dc);
    presenter_.PresentRows(surface_, message_, message_.Top(), message_.Height(), dc);
    if (dc != nullptr) ReleaseDC(window_, dc);
}

bool SaverWindow::TargetAlive() const {
    if (destroyed_ || window_ == nullptr) return false;
    if (kind_ == SaverWindowKind::PreviewChild) return IsWindow(previewParent_) && IsWindow(window_);
    return true;
}

bool SaverWindow::TakeRestart() {
    const bool restart = restart_;
    restart_ = false;
    return restart;
}

int SaverWindow::Dpi() const {
    const UINT dpi = window_ != nullptr ? GetDpiForWindow(window_) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

LRESULT CALLBACK SaverWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SaverWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SaverWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

LRESULT SaverWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(window_, &ps);
            presenter_.Paint(dc, ps.rcPaint);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // every pixel comes from the DIB
        case WM_SETCURSOR:
            if (kind_ == SaverWindowKind::PreviewChild || LOWORD(lParam) != HTCLIENT) break;
            SetCursor(kind_ == SaverWindowKind::Windowed && resizable_ ? LoadCursorW(nullptr, IDC_ARROW)
                                                                       : nullptr);
            return TRUE;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) OnSizeChanged();
            return 0;
        case WM_DISPLAYCHANGE:
            // A monitor came or went: cover the new desktop (the new size restarts the run).
            if (kind_ == SaverWindowKind::FullScreen) CoverVirtualScreen();
            return 0;
        case WM_SYSCOMMAND:
            // The system would start the saver again over the running one.
            if (kind_ == SaverWindowKind::FullScreen && (wParam & kSystemCommandMask) == SC_SCREENSAVE)
                return 0;
            break;
        case WM_CLOSE:
            if (kind_ == SaverWindowKind::Windowed) {
                CloseProgram();
            } else {
                RequestClose();
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns: store what must survive now.
            if (wParam) {
                if (kind_ == SaverWindowKind::Windowed) CloseProgram();
                closed_ = true;
                process_.StopRequested = kTrue16;
                process_.ExitRequested = kTrue16;
            }
            return 0;
        case WM_DESTROY:
            // Whoever destroyed it (the preview box's owner, the system): the run ends.
            destroyed_ = true;
            closed_ = true;
            process_.StopRequested = kTrue16;
            return 0;
        default:
            if (kind_ == SaverWindowKind::FullScreen && OnFullScreenInput(message)) return 0;
            if (kind_ == SaverWindowKind::Windowed && OnWindowedInput(message, wParam)) return 0;
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool SaverWindow::OnFullScreenInput(UINT message) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR || message == WM_SYSCHAR ||
        IsMouseButtonDown(message)) {
        RequestClose();
        return true;
    }
    if (message == WM_MOUSEMOVE) {
        // Windows also sends this message when a window appears under a resting pointer or
        // the z-order changes; only a pointer that really moved counts as a movement.
        const DWORD at = GetMessagePos();
        const POINT now{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
        if (now.x == lastCursor_.x && now.y == lastCursor_.y) return true;
        lastCursor_ = now;
        if (moves_.OnMove(SecondsSinceMidnight())) RequestClose();
        return true;
    }
    return false;
}

bool SaverWindow::OnWindowedInput(UINT message, WPARAM wParam) {
    if (message == WM_KEYDOWN) {
        if (wParam == VK_ESCAPE) {
            CloseProgram();
        } else if (wParam == VK_F5) {
            SaveWindowPlacement();
            // Set-up and settings are read again; the run restarts at the new size.
            RequestRestart();
            StartScreenWindow();
        } else {
            OpenProperties();
        }
        return true;
    }
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
        OpenProperties();
        return true;
    }
    return false;
}

void SaverWindow::OnSizeChanged() {
    if (settingUp_ || kind_ == SaverWindowKind::PreviewChild || window_ == nullptr) return;
    // The universe is laid out for its surface; a new size means a new universe.
    const SIZE size = ClientSize(window_);
    if (size.cx != surface_.Width() || size.cy != surface_.Height()) RequestRestart();
}

void SaverWindow::RequestRestart() {
    restart_ = true;
    process_.StopRequested = kTrue16;
}

void SaverWindow::RequestClose() {
    process_.StopRequested = kTrue16;
    restart_ = false;
    // A refused password lets the animation go on.
    if (!VerifyPassword(reinterpret_cast<uintptr_t>(window_))) {
        process_.StopRequested = kFalse16;
        return;
    }
    closed_ = true;
}

void SaverWindow::CloseProgram() {
    if (closed_) return;
    SetSaverRunning(false);
    SaveWindowPlacement();
    closed_ = true;
    restart_ = false;
    process_.StopRequested = kTrue16;
}

void SaverWindow::OpenProperties() {
    SaveWindowPlacement();
    ShowPropertiesDialog(window_, process_);
    const int top = message_.Top();
    const int height = message_.Height();
    message_.Clear();
    HDC dc = GetDC(window_);
    presenter_.PresentRows(surface_, message_, top, height, dc);
    if (dc != nullptr) ReleaseDC(window_, dc);
    if (process_.ExitRequested != kFalse16) CloseProgram();
}

void SaverWindow::SaveWindowPlacement() {
    if (kind_ != SaverWindowKind::Windowed || closed_ || window_ == nullptr || !IsWindowVisible(window_))
        return;
    StoreBatch batch(ProcessSettingsStore());
    // The covering window stands for a maximized one: stored so, it comes back maximized
    // rather than as a normal window the size of the screen once it is made resizable.
    const bool maximized = IsZoomed(window_) || !resizable_;
    WriteStoredText("General", "WindowState", maximized ? "2" : "0");
    if (!IsIconic(window_)) {
        RECT r{};
        GetWindowRect(window_, &r);
        const int tx = process_.TwipsPerPixelX, ty = process_.TwipsPerPixelY;
        const WindowPlacementTwips twips{r.left * tx, r.top * ty, (r.right - r.left) * tx,
                                         (r.bottom - r.top) * ty};
        WriteStoredText("General", "WindowSize", FormatWindowSize(twips));
    }
    // A placement that cannot be stored is lost silently, as every failed settings write.
    (void)batch.Commit();
}

void SaverWindow::RestoreWindowPlacement() {
    const int16_t state =
        GetSettingInt16(ProcessSettingsStore(), "General", "WindowState", kWindowStateNormal);
    if (state == kWindowStateMaximized) {
        ShowWindow(window_, SW_MAXIMIZE);
        return;
    }
    WindowPlacementTwips twips;
    const auto text = ReadStoredText("General", "WindowSize");
    if (state != kWindowStateNormal || !text || !ParseWindowSize(*text, twips)) return;
    const double tx = process_.TwipsPerPixelX > 0 ? process_.TwipsPerPixelX : kFallbackTwipsPerPixel;
    const double ty = process_.TwipsPerPixelY > 0 ? process_.TwipsPerPixelY : kFallbackTwipsPerPixel;
    auto pixels = [](int32_t value, double perPixel) { return RoundToInt32Saturated(value / perPixel); };
    if (IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
    const int w = pixels(twips.width, tx), h = pixels(twips.height, ty);
    // A stored size of 0 (a short or damaged text) keeps the current size.
    const UINT keepSize = w > 0 && h > 0 ? 0 : SWP_NOSIZE;
    SetWindowPos(window_, nullptr, pixels(twips.left, tx), pixels(twips.top, ty), w, h,
                 SWP_NOZORDER | SWP_NOACTIVATE | keepSize);
}

}  // namespace astrelle::win32
