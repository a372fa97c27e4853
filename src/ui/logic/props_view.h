// The properties dialog's side of the view: what it asks of its view beyond the controls
// every dialog has (measuring list lines, the hourglass, the preview picture, the dialogs
// and pages it opens), and what it works on (the store, the shared tables, the process
// values and the template path of this run).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings_model.h"
#include "ui/logic/dialog_view.h"
#include "ui/logic/template_chooser.h"

namespace astrelle {

class SettingsStore;
struct ProcessValues;

// The tables are the process-wide ones the engine also uses; the template path lives for
// the whole run of the program, across openings of the dialog.
struct PropsEnvironment {
    SettingsStore& store;
    GalaxyTypeTable& galaxyTypes;
    CompositeTable& composites;
    ProcessValues& process;
    std::string& templatePath;
};

// The template path of this process, for callers without one of their own.
std::string& ProcessTemplatePath();

enum class MenuEntry : uint8_t {
    OpenTemplate,
    SaveTemplate,
    SaveTemplateAs,
    Exit,
    Reset,
    Advanced,
    HelpContents,
    HelpSearch,
    WebPage,
    About,
};

enum class HelpResult : uint8_t { Opened, Missing, Failed };

class PropsView : public DialogView {
  public:
    // Width in pixels of a text in the font of a list.
    virtual double TextWidth(const Control& list, std::string_view text) const = 0;
    // The hourglass, while the dialog loads.
    virtual void SetBusy(bool busy) = 0;
    // While a preview runs every control but its stop button is disabled, menus and help
    // key included; afterwards exactly what was enabled before is enabled again.
    virtual void SetPreviewRunning(const Control& stopButton, bool running) = 0;
    virtual PreviewTarget& Preview() = 0;

    // The template chooser: a full path, or "" when nothing was chosen. types is the filter
    // text "description|pattern|description|pattern...".
    virtual std::string ChooseTemplateFile(TemplateMode mode, std::string_view title,
                                           std::string_view types) = 0;
    // The advanced settings dialog over the same store; it may change the lock message.
    // False when it was cancelled.
    virtual bool EditAdvancedSettings(std::string& lockMessage) = 0;
    virtual void ShowAbout() = 0;
    // The product's web page (it says itself when the browser cannot be reached).
    virtual void ShowWebPage() = 0;
    // The help page at a topic.
    virtual HelpResult OpenHelp(std::string_view topic) = 0;
};

}  // namespace astrelle
