// The galaxy show of the welcome window.
#include "ui/logic/welcome_show.h"

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/preview.h"
#include "engine/process_values.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/value_utils.h"
#include "ui/logic/dialog_view.h"

namespace astrelle {

namespace {

constexpr int16_t kShowFrames = 300;
constexpr int kShowDelayMs = 32;

int16_t StoredHue(SettingsStore* store, std::string_view key) {
    const SettingDef* def = FindSetting(key);
    if (store != nullptr) return GetSettingInt16(*store, *def);
    return ParseInt16Or(def->missingText, 0);
}

}  // namespace

std::string ProductPageWarning() {
    return "The Web Page could not be reached.\n\nThe desktop's web browser could not be started.\n\nURL:  " +
           std::string(kProductPageUrl);
}

std::vector<std::string> CreditLines() {
    return {
        "Astrelle 2.0",
        "",
        "A journey through a universe of stars",
        "",
        "Design and programming",
        "The Astrelle Team",
        "",
        "Star engine",
        "Galaxy shapes, novas and comets",
        "by the Astrelle Team",
        "",
        "Themes and galaxy types",
        "tuned by many long nights",
        "of watching the sky",
        "",
        "Built with Qt and C++",
        "",
        "Thanks to everyone who tried",
        "the early builds and told us",
        "where the stars went wrong",
        "",
        "Dedicated to all who still",
        "look up at night",
        "",
        "astrelle.example.org",
    };
}

PreviewParams WelcomeShowParams(int16_t type) {
    PreviewParams p;
    p.typeIndex = type;
    p.subject = PreviewSubject::CompositeType;
    p.limited = true;
    p.frameLimit = kShowFrames;
    p.stars = 2000;
    p.trail = 2;
    p.ambientCount = 100;
    p.ambientPersistence = 0.9925f;
    p.ambientAgeStep = 0.1f;
    p.symmetry = 0.0f;
    p.flareFrames = 20;
    p.extension = 50000.0f;
    p.starScale = 0.8f;
    return p;
}

WelcomeShow::WelcomeShow(PreviewTarget& target, GalaxyTypeTable& galaxyTypes, CompositeTable& composites,
                         SettingsStore* store)
    : target_(target),
      galaxyTypes_(galaxyTypes),
      composites_(composites),
      store_(store),
      engine_(std::make_unique<EngineContext>(target.Host(), target.Surface(), galaxyTypes, composites)) {
    engine_->Settings.Adv_TimeDelay = kShowDelayMs;
}

WelcomeShow::~WelcomeShow() = default;

void WelcomeShow::Run() {
    if (running_) return;
    running_ = true;
    ProcessValues& process = target_.Host().Process();
    target_.Host().ProcessEvents(0);

    savedTypes_ = galaxyTypes_;
    savedComposites_ = composites_;
    LoadFactoryGalaxyTypes(galaxyTypes_);
    LoadFactoryComposites(composites_);
    BuildHueTable(*engine_);
    BuildAllHueRamps(*engine_, -1, -1, StoredHue(store_, "Universe_HW_Start"),
                     StoredHue(store_, "Universe_HW_End"));

    while (process.StopRequested == kFalse16) {
        target_.Surface().Clear();
        target_.Present();
        const int16_t k = typeCounter_;
        // Type 0 always runs; the others while their factory row carries weight.
        if (k == 0 || galaxyTypes_[static_cast<size_t>(k)].Weight >= 1) {
            SetupSurface(*engine_, SurfaceSize::Small);
            RunPreview(*engine_, WelcomeShowParams(k));
            ++previewsRun_;
        }
        typeCounter_ = static_cast<int16_t>((k + 1) % kCompositeCount);
    }

    galaxyTypes_ = savedTypes_;
    composites_ = savedComposites_;
    // The stop was ours, to end the show; whoever opened the window starts clean.
    process.StopRequested = kFalse16;
    process.PreviewStopRequested = kFalse16;
    running_ = false;
}

void WelcomeShow::Stop() {
    if (running_) target_.Host().Process().StopRequested = kTrue16;
}

void WelcomeShow::InterruptForCredits() {
    target_.Host().Process().PreviewStopRequested = kTrue16;
}

void WelcomeShow::ResumeAfterCredits() {
    target_.Host().Process().StopRequested = kFalse16;
}

}  // namespace astrelle
