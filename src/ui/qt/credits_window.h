// The credits window: a flight through a field of stars, drawn over a colour gradient with
// exclusive-or so that drawing a dot twice erases it, and the credit lines scrolling up
// through a frame in front of it. Every resize starts the flight afresh; a double click
// on the stars toggles between maximized and normal; Cancel/Dismiss ends it.
#pragma once

#include <QDialog>
#include <QImage>

#include "ui/logic/credit_stars.h"

class QPushButton;

namespace astrelle {

struct EngineContext;

class CreditsText;

// The credits window. FormLet gives its set-up; Exec shows it modally and runs the flight,
// pacing frames through the engine's frame wait on ctx (whose host processes the events).
class CreditsWindow : public QDialog {
    Q_OBJECT
  public:
    CreditsWindow(EngineContext& ctx, QWidget* parent = nullptr);
    ~CreditsWindow() override;

    void FormLet(int16_t stars, float speed, float scrollStep, const std::vector<std::string>& lines);
    const CreditsSetup& Setup() const { return setup_; }

    // The star field as currently drawn, and the text panel's place (tests, screenshots).
    const QImage& FieldImage() const { return field_; }
    const CreditStarField& Stars() const { return stars_; }
    QWidget* TextFrame() const;
    QWidget* TextPanel() const;
    QPushButton* DismissButton() const { return cmdDismiss_; }
    int Restarts() const { return restarts_; }
    int64_t Frames() const { return frames_; }

    // The pixel of the field image where a star at (sx, sy) is drawn.
    static QPoint FieldPoint(float sx, float sy, int width, int height);

    // Toggles maximized and normal, as a double click on the stars does.
    void ToggleMaximized();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void Run();
    void LayOut();
    void NewBackground();
    void Dot(float sx, float sy, int width);
    void Scroll();
    void Dismiss();

    EngineContext& ctx_;
    CreditsSetup setup_;
    CreditStarField stars_;
    RandomSource random_;
    QImage field_;
    bool restart_ = false;
    bool running_ = false;
    bool started_ = false;
    int restarts_ = 0;
    int64_t frames_ = 0;
    double textTop_ = 0;

    QWidget* picFrame_;
    CreditsText* picCredits_;
    QPushButton* cmdDismiss_;
};

// FormLet and a modal show in one call.
void ShowCredits(QWidget* parent, EngineContext& ctx, const CreditsSetup& setup);

}  // namespace astrelle
