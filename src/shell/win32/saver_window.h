// The three Win32 windows that show the animation, with their input rules:
//   - FullScreen ("/s"): one borderless top-most window over the whole virtual screen (every
//     monitor), captioned "KRLN:Astrelle 2.0", without a cursor; any key, any mouse button
//     or the fourth mouse movement requests the close;
//   - Windowed (the ".exe" marker): resizable with its stored placement when Adv_WinResize
//     is "1", else covering the primary monitor without a cursor; Escape closes, F5
//     restarts with the settings read again, other keys and clicks open the properties;
//   - PreviewChild ("/p <handle>"): a child filling the given window's client area, ended
//     when that window goes.
// Input handlers run nested in the engine host's event pass and talk to the run only
// through the process values (StopRequested, ExitRequested) and the restart request.
#pragma once

#include <windows.h>

#include <string_view>

#include "engine/pixel_surface.h"
#include "engine/process_values.h"
#include "platform/win32/dib_presenter.h"
#include "platform/win32/message_overlay.h"
#include "shell/logic/mouse_moves.h"

namespace astrelle::win32 {

enum class SaverWindowKind { FullScreen, Windowed, PreviewChild };

class SaverWindow {
  public:
    SaverWindow(SaverWindowKind kind, ProcessValues& process);
    ~SaverWindow();
    SaverWindow(const SaverWindow&) = delete;
    SaverWindow& operator=(const SaverWindow&) = delete;

    // Creates and shows the window; previewParent is the window a PreviewChild fills. False
    // when the system refused (or the parent is gone).
    [[nodiscard]] bool Create(HWND previewParent = nullptr);
    HWND Handle() const { return window_; }
    SaverWindowKind Kind() const { return kind_; }

    // The windowed program's set-up, at the start and again after F5: resizable or covering
    // the screen as Adv_WinResize says, with the stored placement.
    void StartScreenWindow();

    // Sizes the pixel surface and the DIB to the client area (a new universe follows).
    void FitSurface();
    PixelSurface& Surface() { return surface_; }

    // Shows what changed on the surface since the last call.
    void Present();

    // The lock message: re-rendered only when its look changed. The preview shows none.
    void SetMessage(std::string_view text, std::string_view fontName, int pointSize, uint32_t colour);

    // False once the window being drawn into is gone (the preview's parent, or this window).
    bool TargetAlive() const;

    // A restart was asked for (F5, a new size); cleared by the caller before the next run.
    bool TakeRestart();
    // The window is closing or closed: the run ends for good.
    bool Closed() const { return closed_; }

    // Sends WM_CLOSE's effect at once (used by tests and by the shell's end of run).
    void Destroy();

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnFullScreenInput(UINT message);
    bool OnWindowedInput(UINT message, WPARAM wParam);
    void OnSizeChanged();
    void CoverVirtualScreen();
    void CoverPrimaryMonitor();

    void RequestClose();
    void CloseProgram();
    void OpenProperties();
    void RequestRestart();
    void SaveWindowPlacement();
    void RestoreWindowPlacement();
    int Dpi() const;

    SaverWindowKind kind_;
    ProcessValues& process_;
    HWND window_ = nullptr;
    HWND previewParent_ = nullptr;
    PixelSurface surface_;
    DibPresenter presenter_;
    MessageOverlay message_;
    MouseMoveCounter moves_;
    POINT lastCursor_{};
    bool resizable_ = false;
    bool settingUp_ = false;
    bool restart_ = false;
    bool closed_ = false;
    bool destroyed_ = false;
};

}  // namespace astrelle::win32
