// frmScreen, the window of the windowed program: resizable with its stored placement when
// Adv_WinResize is "1", else covering the screen without a cursor. Escape closes, F5
// restarts with the settings re-read, other keys and clicks open the properties dialog.
#pragma once

#include "engine/process_values.h"
#include "shell/saver_view.h"

namespace astrelle {

class FrmScreen : public SaverView {
    Q_OBJECT
  public:
    // connection: the saver's own X11 connection for presenting, or nullptr.
    FrmScreen(ProcessValues& process, x11::Connection* connection);

    // Runs the program: set-up, the host sequence, restarts after F5 or a resize; returns
    // when the window is closed.
    void Run();

    bool Resizable() const { return resizable_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void StartScreenWindow();
    void SaveWindowPlacement();
    void RestoreWindowPlacement();
    void Restart();
    void OpenProperties();
    void CloseProgram();

    ProcessValues& process_;
    bool resizable_ = false;
    bool restart_ = false;
    bool closed_ = false;
    bool settingUp_ = false;
};

}  // namespace astrelle
