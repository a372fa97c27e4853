// The welcome window ("About Astrelle"): product name, version and small print over a
// circular colour gradient, a live show of the composite galaxy types in a small picture,
// and buttons for the product web page, the credits and dismissing it. While it is open the
// shared galaxy type and composite tables hold the factory rows; the user's rows come back
// when it closes.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

#include "engine/engine_state.h"
#include "engine/process_values.h"
#include "settings/settings_model.h"

class QLabel;
class QPushButton;

namespace astrelle {

class SettingsStore;
class SurfacePicture;
class WindowEngineHost;

inline constexpr const char* kProductPageUrl = "https://astrelle.example.org";

// The lines of the credits window.
QStringList CreditLines();

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

    // The galaxy show's state, for tests and screenshots.
    SurfacePicture* Picture() const { return picKRLN_; }
    EngineContext& Engine() { return *engine_; }
    int16_t TypeCounter() const { return typeCounter_; }
    int PreviewsRun() const { return previewsRun_; }
    bool ShowRunning() const { return running_; }

    QPushButton* WebButton() const { return cmdWeb_; }
    QPushButton* CreditsButton() const { return cmdCredits_; }
    QPushButton* DismissButton() const { return cmdDismiss_; }

    // Runs the show until StopRequested; called once the window is first on screen.
    void RunGalaxyShow();
    void ShowCredits();
    void Dismiss();

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    WelcomeContext context_;
    SurfacePicture* picKRLN_;
    std::unique_ptr<WindowEngineHost> host_;
    std::unique_ptr<EngineContext> engine_;
    GalaxyTypeTable savedTypes_;
    CompositeTable savedComposites_;
    int16_t typeCounter_ = 0;
    int previewsRun_ = 0;
    bool started_ = false;
    bool running_ = false;

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
