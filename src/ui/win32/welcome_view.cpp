// The welcome window: its painted background and title, the galaxy show in its picture,
// and the web, credits and dismiss buttons.
#include "ui/win32/welcome_view.h"

#include <shellapi.h>

#include <memory>

#include "engine/engine_state.h"
#include "platform/win32/wide_text.h"
#include "ui/logic/gradient_bands.h"
#include "ui/logic/welcome_show.h"
#include "ui/win32/credits_view.h"
#include "ui/win32/dialog_window.h"
#include "ui/win32/gradient_painter.h"
#include "ui/win32/preview_host.h"

namespace astrelle::win32 {

namespace {

enum Item : int { kPicture, kWeb, kCredits, kDismiss };

constexpr uint32_t kBackgroundInner = 0x00802000u;  // RGB(0, 32, 128), packed 0x00BBGGRR
constexpr uint32_t kBackgroundOuter = 0x00000080u;  // RGB(128, 0, 0)
constexpr int kBackgroundBands = 24;
constexpr int kBackgroundStyle = 7;         // circles shrinking to the centre
constexpr double kBackgroundCentreX = 840;  // twips from the window's top-left corner
constexpr double kBackgroundCentreY = 660;
constexpr double kTwipsPerInch = 1440;
constexpr COLORREF kLabelColour = RGB(235, 240, 255);
constexpr COLORREF kTitleColour = RGB(90, 230, 255);
constexpr COLORREF kTitleShadow = RGB(20, 40, 120);
constexpr wchar_t kTitle[] = L"Astrelle";
constexpr int kTitlePoints = 26;
constexpr int kPointsPerInch = 72;
constexpr int16_t kCreditStars = 125;
constexpr float kCreditSpeed = 0.005f;
constexpr float kCreditScroll = 2.0f;
constexpr intptr_t kShellExecuteErrorLimit = 32;  // ShellExecute succeeds above this

// The texts on the background, in dialog units.
constexpr DluRect kTitleBox{8, 4, 120, 26};
constexpr DluRect kVersionBox{8, 34, 118, 10};
constexpr DluRect kSmallPrintBox{8, 48, 118, 50};
constexpr DluRect kContactBox{8, 100, 118, 18};
constexpr DluRect kAddressBox{8, 120, 118, 10};
// A few sparkles by the title.
constexpr DluRect kSparkles[] = {{6, 2, 1, 1}, {116, 4, 1, 1}, {126, 14, 1, 1}, {92, 30, 1, 1}};

std::vector<DialogItem> Items() {
    return {
        DialogItem(ItemKind::Picture, "", {132, 30, 114, 94}, kFramed),
        DialogItem(ItemKind::Button, "&Web...", {8, 136, 50, 14}),
        DialogItem(ItemKind::Button, "&Credits...", {62, 136, 50, 14}),
        DialogItem(ItemKind::Button, "&Dismiss", {196, 136, 50, 14}, kCancelButton | kDefaultButton),
    };
}

class WelcomeWindow final : private DialogHandler {
  public:
    WelcomeWindow(ProcessValues& process, GalaxyTypeTable& galaxyTypes, CompositeTable& composites,
                  SettingsStore* store)
        : window_(std::string(kWelcomeCaption), DluRect{0, 0, 252, 156}, Items()),
          host_(picture_, process),
          show_(host_, galaxyTypes, composites, store) {}

    void Run(HWND owner) {
        if (!window_.Create(owner, *this)) return;
        picture_.Attach(window_.Item(kPicture));
        picture_.Fit();
        window_.BeginModal(Placement::CentreOnOwner);
        window_.Focus(kDismiss);
        // The show runs from the first showing until the window is dismissed.
        show_.Run();
        window_.RunMessageLoop();
        window_.FinishModal();
    }

  private:
    void Dismiss() {
        show_.Stop();
        window_.EndModal();
    }

    void OnCommand(int item, int code) override {
        if (code != BN_CLICKED) return;
        switch (item) {
            case kWeb:
                OpenProductPage(window_.Handle());
                break;
            case kCredits: {
                show_.InterruptForCredits();
                CreditsSetup setup;
                setup.stars = kCreditStars;
                setup.speed = kCreditSpeed;
                setup.scrollStep = kCreditScroll;
                setup.lines = CreditLines();
                CreditsWindow credits(setup);
                credits.Run(window_.Handle(), show_.Engine());
                show_.ResumeAfterCredits();
                InvalidateRect(window_.Handle(), nullptr, TRUE);
                break;
            }
            case kDismiss:
                Dismiss();
                break;
            default:
                break;
        }
    }
    void OnCancel() override { Dismiss(); }
    void OnClose() override { Dismiss(); }
    void OnLayout() override { picture_.Fit(); }
    void OnPaintPicture(int item, HDC dc, const RECT& area) override {
        if (item == kPicture) picture_.Paint(dc, area);
    }

    bool OnEraseBackground(HDC dc) override {
        RECT client{};
        GetClientRect(window_.Handle(), &client);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        const double pixelsPerTwip = window_.Dpi() / kTwipsPerInch;
        const ScaleArea area{0, 0, static_cast<double>(client.right), static_cast<double>(client.bottom)};
        PaintBands(memory,
                   GradientBands(
                       area, kBackgroundInner, kBackgroundOuter, kBackgroundBands, kBackgroundStyle,
                       ScalePoint{kBackgroundCentreX * pixelsPerTwip, kBackgroundCentreY * pixelsPerTwip}));
        PaintTexts(memory);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
        return true;
    }

    void PaintTexts(HDC dc) {
        SetBkMode(dc, TRANSPARENT);
        LOGFONTW logFont{};
        GetObjectW(window_.Font(), sizeof logFont, &logFont);
        // The title: large, bold, with a shadow, and a few sparkles about it.
        LOGFONTW titleFont = logFont;
        titleFont.lfHeight = -MulDiv(kTitlePoints, window_.Dpi(), kPointsPerInch);
        titleFont.lfWeight = FW_HEAVY;
        HFONT title = CreateFontIndirectW(&titleFont);
        HGDIOBJ oldFont = SelectObject(dc, title);
        RECT box = window_.ToPixels(kTitleBox);
        const int shadow = std::max(1, window_.Dpi() / USER_DEFAULT_SCREEN_DPI) * 2;
        OffsetRect(&box, shadow, shadow);
        SetTextColor(dc, kTitleShadow);
        DrawTextW(dc, kTitle, -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        OffsetRect(&box, -shadow, -shadow);
        SetTextColor(dc, kTitleColour);
        DrawTextW(dc, kTitle, -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        for (const DluRect& sparkle : kSparkles) {
            RECT dot = window_.ToPixels(sparkle);
            dot.right = dot.left + shadow;
            dot.bottom = dot.top + shadow;
            FillRect(dc, &dot, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        // The labels.
        LOGFONTW boldFont = logFont;
        boldFont.lfWeight = FW_BOLD;
        HFONT bold = CreateFontIndirectW(&boldFont);
        SetTextColor(dc, kLabelColour);
        SelectObject(dc, bold);
        Text(dc, kWelcomeVersion, kVersionBox);
        SelectObject(dc, window_.Font());
        Text(dc, kWelcomeSmallPrint, kSmallPrintBox);
        Text(dc, kWelcomeContact, kContactBox);
        Text(dc, kProductPageUrl, kAddressBox);
        SelectObject(dc, oldFont);
        DeleteObject(title);
        DeleteObject(bold);
    }

    void Text(HDC dc, std::string_view text, const DluRect& where) {
        RECT box = window_.ToPixels(where);
        const std::wstring wide = Widen(text);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                  DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }

    DialogWindow window_;
    SurfacePicture picture_;
    PreviewHost host_;
    WelcomeShow show_;
};

}  // namespace

void ShowWelcome(HWND owner, ProcessValues& process, GalaxyTypeTable& galaxyTypes, CompositeTable& composites,
                 SettingsStore* store) {
    WelcomeWindow window(process, galaxyTypes, composites, store);
    window.Run(owner);
}

void OpenProductPage(HWND owner) {
    const std::wstring address = Widen(kProductPageUrl);
    const auto result = reinterpret_cast<intptr_t>(
        ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > kShellExecuteErrorLimit) return;
    MessageBoxW(owner, Widen(ProductPageWarning()).c_str(), L"Astrelle", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace astrelle::win32
