// The windowed program's window.
#include "shell/frm_screen.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "shell/animation_glue.h"
#include "shell/logic/saver_platform.h"
#include "shell/logic/window_placement.h"
#include "shell/properties_seam.h"
#include "shell/stored_settings.h"

namespace astrelle {
namespace {

constexpr const char* kCaption = "KRLN:Astrelle 2.0";

}  // namespace

FrmScreen::FrmScreen(ProcessValues& process, x11::Connection* connection) : process_(process) {
    UseX11(connection);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &SaverView::Resized, this, [this] {
        // The universe is laid out for its surface; a new size means a new universe.
        if (!settingUp_ && (Surface().Width() != DevicePixelSize().width() ||
                            Surface().Height() != DevicePixelSize().height())) {
            Restart();
        }
    });
}

void FrmScreen::StartScreenWindow() {
    settingUp_ = true;
    const std::optional<std::string> stored = ReadStoredText("Advanced", "Adv_WinResize");
    resizable_ = stored.value_or("0") == "1";
    if (resizable_) {
        setWindowTitle(QString::fromLatin1(kCaption));
        unsetCursor();
        if (!isVisible()) show();
        if (isFullScreen()) showNormal();
        RestoreWindowPlacement();
    } else {
        setWindowTitle(QString());
        setCursor(Qt::BlankCursor);
        // Asked of the window manager, full screen needs one; the geometry covers the
        // screen also where none runs.
        if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
        showFullScreen();
    }
    raise();
    activateWindow();
    settingUp_ = false;
}

void FrmScreen::Run() {
    SaverEngineHost host(process_, *this);
    StartScreenWindow();
    while (!closed_) {
        restart_ = false;
        process_.StopRequested = kFalse16;
        host.ProcessEvents(0);  // take up the new size before measuring
        FitSurface();
        RunHostSequence(HostWindow::Saver, host, Surface());
        if (!restart_ || closed_ || process_.ExitRequested != kFalse16) break;
    }
    if (!closed_) CloseProgram();
}

void FrmScreen::Restart() {
    restart_ = true;
    process_.StopRequested = kTrue16;
}

void FrmScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        CloseProgram();
    } else if (event->key() == Qt::Key_F5) {
        SaveWindowPlacement();
        // Set-up and settings are read again when the current run has ended.
        Restart();
        StartScreenWindow();
    } else {
        OpenProperties();
    }
}

void FrmScreen::mousePressEvent(QMouseEvent*) {
    OpenProperties();
}

void FrmScreen::OpenProperties() {
    SaveWindowPlacement();
    ShowPropertiesDialog(this, process_);
    ClearMessage();
    if (process_.ExitRequested != kFalse16) CloseProgram();
}

void FrmScreen::CloseProgram() {
    if (closed_) return;
    SetSaverRunning(false);
    process_.StopRequested = kTrue16;
    close();
}

void FrmScreen::closeEvent(QCloseEvent* event) {
    if (!closed_) SaveWindowPlacement();
    closed_ = true;
    process_.StopRequested = kTrue16;
    event->accept();
}

void FrmScreen::SaveWindowPlacement() {
    if (closed_ || !isVisible()) return;
    // The covering window is shown full screen, which Qt does not call maximized; stored
    // as maximized, it does not come back as a normal window the size of the screen once
    // the window is made resizable.
    const bool maximized = isMaximized() || isFullScreen();
    WriteStoredText("General", "WindowState", maximized ? "2" : "0");
    if (isMinimized()) return;
    const QRect frame = frameGeometry();
    const int tx = process_.TwipsPerPixelX, ty = process_.TwipsPerPixelY;
    WindowPlacementTwips twips{frame.left() * tx, frame.top() * ty, width() * tx, height() * ty};
    WriteStoredText("General", "WindowSize", FormatWindowSize(twips));
}

void FrmScreen::RestoreWindowPlacement() {
    const int16_t state =
        GetSettingInt16(ProcessSettingsStore(), "General", "WindowState", kWindowStateNormal);
    if (state == kWindowStateMaximized) {
        showMaximized();
        return;
    }
    WindowPlacementTwips twips;
    const auto text = ReadStoredText("General", "WindowSize");
    if (state != kWindowStateNormal || !text || !ParseWindowSize(*text, twips)) return;
    const double tx = process_.TwipsPerPixelX > 0 ? process_.TwipsPerPixelX : 15;
    const double ty = process_.TwipsPerPixelY > 0 ? process_.TwipsPerPixelY : 15;
    auto pixels = [](int32_t value, double perPixel) { return RoundToInt32Saturated(value / perPixel); };
    if (isMaximized()) showNormal();
    move(pixels(twips.left, tx), pixels(twips.top, ty));
    const int w = pixels(twips.width, tx), h = pixels(twips.height, ty);
    // A stored size of 0 (a short or damaged text) keeps the current size.
    if (w > 0 && h > 0) resize(w, h);
}

}  // namespace astrelle
