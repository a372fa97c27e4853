// The properties dialog's Win32 view: what only this dialog asks of its view.
#include "ui/win32/props_view.h"

#include <shellapi.h>

#include "platform/win32/wide_text.h"
#include "ui/logic/advanced_dialog.h"
#include "ui/logic/props_dialog.h"
#include "ui/logic/props_text.h"
#include "ui/logic/template_chooser.h"
#include "ui/win32/advanced_view.h"
#include "ui/win32/help_page.h"
#include "ui/win32/template_view.h"
#include "ui/win32/welcome_view.h"

namespace astrelle::win32 {

namespace {

constexpr int kMainPageSet = 0;
constexpr int kUniversePageSet = 1;
constexpr int kGalaxyPageSet = 2;
constexpr int kMenuEntries = static_cast<int>(MenuEntry::About) + 1;

}  // namespace

PropsWindowView::PropsWindowView(const PropsEnvironment& env)
    : Win32View<PropsView>(props_text::kCaption, PropsClientSize(), PropsLayout(), PropsMenu(),
                           {{ControlId::MainPages, kMainPageSet},
                            {ControlId::UniversePages, kUniversePageSet},
                            {ControlId::GalaxyPages, kGalaxyPageSet}}),
      env_(env) {
    // The logic takes the preview's host and surface as it is made.
    preview_ = std::make_unique<PreviewHost>(*PictureOf(Own(ControlId::PreviewPicture)), env_.process);
}

PropsWindowView::~PropsWindowView() = default;

DialogResult PropsWindowView::Run(HWND owner) {
    dialog_ = std::make_unique<PropsDialog>(env_, *this);
    if (!Create(owner, *dialog_)) return DialogResult::Rejected;
    dialog_->Open();
    const bool owned = owner != nullptr && IsWindow(owner) != FALSE;
    return RunModal(owned ? Placement::CentreOnOwner : Placement::CentreOnScreen);
}

double PropsWindowView::TextWidth(const Control& list, std::string_view text) const {
    HWND window = Window(list);
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, window_.Font());
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size.cx;
}

void PropsWindowView::SetBusy(bool busy) {
    window_.SetBusy(busy);
}

void PropsWindowView::SetPreviewRunning(const Control& stopButton, bool running) {
    if (running == previewRunning_) return;
    previewRunning_ = running;
    const int stop = ItemOf(stopButton);
    if (running) {
        enabledBeforePreview_.clear();
        for (int item = 0; item < window_.ItemCount(); ++item) {
            HWND window = window_.Item(item);
            if (item == stop || IsWindowEnabled(window) == FALSE) continue;
            enabledBeforePreview_.push_back(item);
            EnableWindow(window, FALSE);
        }
        window_.EnableMenu(false);
        window_.Focus(stop);
    } else {
        for (const int item : enabledBeforePreview_) EnableWindow(window_.Item(item), TRUE);
        enabledBeforePreview_.clear();
        window_.EnableMenu(true);
        window_.Focus(stop);
    }
}

PreviewTarget& PropsWindowView::Preview() {
    return *preview_;
}

std::string PropsWindowView::ChooseTemplateFile(TemplateMode mode, std::string_view title,
                                                std::string_view types) {
    TemplateWindowView chooser;
    TemplateChooser logic(chooser, mode, title, types);
    if (!chooser.Create(Handle(), logic)) return {};
    logic.Open();
    chooser.RunModal(Placement::CentreOnScreen);
    logic.OnClosed();
    return logic.Accepted() ? logic.FullFileName() : std::string();
}

bool PropsWindowView::EditAdvancedSettings(std::string& lockMessage) {
    AdvancedWindowView view;
    AdvancedDialog logic(view, env_.store);
    if (!view.Create(Handle(), logic)) return false;
    logic.Load(lockMessage);
    if (view.RunModal(Placement::CentreOnScreen) != DialogResult::Accepted) return false;
    lockMessage = logic.Message();
    return true;
}

void PropsWindowView::ShowAbout() {
    ShowWelcome(Handle(), env_.process, env_.galaxyTypes, env_.composites, &env_.store);
}

void PropsWindowView::ShowWebPage() {
    OpenProductPage(Handle());
}

HelpResult PropsWindowView::OpenHelp(std::string_view topic) {
    switch (OpenHelpPage(topic)) {
        case HelpOpening::Opened:
            return HelpResult::Opened;
        case HelpOpening::Missing:
            return HelpResult::Missing;
        case HelpOpening::Failed:
            break;
    }
    return HelpResult::Failed;
}

void PropsWindowView::OnMenu(int id) {
    const int entry = id - kFirstMenuId;
    if (dialog_ == nullptr || entry < 0 || entry >= kMenuEntries || previewRunning_) return;
    dialog_->OnMenu(static_cast<MenuEntry>(entry));
}

void PropsWindowView::OnHelpKey(int item) {
    // While a preview runs the help key rests with the rest of the dialog.
    if (dialog_ == nullptr || previewRunning_) return;
    std::string_view topic;
    if (item >= 0) {
        const ViewItem& view = ViewItemAt(item);
        if (view.part != Part::Decoration) topic = PropsDialog::HelpTopic(view.control);
        // Without a topic of its own, a control has its page's.
        const auto pageTopic = [this](const PageRef& page) {
            for (const auto& [pages, set] : {std::pair{ControlId::MainPages, kMainPageSet},
                                             std::pair{ControlId::UniversePages, kUniversePageSet},
                                             std::pair{ControlId::GalaxyPages, kGalaxyPageSet}}) {
                if (set == page.set) return PropsDialog::PageHelpTopic(Own(pages), page.index);
            }
            return std::string_view();
        };
        if (topic.empty()) topic = pageTopic(view.item.subPage);
        if (topic.empty()) topic = pageTopic(view.item.page);
    }
    dialog_->OnHelpKey(topic.empty() ? std::string_view(props_text::kHelpContents) : topic);
}

void PropsWindowView::OnCancel() {
    if (dialog_ != nullptr) dialog_->OnCancel();
}

void PropsWindowView::OnClose() {
    if (dialog_ != nullptr && dialog_->OnCloseRequested()) Close(DialogResult::Rejected);
}

void ShowPropertiesDialog(HWND owner, ProcessValues& process, SettingsStore& store,
                          GalaxyTypeTable& galaxyTypes, CompositeTable& composites) {
    PropsWindowView view(PropsEnvironment{store, galaxyTypes, composites, process, ProcessTemplatePath()});
    view.Run(owner);
}

}  // namespace astrelle::win32
