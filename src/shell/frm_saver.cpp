// The full-screen saver window.
#include "shell/frm_saver.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "platform/services.h"
#include "shell/animation_glue.h"
#include "shell/logic/saver_platform.h"

namespace astrelle {

FrmSaver::FrmSaver(ProcessValues& process, x11::Connection* connection) : process_(process) {
    UseX11(connection);
    setWindowTitle(QString::fromLatin1(kCaption));
    // Bypassing the window manager keeps panels, docks and notifications below us on every
    // desktop; the price is that we must take the keyboard ourselves (TakeInput).
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::BypassWindowManagerHint);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &SaverView::Resized, this, [this] {
        // The desktop changed shape (a monitor came or went): start again at the new size.
        if (Surface().Width() != DevicePixelSize().width() ||
            Surface().Height() != DevicePixelSize().height()) {
            restart_ = true;
            process_.StopRequested = kTrue16;
        }
    });
}

void FrmSaver::SetupSaverWindow() {
    // One window over the bounding rectangle of all monitors: no monitor shows the desktop,
    // and one universe spans them all.
    QRect area;
    for (QScreen* screen : QGuiApplication::screens()) area = area.united(screen->geometry());
    if (area.isEmpty() && QGuiApplication::primaryScreen())
        area = QGuiApplication::primaryScreen()->geometry();
    setGeometry(area);
    setCursor(Qt::BlankCursor);
    show();
    raise();
    activateWindow();
    TakeInput();
}

bool FrmSaver::TakeInput() {
    // A grab fails while the window is not yet viewable or another client still holds one
    // (the desktop's own idle tool, a menu); RunAnimation retries until both hold.
    QWindow* window = windowHandle();
    if (!window) return false;
    const bool keyboard = window->setKeyboardGrabEnabled(true);
    const bool mouse = window->setMouseGrabEnabled(true);
    return keyboard && mouse;
}

void FrmSaver::RunAnimation() {
    SaverEngineHost host(process_, *this);
    // Let the window reach the screen (and its final size) before the first frame.
    host.ProcessEvents(0);
    QTimer grabRetry;
    int grabTries = 0;
    connect(&grabRetry, &QTimer::timeout, this, [&] {
        if (TakeInput() || ++grabTries > 50) grabRetry.stop();
    });
    if (!TakeInput()) grabRetry.start(100);
    do {
        restart_ = false;
        process_.StopRequested = kFalse16;
        FitSurface();
        RunHostSequence(HostWindow::Saver, host, Surface());
    } while (restart_ && process_.ExitRequested == kFalse16 && isVisible());
    if (isVisible()) close();
    SetSaverRunning(false);
}

void FrmSaver::keyPressEvent(QKeyEvent*) {
    close();
}

void FrmSaver::mousePressEvent(QMouseEvent*) {
    close();
}

void FrmSaver::mouseMoveEvent(QMouseEvent*) {
    if (moves_.OnMove(SecondsSinceMidnight())) close();
}

void FrmSaver::closeEvent(QCloseEvent* event) {
    process_.StopRequested = kTrue16;
    restart_ = false;
    if (!VerifyPassword(static_cast<uintptr_t>(winId()))) {
        event->ignore();
        process_.StopRequested = kFalse16;
        return;
    }
    if (QWindow* window = windowHandle()) {
        window->setKeyboardGrabEnabled(false);
        window->setMouseGrabEnabled(false);
    }
    event->accept();
}

}  // namespace astrelle
