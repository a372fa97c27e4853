// The welcome window's Qt view ("About Astrelle"): product name, version and small print over
// a circular colour gradient, the galaxy show (ui/logic/welcome_show.h) in a small picture,
// and buttons for the product web page, the credits and dismissing it.
#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>
#include <memory>

#include "engine/process_values.h"
#include "settings/settings_model.h"

class QLabel;
class QPushButton;

namespace astrelle {

class PictureTarget;
class SettingsStore;
class SurfacePicture;
class WelcomeShow;

// Opens the product page in the desktop's web browser. When that fails it shows the
// warning "The Web Page could not be reached." with the address and returns false.
bool OpenProductPage(QWidget* parent);
// Replaces the browser call (tests); an empty function restores it. Returns the previous one.
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener SetUrlOpener(UrlOpener opener);

// The tables and flags the window works with. store, when given, supplies the universe
// hue ramp ends for the colour tables; otherwise their used-when-missing values are used.
struct WelcomeContext {
    ProcessValues& process;
    GalaxyTypeTable& galaxyTypes;
    CompositeTable& composites;
    SettingsStore* store = nullptr;
};

class WelcomeWindow : public QDialog {
    Q_OBJECT
  public:
    explicit WelcomeWindow(const WelcomeContext& context, QWidget* parent = nullptr);
    ~WelcomeWindow() override;

    SurfacePicture* Picture() const { return picKRLN_; }
    WelcomeShow& Show() { return *show_; }
    QPushButton* WebButton() const { return cmdWeb_; }
    QPushButton* CreditsButton() const { return cmdCredits_; }
    QPushButton* DismissButton() const { return cmdDismiss_; }

    void ShowCredits();
    void Dismiss();
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void RunGalaxyShow();

    WelcomeContext context_;
    SurfacePicture* picKRLN_;
    std::unique_ptr<PictureTarget> target_;
    std::unique_ptr<WelcomeShow> show_;
    bool started_ = false;

    QLabel* lblVersion_;
    QLabel* lblSmall_;
    QLabel* lblContact_;
    QLabel* lblAddress_;
    QPushButton* cmdWeb_;
    QPushButton* cmdCredits_;
    QPushButton* cmdDismiss_;
};

// Shows the welcome window modally over parent and returns when it is dismissed.
void ShowWelcome(QWidget* parent, const WelcomeContext& context);

}  // namespace astrelle
