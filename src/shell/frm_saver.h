// frmSaver, the full-screen saver: one borderless window over the whole virtual desktop
// (every monitor), above everything, without a cursor, holding the keyboard and the
// pointer; it closes on any key, any mouse button and sustained mouse movement.
#pragma once

#include "engine/process_values.h"
#include "shell/logic/mouse_moves.h"
#include "shell/saver_view.h"

namespace astrelle {

class FrmSaver : public SaverView {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = "KRLN:Astrelle 2.0";

    // connection: the saver's own X11 connection for presenting, or nullptr.
    FrmSaver(ProcessValues& process, x11::Connection* connection);

    // Covers the screens, hides the cursor, shows the window and takes the input.
    void SetupSaverWindow();
    // The host sequence, until a close request or a termination signal; then unloads.
    void RunAnimation();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool TakeInput();

    ProcessValues& process_;
    MouseMoveCounter moves_;
    bool restart_ = false;
};

}  // namespace astrelle
