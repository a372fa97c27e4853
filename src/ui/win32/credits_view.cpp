// The credits window's flight, text and layout.
#include "ui/win32/credits_view.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_state.h"
#include "engine/frame_loop.h"
#include "platform/win32/wide_text.h"
#include "ui/win32/gradient_painter.h"

namespace astrelle::win32 {

namespace {

enum Item : int { kDismiss, kText, kField };

constexpr uint32_t kFieldInner = 0x00300000u;  // RGB(0, 0, 48), packed 0x00BBGGRR
constexpr uint32_t kFieldOuter = 0x000000A0u;  // RGB(160, 0, 0)
constexpr int kFieldBands = 24;
constexpr int kFieldStyle = 2;  // rectangles shrinking to the centre
constexpr uint32_t kWhite = 0x00FFFFFFu;
constexpr COLORREF kTextColour = RGB(0, 255, 255);
constexpr COLORREF kShadowColour = RGB(0, 128, 128);
constexpr int kButtonMargin = 8;
constexpr int kTextBoldness = FW_BOLD;
constexpr int kTextScalePercent = 115;

std::vector<DialogItem> Items() {
    // The button and the text lie on the star field: they come first, so they are on top.
    return {
        DialogItem(ItemKind::Button, "&Dismiss", {0, 0, 50, 14}, kCancelButton | kDefaultButton),
        DialogItem(ItemKind::Picture, "", {0, 0, 10, 10}),
        DialogItem(ItemKind::Picture, "", {0, 0, 260, 200}, kClicks | kUnderneath),
    };
}

}  // namespace

CreditsWindow::CreditsWindow(const CreditsSetup& setup)
    : setup_(ClampCreditsSetup(setup)),
      window_(kCreditsCaption, DluRect{0, 0, 260, 200}, Items(), {}, DialogFrame::Resizable) {}

void CreditsWindow::Run(HWND owner, EngineContext& ctx) {
    ctx_ = &ctx;
    if (!window_.Create(owner, *this)) return;
    field_.Attach(window_.Item(kField));
    RECT client{};
    GetClientRect(window_.Handle(), &client);
    OnResized(client.right, client.bottom);
    OnLayout();
    ProcessValues& process = ctx.Host.Process();
    process.StopRequested = kFalse16;
    window_.BeginModal(Placement::CentreOnOwner);
    bool stopped = false;
    while (!stopped && !window_.Ended()) {
        restart_ = false;
        NewBackground();
        random_.Seed(ctx.Host.ClockSeed());
        ctx.Host.ProcessEvents(0);
        stars_.Start(setup_.stars, random_, [this](float sx, float sy, int width) { Dot(sx, sy, width); });
        field_.Present();
        while (!restart_ && !window_.Ended()) {
            ctx.FrameStartTick = ctx.Host.TickCount();
            stars_.Frame(setup_.speed, random_,
                         [this](float sx, float sy, int width) { Dot(sx, sy, width); });
            field_.Present();
            ShowText();
            if (FrameWait(ctx)) {
                stopped = true;
                break;
            }
            RECT frame{};
            GetClientRect(window_.Item(kText), &frame);
            const double textHeight =
                static_cast<double>(lineHeight_) * static_cast<double>(setup_.lines.size());
            top_ = NextCreditsTop(top_, textHeight, frame.bottom, setup_.scrollStep);
        }
    }
    window_.FinishModal();
    if (font_ != nullptr) DeleteObject(font_);
    font_ = nullptr;
}

void CreditsWindow::Dismiss() {
    if (ctx_ != nullptr) ctx_->Host.Process().StopRequested = kTrue16;
    window_.EndModal();
}

void CreditsWindow::OnCommand(int item, int code) {
    if (item == kDismiss && code == BN_CLICKED) Dismiss();
}

void CreditsWindow::OnCancel() {
    Dismiss();
}

void CreditsWindow::OnClose() {
    Dismiss();
}

void CreditsWindow::OnPictureDoubleClick(int item) {
    if (item != kField) return;
    ShowWindow(window_.Handle(), IsZoomed(window_.Handle()) ? SW_RESTORE : SW_MAXIMIZE);
}

void CreditsWindow::OnResized(int width, int height) {
    // The field fills the window; the text frame stands in its middle, the button in its
    // bottom-right corner.
    const RECT button = window_.ToPixels(DluRect{0, 0, 50, 14});
    const int margin = MulDiv(kButtonMargin, window_.Dpi(), USER_DEFAULT_SCREEN_DPI);
    window_.PlaceItem(kDismiss, RECT{width - margin - button.right, height - margin - button.bottom,
                                     width - margin, height - margin});
    window_.PlaceItem(kText, RECT{width / 10, height * 3 / 10, width * 9 / 10, height * 17 / 20});
    window_.PlaceItem(kField, RECT{0, 0, width, height});
    field_.Fit();
    restart_ = true;
    if (lineHeight_ > 0) {
        RECT frame{};
        GetClientRect(window_.Item(kText), &frame);
        top_ = frame.bottom - kCreditsEntryGap;
    }
    InvalidateRect(window_.Handle(), nullptr, TRUE);
}

void CreditsWindow::OnLayout() {
    LOGFONTW logFont{};
    GetObjectW(window_.Font(), sizeof logFont, &logFont);
    logFont.lfWeight = kTextBoldness;
    logFont.lfHeight = logFont.lfHeight * kTextScalePercent / 100;
    HFONT font = CreateFontIndirectW(&logFont);
    HDC dc = GetDC(window_.Handle());
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window_.Handle(), dc);
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
    lineHeight_ = metrics.tmHeight;
    RECT frame{};
    GetClientRect(window_.Item(kText), &frame);
    top_ = frame.bottom - kCreditsEntryGap;
    field_.Fit();
}

void CreditsWindow::NewBackground() {
    PixelSurface& surface = field_.Surface();
    const ScaleArea area{0, 0, static_cast<double>(surface.Width()), static_cast<double>(surface.Height())};
    field_.SetDrawing([area](PixelSurface& s) {
        PaintBands(s, GradientBands(area, kFieldInner, kFieldOuter, kFieldBands, kFieldStyle));
    });
}

void CreditsWindow::Dot(float sx, float sy, int width) {
    // The field spans -1..1 both ways, 0 in the middle; a dot drawn again where it was
    // turns every pixel back (exclusive or with white).
    PixelSurface& surface = field_.Surface();
    const int x0 = static_cast<int>(std::floor((sx + 1.0f) * 0.5f * static_cast<float>(surface.Width())));
    const int y0 = static_cast<int>(std::floor((sy + 1.0f) * 0.5f * static_cast<float>(surface.Height())));
    for (int y = y0; y < y0 + width; ++y) {
        for (int x = x0; x < x0 + width; ++x) surface.SetPixel(x, y, surface.GetPixel(x, y) ^ kWhite);
    }
}

void CreditsWindow::ShowText() {
    HWND frame = window_.Item(kText);
    HDC dc = GetDC(frame);
    PaintText(dc);
    ReleaseDC(frame, dc);
}

void CreditsWindow::PaintText(HDC dc) {
    HWND frame = window_.Item(kText);
    RECT area{};
    GetClientRect(frame, &area);
    // The stars behind the frame, then the lines over them: the text floats over the flight.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    POINT origin{0, 0};
    MapWindowPoints(frame, window_.Item(kField), &origin, 1);
    SetViewportOrgEx(memory, -origin.x, -origin.y, nullptr);
    field_.Paint(memory, RECT{origin.x, origin.y, origin.x + area.right, origin.y + area.bottom});
    SetViewportOrgEx(memory, 0, 0, nullptr);
    HGDIOBJ oldFont = SelectObject(memory, font_ != nullptr ? font_ : window_.Font());
    SetBkMode(memory, TRANSPARENT);
    const int top = static_cast<int>(std::lround(top_));
    for (size_t i = 0; i < setup_.lines.size(); ++i) {
        const std::wstring line = Widen(setup_.lines[i]);
        const int y = top + static_cast<int>(i) * lineHeight_;
        if (y + lineHeight_ < 0 || y > area.bottom) continue;
        RECT box{0, y, area.right, y + lineHeight_};
        OffsetRect(&box, 1, 1);
        SetTextColor(memory, kShadowColour);
        DrawTextW(memory, line.c_str(), static_cast<int>(line.size()), &box,
                  DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        OffsetRect(&box, -1, -1);
        SetTextColor(memory, kTextColour);
        DrawTextW(memory, line.c_str(), static_cast<int>(line.size()), &box,
                  DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void CreditsWindow::OnPaintPicture(int item, HDC dc, const RECT& area) {
    if (item == kField) {
        field_.Paint(dc, area);
    } else if (item == kText) {
        PaintText(dc);
    }
}

}  // namespace astrelle::win32
