// Creating, laying out and running the table-built dialogs; their messages are handled in
// dialog_messages.cpp.
#include "ui/win32/dialog_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "platform/win32/wide_text.h"

namespace astrelle::win32 {

namespace {

constexpr int kFirstItemId = 100;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kResizableStyle = WS_THICKFRAME | WS_MAXIMIZEBOX;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// The spinners never move themselves (the handler writes the field); their position sits
// in the middle of a range that a click can never leave.
constexpr int kSpinRange = 1000;
// The message font when the system does not say: Windows 10's, 9 points.
constexpr wchar_t kFallbackFont[] = L"Segoe UI";
constexpr int kFallbackPoints = 9;
constexpr int kPointsPerInch = 72;
// Fitting a dialog to a small work area: a few smaller fonts tried, none below this share
// of the system's message font.
constexpr int kFitAttempts = 4;
// Entries an opened drop-down list shows before it scrolls.
constexpr int kDropListLines = 12;
constexpr LONG kSmallestFontPercent = 75;

// A dialog template without items: the dialog class gives the window its keyboard
// handling; the items are made from the table.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WORD title;
};

std::vector<DialogWindow*>& LiveDialogs() {
    static std::vector<DialogWindow*> dialogs;
    return dialogs;
}

DialogWindow* LiveDialog(HWND window) {
    if (window == nullptr) return nullptr;
    for (DialogWindow* dialog : LiveDialogs()) {
        if (dialog->Handle() == window) return dialog;
    }
    return nullptr;
}

void InitControls() {
    // Once per process: the classes stay registered.
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{};
        init.dwSize = sizeof init;
        init.dwICC = ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS;
        return InitCommonControlsEx(&init) != FALSE;
    }();
    static_cast<void>(registered);
}

// The system scales a per-monitor dialog itself when its DPI changes (Windows 10 1703 and
// later); the layout here does it from the table instead, so the system is asked not to.
void KeepSystemScalingOut(HWND dialog) {
    using DialogBehaviour = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return;
    auto setBehaviour = reinterpret_cast<DialogBehaviour>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetDialogDpiChangeBehavior")));
    if (setBehaviour != nullptr) setBehaviour(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

struct ItemClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ItemClass ClassOf(const DialogItem& item) {
    const bool noPrefix = (item.flags & kNoPrefix) != 0;
    switch (item.kind) {
        case ItemKind::Label:
            return {WC_STATICW,
                    static_cast<DWORD>(((item.flags & kRightAligned) != 0 ? SS_RIGHT : SS_LEFT) |
                                       ((item.flags & kMultiLine) != 0 ? 0 : SS_ENDELLIPSIS) |
                                       (noPrefix ? SS_NOPREFIX : 0)),
                    0};
        case ItemKind::Group:
            return {WC_BUTTONW, BS_GROUPBOX, 0};
        case ItemKind::Edit:
            return {WC_EDITW,
                    static_cast<DWORD>(WS_TABSTOP | ES_AUTOHSCROLL |
                                       ((item.flags & kReadOnly) != 0 ? ES_READONLY : 0)),
                    WS_EX_CLIENTEDGE};
        case ItemKind::UpDown:
            return {UPDOWN_CLASSW, UDS_HOTTRACK, 0};
        case ItemKind::Button:
            return {WC_BUTTONW,
                    static_cast<DWORD>(
                        WS_TABSTOP | ((item.flags & kDefaultButton) != 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
                    0};
        case ItemKind::CheckBox:
            return {WC_BUTTONW,
                    static_cast<DWORD>(WS_TABSTOP | BS_AUTOCHECKBOX |
                                       ((item.flags & kTextLeft) != 0 ? BS_LEFTTEXT | BS_RIGHTBUTTON : 0)),
                    0};
        case ItemKind::DropList:
            return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case ItemKind::List:
        case ItemKind::MultiList: {
            // Whole lines only: the list shrinks to the lines that fit.
            DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY;
            if (item.kind == ItemKind::MultiList) style |= LBS_MULTIPLESEL;
            if ((item.flags & kOwnerDrawList) != 0) style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
            if ((item.flags & kSorted) != 0) style |= LBS_SORT;
            return {WC_LISTBOXW, style, WS_EX_CLIENTEDGE};
        }
        case ItemKind::Picture:
            return {WC_STATICW,
                    static_cast<DWORD>(SS_OWNERDRAW | ((item.flags & kClicks) != 0 ? SS_NOTIFY : 0) |
                                       ((item.flags & kUnderneath) != 0 ? WS_CLIPSIBLINGS : 0)),
                    static_cast<DWORD>((item.flags & kFramed) != 0 ? WS_EX_STATICEDGE : 0)};
    }
    return {WC_STATICW, SS_LEFT, 0};
}

LOGFONTW MessageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                   static_cast<UINT>(dpi))) {
        return metrics.lfMessageFont;
    }
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kFallbackPoints, dpi, kPointsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcscpy_s(font.lfFaceName, kFallbackFont);
    return font;
}

}  // namespace

DialogWindow::DialogWindow(std::string caption, DluRect clientSize, std::vector<DialogItem> items,
                           std::vector<MenuEntryDef> menu, DialogFrame frame)
    : caption_(std::move(caption)),
      clientSize_(clientSize),
      items_(std::move(items)),
      menu_(std::move(menu)),
      frame_(frame),
      windows_(items_.size(), nullptr) {}

DialogWindow::~DialogWindow() {
    auto& live = LiveDialogs();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
}

bool DialogWindow::Create(HWND owner, DialogHandler& handler) {
    InitControls();
    handler_ = &handler;
    EmptyTemplate dialogTemplate{};
    dialogTemplate.header.style = kDialogStyle | (frame_ == DialogFrame::Resizable ? kResizableStyle : 0);
    dialogTemplate.header.dwExtendedStyle = kDialogExStyle;
    if (owner != nullptr && IsWindow(owner) == FALSE) owner = nullptr;
    window_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.header, owner, Procedure,
                                         reinterpret_cast<LPARAM>(this));
    if (window_ == nullptr) return false;
    LiveDialogs().push_back(this);
    return true;
}

bool DialogWindow::CreateItems() {
    SetWindowTextW(window_, Widen(caption_).c_str());
    KeepSystemScalingOut(window_);
    CreateMenuBar();
    // The font comes first: owner-drawn lists measure their lines with it as they are made.
    const UINT dpi = GetDpiForWindow(window_);
    dpi_ = dpi != 0 ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
    LOGFONTW logFont = MessageFont(dpi_);
    font_ = CreateFontIndirectW(&logFont);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (size_t i = 0; i < items_.size(); ++i) {
        const DialogItem& item = items_[i];
        const ItemClass itemClass = ClassOf(item);
        int id = kFirstItemId + static_cast<int>(i);
        if ((item.flags & kDefaultButton) != 0) id = IDOK;
        if ((item.flags & kCancelButton) != 0) id = IDCANCEL;
        HWND child = CreateWindowExW(itemClass.exStyle, itemClass.name, Widen(item.text).c_str(),
                                     WS_CHILD | WS_VISIBLE | itemClass.style, 0, 0, 0, 0, window_,
                                     reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), instance, nullptr);
        if (child == nullptr) return false;
        windows_[i] = child;
        if (item.kind == ItemKind::Edit)
            SetWindowSubclass(child, EditProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
        if (item.kind == ItemKind::UpDown) {
            SendMessageW(child, UDM_SETRANGE32, 0, kSpinRange);
            SendMessageW(child, UDM_SETPOS32, 0, kSpinRange / 2);
        }
    }
    Layout(dpi_);
    UpdateVisibility();
    return true;
}

void DialogWindow::CreateMenuBar() {
    if (menu_.empty()) return;
    menuBar_ = CreateMenu();
    HMENU popup = nullptr;
    for (const MenuEntryDef& entry : menu_) {
        if (entry.popup) {
            popup = CreatePopupMenu();
            AppendMenuW(menuBar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                        Widen(entry.text).c_str());
            continue;
        }
        if (popup == nullptr) continue;
        if (entry.text.empty()) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(entry.id), Widen(entry.text).c_str());
        }
    }
    SetMenu(window_, menuBar_);
}

RECT DialogWindow::ToPixels(const DluRect& rect) const {
    RECT pixels{};
    pixels.left = MulDiv(rect.x, baseX_, 4);
    pixels.top = MulDiv(rect.y, baseY_, 8);
    pixels.right = MulDiv(rect.x + rect.w, baseX_, 4);
    pixels.bottom = MulDiv(rect.y + rect.h, baseY_, 8);
    return pixels;
}

HFONT DialogWindow::MeasureFont(const LOGFONTW& logFont, TEXTMETRICW& metrics) {
    HFONT font = CreateFontIndirectW(&logFont);
    HDC dc = GetDC(window_);
    HGDIOBJ previous = SelectObject(dc, font);
    GetTextMetricsW(dc, &metrics);
    // The dialog base units as Windows computes them for a dialog font.
    static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPoint32W(dc, kLetters, static_cast<int>(std::size(kLetters) - 1), &letters);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    baseX_ = (letters.cx / 26 + 1) / 2;
    baseY_ = metrics.tmHeight;
    return font;
}

RECT DialogWindow::FrameFor(int dpi) const {
    RECT frame = ToPixels(DluRect{0, 0, clientSize_.w, clientSize_.h});
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)),
                             menuBar_ != nullptr, kDialogExStyle, static_cast<UINT>(dpi));
    return frame;
}

void DialogWindow::Layout(int dpi) {
    dpi_ = dpi;
    LOGFONTW logFont = MessageFont(dpi);
    TEXTMETRICW metrics{};
    HFONT font = MeasureFont(logFont, metrics);
    // A dialog larger than the work area of its monitor (a large one at a high scale on a
    // small screen) takes a smaller font, down to a floor, so that all of it, its buttons
    // too, stays on the screen; its text still fits, being laid out in the font's units.
    if (frame_ == DialogFrame::Fixed) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const double workWidth = monitor.rcWork.right - monitor.rcWork.left;
        const double workHeight = monitor.rcWork.bottom - monitor.rcWork.top;
        const LONG sign = logFont.lfHeight < 0 ? -1 : 1;
        const LONG systemSize = std::abs(logFont.lfHeight);
        const LONG smallest = std::max<LONG>(1, systemSize * kSmallestFontPercent / 100);
        LONG size = systemSize;
        for (int attempt = 0; attempt < kFitAttempts; ++attempt) {
            const RECT frame = FrameFor(dpi);
            const double fit =
                std::min(workWidth / (frame.right - frame.left), workHeight / (frame.bottom - frame.top));
            if (fit >= 1.0 || size <= smallest) break;
            // Text grows a little less than its height: a step beyond the ratio, never none.
            const LONG next =
                std::max(smallest, std::min(size - 1, static_cast<LONG>(std::floor(size * fit))));
            size = next;
            logFont.lfHeight = sign * size;
            DeleteObject(font);
            font = MeasureFont(logFont, metrics);
        }
    }

    for (size_t i = 0; i < items_.size(); ++i) {
        HWND child = windows_[i];
        if (child == nullptr) continue;
        const RECT place = ToPixels(items_[i].rect);
        // Font and line height first: a list fits its height to whole lines of them.
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if ((items_[i].flags & kOwnerDrawList) != 0) {
            SendMessageW(child, LB_SETITEMHEIGHT, 0, metrics.tmHeight + kListLinePadding);
        }
        SetWindowPos(child, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (items_[i].kind == ItemKind::DropList) {
            // The closed box takes its height from the font; the rectangle's is the list's.
            SendMessageW(child, CB_SETMINVISIBLE, kDropListLines, 0);
        }
    }
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;

    const RECT client = ToPixels(DluRect{0, 0, clientSize_.w, clientSize_.h});
    const RECT frame = FrameFor(dpi);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps, or a frame of another DPI than asked for, leaves the client area
    // off by what the estimate missed: the frame takes that difference too.
    RECT got{};
    GetClientRect(window_, &got);
    const int missingWidth = client.right - got.right;
    const int missingHeight = client.bottom - got.bottom;
    if (missingWidth != 0 || missingHeight != 0) {
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + missingWidth,
                     frame.bottom - frame.top + missingHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_, nullptr, TRUE);
    if (handler_ != nullptr) handler_->OnLayout();
}

HWND DialogWindow::Item(int item) const {
    if (item < 0 || item >= ItemCount()) return nullptr;
    return windows_[static_cast<size_t>(item)];
}

int DialogWindow::ItemOf(HWND child) const {
    if (child == nullptr) return -1;
    for (size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i] == child) return static_cast<int>(i);
    }
    return -1;
}

int DialogWindow::ItemOfId(int id) const {
    if (id == IDOK || id == IDCANCEL) {
        const uint16_t flag = id == IDOK ? kDefaultButton : kCancelButton;
        for (size_t i = 0; i < items_.size(); ++i) {
            if ((items_[i].flags & flag) != 0) return static_cast<int>(i);
        }
        return -1;
    }
    const int item = id - kFirstItemId;
    return item >= 0 && item < ItemCount() ? item : -1;
}

int DialogWindow::FocusedItem() const {
    HWND focus = GetFocus();
    const int item = ItemOf(focus);
    if (item >= 0 || focus == nullptr) return item;
    // The edit inside a combo box, should one be there.
    return ItemOf(GetParent(focus));
}

void DialogWindow::ShowPage(int set, int index) {
    if (set < 0) return;
    if (static_cast<size_t>(set) >= pagesShown_.size()) pagesShown_.resize(static_cast<size_t>(set) + 1, 0);
    pagesShown_[static_cast<size_t>(set)] = index;
    UpdateVisibility();
}

int DialogWindow::PageShown(int set) const {
    if (set < 0 || static_cast<size_t>(set) >= pagesShown_.size()) return 0;
    return pagesShown_[static_cast<size_t>(set)];
}

bool DialogWindow::ItemOnShownPage(int item) const {
    const DialogItem& def = ItemDef(item);
    auto shown = [this](const PageRef& page) { return page.set < 0 || PageShown(page.set) == page.index; };
    return shown(def.page) && shown(def.subPage);
}

void DialogWindow::UpdateVisibility() {
    if (window_ == nullptr) return;
    HWND focus = GetFocus();
    bool focusHidden = false;
    // Showing first and hiding after keeps the dialog from flashing its background.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < ItemCount(); ++i) {
            const bool show = ItemOnShownPage(i);
            if (show != (pass == 0)) continue;
            HWND child = windows_[static_cast<size_t>(i)];
            if (!show && child == focus) focusHidden = true;
            ShowWindow(child, show ? SW_SHOWNA : SW_HIDE);
        }
    }
    // A hidden control cannot keep the keyboard: the next one in the tab order takes it.
    if (focusHidden) SendMessageW(window_, WM_NEXTDLGCTL, 0, FALSE);
}

void DialogWindow::Focus(int item) {
    HWND child = Item(item);
    if (child == nullptr) return;
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(child), TRUE);
}

void DialogWindow::SetBusy(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void DialogWindow::EnableMenu(bool enabled) {
    if (menuBar_ == nullptr) return;
    const int count = GetMenuItemCount(menuBar_);
    for (int i = 0; i < count; ++i) {
        EnableMenuItem(menuBar_, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    DrawMenuBar(window_);
}

void DialogWindow::Place(Placement placement) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        RECT frame{};
        GetWindowRect(window_, &frame);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        HWND owner = GetWindow(window_, GW_OWNER);
        const bool onOwner =
            placement == Placement::CentreOnOwner && owner != nullptr && IsWindowVisible(owner);
        HMONITOR monitor = owner != nullptr ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                            : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(monitor, &info);
        const RECT work = info.rcWork;
        RECT target = work;
        if (onOwner) GetWindowRect(owner, &target);
        int x = target.left + (target.right - target.left - width) / 2;
        int y = target.top + (target.bottom - target.top - height) / 2;
        // Never off the work area, the caption first when the dialog is the larger.
        x = std::max<int>(work.left, std::min<int>(x, work.right - width));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
        const int dpiBefore = dpi_;
        SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // On a monitor of another DPI the dialog took a new size, and on a smaller one it
        // may take a smaller font: centre it as it is then.
        const bool tooLarge = width > work.right - work.left || height > work.bottom - work.top;
        if (dpi_ == dpiBefore && !tooLarge) break;
        if (dpi_ == dpiBefore) Layout(dpi_);
    }
}

void DialogWindow::RunModal(Placement placement) {
    BeginModal(placement);
    RunMessageLoop();
    FinishModal();
}

void DialogWindow::BeginModal(Placement placement) {
    HWND owner = GetWindow(window_, GW_OWNER);
    ownerDisabled_ = owner != nullptr && IsWindowEnabled(owner);
    if (ownerDisabled_) EnableWindow(owner, FALSE);
    Place(placement);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    if (FocusedItem() < 0) SendMessageW(window_, WM_NEXTDLGCTL, 0, FALSE);
}

void DialogWindow::RunMessageLoop() {
    while (!ended_) {
        MSG message{};
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        DispatchDialogMessage(message);
    }
}

void DialogWindow::FinishModal() {
    // The owner first, so that it can take the activation when the dialog goes; and it is
    // handed over, so that the owner's keys reach it again rather than nobody.
    HWND owner = GetWindow(window_, GW_OWNER);
    if (ownerDisabled_) EnableWindow(owner, TRUE);
    ownerDisabled_ = false;
    const bool active = GetActiveWindow() == window_ || GetForegroundWindow() == window_;
    ShowWindow(window_, SW_HIDE);
    if (owner == nullptr || !active) return;
    if (GetWindowThreadProcessId(owner, nullptr) == GetCurrentThreadId()) {
        SetFocus(owner);
    } else {
        SetForegroundWindow(owner);
    }
}

void DialogWindow::PlaceItem(int item, const RECT& place) {
    if (HWND child = Item(item)) {
        SetWindowPos(child, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void DispatchDialogMessage(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (DialogWindow* dialog = LiveDialog(root)) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_F1) {
            if (dialog->handler_ != nullptr) dialog->handler_->OnHelpKey(dialog->FocusedItem());
            return;
        }
        if (IsDialogMessageW(root, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool DispatchPendingMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        DispatchDialogMessage(message);
    }
    return true;
}

}  // namespace astrelle::win32
