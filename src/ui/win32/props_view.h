// The Win32 view of the properties dialog ("Galaxy Properties"): its layout of pages and
// boxes, its menus, the preview picture with its host, and the dialogs it opens (advanced
// settings, template chooser, welcome) and the help page. All behaviour is the logic's
// (PropsDialog); ShowPropertiesDialog runs one from "/c" or the windowed program.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/process_values.h"
#include "settings/settings_model.h"
#include "ui/logic/props_view.h"
#include "ui/win32/preview_host.h"
#include "ui/win32/win32_view.h"

namespace astrelle {
class PropsDialog;
class SettingsStore;
}  // namespace astrelle

namespace astrelle::win32 {

// Menu entries are reported with this number plus the entry's place in MenuEntry.
inline constexpr int kFirstMenuId = 1000;

// The items of the properties dialog, in tab order, and its menu bar.
std::vector<ViewItem> PropsLayout();
std::vector<MenuEntryDef> PropsMenu();
DluRect PropsClientSize();

class PropsWindowView final : public Win32View<PropsView> {
  public:
    PropsWindowView(const PropsEnvironment& env);
    ~PropsWindowView() override;

    // Makes the dialog owned by owner (a window of another program too) with its logic,
    // opens it (which stores the factory settings on a first run) and shows it modally:
    // centred on owner when there is one, else on the screen.
    DialogResult Run(HWND owner);

    // PropsView
    double TextWidth(const Control& list, std::string_view text) const override;
    void SetBusy(bool busy) override;
    void SetPreviewRunning(const Control& stopButton, bool running) override;
    PreviewTarget& Preview() override;
    std::string ChooseTemplateFile(TemplateMode mode, std::string_view title,
                                   std::string_view types) override;
    bool EditAdvancedSettings(std::string& lockMessage) override;
    void ShowAbout() override;
    void ShowWebPage() override;
    HelpResult OpenHelp(std::string_view topic) override;

  protected:
    void OnMenu(int id) override;
    void OnHelpKey(int item) override;
    void OnCancel() override;
    void OnClose() override;

  private:
    PropsEnvironment env_;
    std::unique_ptr<PropsDialog> dialog_;
    std::unique_ptr<PreviewHost> preview_;
    // While a preview runs: the items that were enabled before, to enable again after.
    std::vector<int> enabledBeforePreview_;
    bool previewRunning_ = false;
};

// "/c" and the windowed program: the properties dialog over the process's store and
// tables, owned by owner when that is a window. Its "Exit" entry sets ExitRequested.
void ShowPropertiesDialog(HWND owner, ProcessValues& process, SettingsStore& store,
                          GalaxyTypeTable& galaxyTypes, CompositeTable& composites);

}  // namespace astrelle::win32
