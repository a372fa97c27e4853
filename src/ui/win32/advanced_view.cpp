// Layout and font list of the advanced settings dialog.
#include "ui/win32/advanced_view.h"

#include <algorithm>
#include <set>

#include "platform/win32/wide_text.h"
#include "ui/win32/layout_builder.h"

namespace astrelle::win32 {

namespace {

constexpr char kCaption[] = "Advanced Settings";
constexpr char kDelayBox[] = "Frame Delay for Animation Smoothing";
constexpr char kDelayLabel[] = "Delay in Milliseconds (0 - 999):";
constexpr char kMessageBox[] = "Message";
constexpr char kTextLabel[] = "&Text:";
constexpr char kFontLabel[] = "&Font:";
constexpr char kSizeLabel[] = "&Size:";
constexpr char kHueLabel[] = "&Hue (0 - 359):";
constexpr char kDisplayBox[] = "Display Properties";
constexpr char kResize[] = "Window can be resized (EXE version only)";
constexpr char kDefaults[] = "&Defaults";
constexpr char kOk[] = "OK";
constexpr char kCancel[] = "Cancel";

constexpr int kFieldHeight = 12;
constexpr int kLabelHeight = 8;
constexpr int kButtonHeight = 14;

std::vector<ViewItem> Layout() {
    LayoutBuilder b([](std::string_view key) { return FindRow(AdvancedDialog::Rows(), key); });
    b.Decoration(ItemKind::Group, kDelayBox, {6, 4, 228, 28});
    b.Label("Adv_TimeDelay", {12, 17, 140, kLabelHeight}, kDelayLabel);
    b.Field("Adv_TimeDelay", {170, 15, 40, kFieldHeight});

    b.Decoration(ItemKind::Group, kMessageBox, {6, 36, 228, 80});
    b.Label("LockMessage", {12, 50, 56, kLabelHeight}, kTextLabel);
    b.Field("LockMessage", {70, 47, 158, 14});
    b.Label("Adv_FontName", {12, 67, 56, kLabelHeight}, kFontLabel);
    b.Field("Adv_FontName", {70, 65, 158, kFieldHeight});
    b.Label("Adv_FontSize", {12, 83, 56, kLabelHeight}, kSizeLabel);
    b.Field("Adv_FontSize", {70, 81, 30, kFieldHeight});
    b.Label("Adv_FontHueV", {12, 99, 56, kLabelHeight}, kHueLabel);
    b.Field("Adv_FontHueV", {70, 97, 30, kFieldHeight});
    b.Own(ControlId::FontHueSample, ItemKind::Picture, "", {116, 97, 24, kFieldHeight}, kFramed);

    b.Decoration(ItemKind::Group, kDisplayBox, {6, 120, 228, 28});
    b.Field("Adv_WinResize", {12, 132, 210, 10}, kResize);

    b.Own(ControlId::DefaultsButton, ItemKind::Button, kDefaults, {6, 154, 50, kButtonHeight});
    b.Own(ControlId::OkButton, ItemKind::Button, kOk, {130, 154, 50, kButtonHeight}, kDefaultButton);
    b.Own(ControlId::DismissButton, ItemKind::Button, kCancel, {184, 154, 50, kButtonHeight}, kCancelButton);
    return b.Take();
}

int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
    // Vertical variants ("@...") are the same family turned on its side.
    if (font->lfFaceName[0] != L'@')
        reinterpret_cast<std::set<std::wstring>*>(names)->insert(font->lfFaceName);
    return 1;
}

}  // namespace

AdvancedWindowView::AdvancedWindowView()
    : Win32View<AdvancedView>(kCaption, DluRect{0, 0, 240, 174}, Layout()) {}

std::vector<std::string> AdvancedWindowView::FontNames() const {
    std::set<std::wstring> families;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &wanted, AddFamily, reinterpret_cast<LPARAM>(&families), 0);
    ReleaseDC(nullptr, dc);
    std::vector<std::string> names;
    names.reserve(families.size());
    for (const std::wstring& family : families) names.push_back(Narrow(family));
    return names;
}

void AdvancedWindowView::SetFont(const Control& control, std::string_view family) {
    const int item = ItemOf(control);
    if (item >= 0) SetItemFont(item, family);
}

HBRUSH AdvancedWindowView::OnItemColours(int item, HDC dc) {
    // The message is shown on black in its hue, as the saver shows it.
    if (item != ItemOf(astrelle::Field("LockMessage")))
        return Win32View<AdvancedView>::OnItemColours(item, dc);
    HBRUSH brush = Win32View<AdvancedView>::OnItemColours(item, dc);
    if (brush == nullptr) SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

void AdvancedWindowView::OnCancel() {
    if (Events() != nullptr) Events()->OnButton(Own(ControlId::DismissButton));
}

}  // namespace astrelle::win32
