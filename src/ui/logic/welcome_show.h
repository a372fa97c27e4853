// The welcome window's galaxy show as plain logic: while the window is open the shared
// tables hold the factory rows, and the show previews the composite types one after
// another in the window's picture until a stop is requested; the user's tables come back
// when it ends. The credits interrupt the current preview and the show goes on after them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_model.h"

namespace astrelle {

class PreviewTarget;
class SettingsStore;
struct EngineContext;
struct PreviewParams;

// The welcome screen's texts, the product's web page and the lines of the credits.
inline constexpr std::string_view kWelcomeCaption = "About Astrelle";
inline constexpr std::string_view kWelcomeVersion = "Version 2.0";
inline constexpr std::string_view kWelcomeSmallPrint =
    "A three-dimensional star-field screen saver: universes of galaxies are born, spin and fade while the "
    "camera tours them.\nCopyright \u00A9 2026 the Astrelle Team. Free to use and to share.";
inline constexpr std::string_view kWelcomeContact = "The Astrelle Team, team@astrelle.example.org";
inline constexpr std::string_view kProductPageUrl = "https://astrelle.example.org";
// The warning when the desktop's browser cannot show the product page.
std::string ProductPageWarning();
std::vector<std::string> CreditLines();

// The preview the show runs for composite type `type`: 300 frames, reduced stars.
PreviewParams WelcomeShowParams(int16_t type);

class WelcomeShow {
  public:
    // store, when given, supplies the universe hue ramp ends for the colour tables;
    // otherwise their used-when-missing values are used.
    WelcomeShow(PreviewTarget& target, GalaxyTypeTable& galaxyTypes, CompositeTable& composites,
                SettingsStore* store);
    ~WelcomeShow();

    EngineContext& Engine() { return *engine_; }
    int16_t TypeCounter() const { return typeCounter_; }
    int PreviewsRun() const { return previewsRun_; }
    bool Running() const { return running_; }

    // Runs until StopRequested (the host processes the window's events meanwhile), then
    // gives the tables back and clears the stop flags it was ended with.
    void Run();
    // Dismissing the window: ends a running show (which clears the flag again).
    void Stop();
    // The credits: the current preview ends; after them the show goes on.
    void InterruptForCredits();
    void ResumeAfterCredits();

  private:
    PreviewTarget& target_;
    GalaxyTypeTable& galaxyTypes_;
    CompositeTable& composites_;
    SettingsStore* store_;
    std::unique_ptr<EngineContext> engine_;
    GalaxyTypeTable savedTypes_{};
    CompositeTable savedComposites_{};
    int16_t typeCounter_ = 0;
    int previewsRun_ = 0;
    bool running_ = false;
};

}  // namespace astrelle
