// The controls of a Win32 view carried out for the logic, and their reports turned into
// the logic's events.
#include "ui/win32/win32_view.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "platform/win32/wide_text.h"
#include "settings/rounding.h"
#include "settings/value_utils.h"
#include "ui/logic/advanced_dialog.h"
#include "ui/logic/name_lines.h"
#include "ui/logic/props_view.h"
#include "ui/logic/template_chooser.h"
#include "ui/win32/profile_pictogram.h"

namespace astrelle::win32 {

namespace {

constexpr wchar_t kMessageTitle[] = L"Astrelle";
// Owner-drawn list lines: room left and right of the text, and between name and weight.
constexpr int kLinePadding = 3;
constexpr int kColumnGap = 6;
constexpr wchar_t kWeightSample[] = L"0000";

}  // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return Narrow(text);
}

void DrawNameWeightLine(const DRAWITEMSTRUCT& draw, std::string_view line) {
    HDC dc = draw.hDC;
    RECT area = draw.rcItem;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & ODS_DISABLED) != 0;
    FillRect(dc, &area, GetSysColorBrush(selected && !disabled ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (draw.itemID != static_cast<UINT>(-1)) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                     : selected ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_WINDOWTEXT));
        SIZE sample{};
        GetTextExtentPoint32W(dc, kWeightSample, static_cast<int>(std::size(kWeightSample) - 1), &sample);
        RECT weight = area;
        weight.right -= kLinePadding;
        weight.left = weight.right - sample.cx;
        RECT name = area;
        name.left += kLinePadding;
        name.right = std::max(name.left, weight.left - kColumnGap);
        const std::wstring nameText = Widen(NameOfLine(line));
        const std::wstring weightText = Widen(WeightOfLine(line));
        DrawTextW(dc, nameText.c_str(), static_cast<int>(nameText.size()), &name,
                  DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        DrawTextW(dc, weightText.c_str(), static_cast<int>(weightText.size()), &weight,
                  DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if ((draw.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &area);
}

template <class ViewBase>
Win32View<ViewBase>::Win32View(std::string caption, DluRect clientSize, std::vector<ViewItem> items,
                               std::vector<MenuEntryDef> menu, std::vector<PageSet> pageSets)
    : window_(
          std::move(caption), clientSize,
          [&items] {
              std::vector<DialogItem> plain;
              plain.reserve(items.size());
              for (const ViewItem& item : items) plain.push_back(item.item);
              return plain;
          }(),
          std::move(menu)),
      items_(std::move(items)),
      pageSets_(std::move(pageSets)) {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].part != Part::Decoration) byControl_[items_[i].control].push_back(static_cast<int>(i));
        // Pictures exist before their windows: a preview's host may hold on to one first.
        if (items_[i].item.kind == ItemKind::Picture) {
            pictures_[static_cast<int>(i)] = std::make_unique<SurfacePicture>();
        }
    }
}

template <class ViewBase>
Win32View<ViewBase>::~Win32View() {
    for (auto& [item, choice] : fonts_) {
        if (choice.font != nullptr) DeleteObject(choice.font);
    }
}

template <class ViewBase>
bool Win32View<ViewBase>::Create(HWND owner, DialogEvents& events) {
    events_ = &events;
    for (size_t i = 0; i < items_.size(); ++i) {
        const int item = static_cast<int>(i);
        if (items_[i].part == Part::Spinner)
            spinners_[item] = SpinState{ItemOf(items_[i].control), items_[i].spin.low};
    }
    if (!window_.Create(owner, *this)) return false;
    for (auto& [item, picture] : pictures_) picture->Attach(window_.Item(item));
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].maxLength > 0) {
            SendMessageW(window_.Item(static_cast<int>(i)), EM_SETLIMITTEXT,
                         static_cast<WPARAM>(items_[i].maxLength), 0);
        }
    }
    OnLayout();
    return true;
}

template <class ViewBase>
DialogResult Win32View<ViewBase>::RunModal(Placement placement) {
    window_.RunModal(placement);
    return result_;
}

template <class ViewBase>
int Win32View<ViewBase>::ItemOf(const Control& control, Part part) const {
    const auto found = byControl_.find(control);
    if (found == byControl_.end()) return -1;
    for (const int item : found->second) {
        if (items_[static_cast<size_t>(item)].part == part) return item;
    }
    return -1;
}

template <class ViewBase>
HWND Win32View<ViewBase>::Window(const Control& control, Part part) const {
    if (control.id == ControlId::Window && part == Part::Main) return window_.Handle();
    return window_.Item(ItemOf(control, part));
}

template <class ViewBase>
SurfacePicture* Win32View<ViewBase>::PictureOf(const Control& control) {
    const auto found = pictures_.find(ItemOf(control));
    return found != pictures_.end() ? found->second.get() : nullptr;
}

template <class ViewBase>
int Win32View<ViewBase>::SetOf(const Control& pages) const {
    for (const PageSet& set : pageSets_) {
        if (set.pages == pages.id) return set.set;
    }
    return -1;
}

template <class ViewBase>
bool Win32View<ViewBase>::IsListItem(int item) const {
    const ItemKind kind = items_[static_cast<size_t>(item)].item.kind;
    return kind == ItemKind::List || kind == ItemKind::MultiList;
}

template <class ViewBase>
void Win32View<ViewBase>::SetItemText(int item, std::string_view text) {
    HWND window = window_.Item(item);
    if (window == nullptr) return;
    if (WindowText(window) == text) return;
    ++quiet_;
    SetWindowTextW(window, Widen(text).c_str());
    --quiet_;
}

template <class ViewBase>
void Win32View<ViewBase>::SetItemFont(int item, std::string_view family) {
    HWND window = window_.Item(item);
    if (window == nullptr) return;
    FontChoice& choice = fonts_[item];
    choice.family = std::string(family);
    LOGFONTW logFont{};
    GetObjectW(window_.Font(), sizeof logFont, &logFont);
    const std::wstring face = Widen(family);
    wcsncpy_s(logFont.lfFaceName, face.c_str(), _TRUNCATE);
    HFONT font = CreateFontIndirectW(&logFont);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (choice.font != nullptr) DeleteObject(choice.font);
    choice.font = font;
}

// ---- the logic's view interface --------------------------------------------------------------

template <class ViewBase>
void Win32View<ViewBase>::SetText(const Control& control, std::string_view text) {
    if (control.id == ControlId::Window) {
        SetWindowTextW(window_.Handle(), Widen(text).c_str());
        return;
    }
    const int item = ItemOf(control);
    if (item >= 0) SetItemText(item, text);
}

template <class ViewBase>
std::string Win32View<ViewBase>::Text(const Control& control) const {
    HWND window = Window(control);
    return window != nullptr ? WindowText(window) : std::string();
}

template <class ViewBase>
void Win32View<ViewBase>::SelectAllText(const Control& control) {
    if (HWND window = Window(control)) SendMessageW(window, EM_SETSEL, 0, -1);
}

template <class ViewBase>
void Win32View<ViewBase>::SetChecked(const Control& control, bool checked) {
    if (HWND window = Window(control))
        SendMessageW(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

template <class ViewBase>
bool Win32View<ViewBase>::Checked(const Control& control) const {
    HWND window = Window(control);
    return window != nullptr && SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

template <class ViewBase>
void Win32View<ViewBase>::FillList(const Control& control, std::span<const std::string> entries) {
    const int item = ItemOf(control);
    HWND window = window_.Item(item);
    if (window == nullptr) return;
    const bool list = IsListItem(item);
    ++quiet_;
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(window, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        const std::wstring text = Widen(entry);
        SendMessageW(window, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
    --quiet_;
}

template <class ViewBase>
void Win32View<ViewBase>::SetListEntry(const Control& control, int index, std::string_view text) {
    const int item = ItemOf(control);
    HWND window = window_.Item(item);
    if (window == nullptr || index < 0) return;
    const std::wstring wide = Widen(text);
    ++quiet_;
    if (IsListItem(item)) {
        const bool multi = items_[static_cast<size_t>(item)].item.kind == ItemKind::MultiList;
        const LRESULT chosen = SendMessageW(window, LB_GETCURSEL, 0, 0);
        const LRESULT marked = multi ? SendMessageW(window, LB_GETSEL, static_cast<WPARAM>(index), 0) : 0;
        const LRESULT top = SendMessageW(window, LB_GETTOPINDEX, 0, 0);
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
        SendMessageW(window, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageW(window, LB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(wide.c_str()));
        if (multi) {
            SendMessageW(window, LB_SETSEL, marked > 0 ? TRUE : FALSE, index);
        } else if (chosen == index) {
            SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        SendMessageW(window, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    } else {
        const LRESULT chosen = SendMessageW(window, CB_GETCURSEL, 0, 0);
        SendMessageW(window, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageW(window, CB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(wide.c_str()));
        if (chosen == index) SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    --quiet_;
}

template <class ViewBase>
void Win32View<ViewBase>::Select(const Control& control, int index) {
    const int item = ItemOf(control);
    HWND window = window_.Item(item);
    if (window == nullptr) return;
    ++quiet_;
    switch (items_[static_cast<size_t>(item)].item.kind) {
        case ItemKind::DropList:
            SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            break;
        case ItemKind::List:
            SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
            break;
        case ItemKind::MultiList:
            SendMessageW(window, LB_SETCARETINDEX, static_cast<WPARAM>(std::max(index, 0)), FALSE);
            break;
        default:
            break;
    }
    --quiet_;
}

template <class ViewBase>
int Win32View<ViewBase>::Selected(const Control& control) const {
    const int item = ItemOf(control);
    HWND window = window_.Item(item);
    if (window == nullptr) return -1;
    switch (items_[static_cast<size_t>(item)].item.kind) {
        case ItemKind::DropList:
            return static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
        case ItemKind::List:
            return static_cast<int>(SendMessageW(window, LB_GETCURSEL, 0, 0));
        case ItemKind::MultiList:
            return static_cast<int>(SendMessageW(window, LB_GETCARETINDEX, 0, 0));
        default:
            return -1;
    }
}

template <class ViewBase>
void Win32View<ViewBase>::SetMarked(const Control& control, int index, bool marked) {
    if (HWND window = Window(control)) SendMessageW(window, LB_SETSEL, marked ? TRUE : FALSE, index);
}

template <class ViewBase>
bool Win32View<ViewBase>::Marked(const Control& control, int index) const {
    HWND window = Window(control);
    return window != nullptr && SendMessageW(window, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

template <class ViewBase>
void Win32View<ViewBase>::ScrollToTop(const Control& control) {
    const int item = ItemOf(control);
    if (item >= 0 && IsListItem(item)) SendMessageW(window_.Item(item), LB_SETTOPINDEX, 0, 0);
}

template <class ViewBase>
void Win32View<ViewBase>::Enable(const Control& control, bool enabled) {
    const auto found = byControl_.find(control);
    if (found == byControl_.end()) return;
    HWND focus = GetFocus();
    bool focusLost = false;
    for (const int item : found->second) {
        HWND window = window_.Item(item);
        if (!enabled && window == focus) focusLost = true;
        EnableWindow(window, enabled ? TRUE : FALSE);
    }
    // A disabled control cannot keep the keyboard: the next one in the tab order takes it.
    if (focusLost) SendMessageW(window_.Handle(), WM_NEXTDLGCTL, 0, FALSE);
}

template <class ViewBase>
void Win32View<ViewBase>::Focus(const Control& control) {
    window_.Focus(ItemOf(control));
}

template <class ViewBase>
void Win32View<ViewBase>::ShowPage(const Control& pages, int index) {
    window_.ShowPage(SetOf(pages), index);
}

template <class ViewBase>
void Win32View<ViewBase>::SetColour(const Control& control, uint32_t colour) {
    if (SurfacePicture* picture = PictureOf(control)) {
        picture->SetColour(colour);
        return;
    }
    const int item = ItemOf(control);
    if (item < 0) return;
    // The packed colour has COLORREF's layout, red in the low byte.
    textColours_[item] = static_cast<COLORREF>(colour);
    InvalidateRect(window_.Item(item), nullptr, TRUE);
}

template <class ViewBase>
void Win32View<ViewBase>::SetRamp(const Control& control, std::span<const uint32_t> colours) {
    if (SurfacePicture* picture = PictureOf(control)) picture->SetBands(colours);
}

template <class ViewBase>
void Win32View<ViewBase>::SetProfile(const Control& control, int profile) {
    SurfacePicture* picture = PictureOf(control);
    if (picture == nullptr) return;
    // Drawn again at the DPI of the moment whenever the picture takes a new size.
    picture->SetDrawing(
        [this, profile](PixelSurface& surface) { DrawProfilePictogram(surface, profile, window_.Dpi()); });
}

template <class ViewBase>
void Win32View<ViewBase>::ShowMessage(std::string_view text) {
    MessageBoxW(window_.Handle(), Widen(text).c_str(), kMessageTitle, MB_OK | MB_ICONEXCLAMATION);
}

template <class ViewBase>
bool Win32View<ViewBase>::AskYesNo(std::string_view question) {
    return MessageBoxW(window_.Handle(), Widen(question).c_str(), kMessageTitle,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

template <class ViewBase>
void Win32View<ViewBase>::Beep() {
    MessageBeep(MB_OK);
}

template <class ViewBase>
void Win32View<ViewBase>::Close(DialogResult result) {
    result_ = result;
    window_.EndModal();
}

// ---- what the controls report ----------------------------------------------------------------

template <class ViewBase>
void Win32View<ViewBase>::SyncSpinner(int field) {
    for (auto& [spinner, state] : spinners_) {
        if (state.field != field) continue;
        const double number = LeadingNumber(WindowText(window_.Item(field)));
        if (std::isnan(number)) return;
        const SpinRange& range = items_[static_cast<size_t>(spinner)].spin;
        state.value = static_cast<int>(std::clamp(RoundHalfEven(number), static_cast<double>(range.low),
                                                  static_cast<double>(range.high)));
    }
}

template <class ViewBase>
void Win32View<ViewBase>::OnSpin(int item, int direction) {
    const auto found = spinners_.find(item);
    if (found == spinners_.end() || events_ == nullptr) return;
    SpinState& state = found->second;
    const SpinRange& range = items_[static_cast<size_t>(item)].spin;
    const int next = direction > 0 ? std::min(range.high, state.value + range.step)
                                   : std::max(range.low, state.value - range.step);
    if (next == state.value || state.field < 0) return;
    state.value = next;
    SetItemText(state.field, std::to_string(next));
    // A step is the user's change of the field.
    events_->OnEdited(items_[static_cast<size_t>(state.field)].control);
}

template <class ViewBase>
void Win32View<ViewBase>::OnCommand(int item, int code) {
    if (events_ == nullptr) return;
    const ViewItem& view = items_[static_cast<size_t>(item)];
    if (view.part == Part::Decoration) return;
    HWND window = window_.Item(item);
    switch (view.item.kind) {
        case ItemKind::Edit:
            if (code != EN_CHANGE) return;
            SyncSpinner(item);
            if (quiet_ == 0) events_->OnEdited(view.control);
            return;
        case ItemKind::Button:
            if (code == BN_CLICKED) events_->OnButton(view.control);
            return;
        case ItemKind::CheckBox:
            if (code == BN_CLICKED) events_->OnChecked(view.control);
            return;
        case ItemKind::DropList: {
            // Moving through the opened list only shows the entries; the choice is the one
            // the list closes on. With the list closed, each arrow key is a choice.
            const int chosen = static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
            if (code == CBN_DROPDOWN) {
                droppedChoice_ = chosen;
            } else if (code == CBN_CLOSEUP) {
                if (chosen != droppedChoice_ && quiet_ == 0) events_->OnListChosen(view.control, chosen);
            } else if (code == CBN_SELCHANGE && quiet_ == 0 &&
                       SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) == FALSE) {
                events_->OnListChosen(view.control, chosen);
            }
            return;
        }
        case ItemKind::List:
        case ItemKind::MultiList: {
            const bool multi = view.item.kind == ItemKind::MultiList;
            const int index =
                static_cast<int>(SendMessageW(window, multi ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
            if (code == LBN_SELCHANGE && quiet_ == 0) events_->OnListChosen(view.control, index);
            if (code == LBN_DBLCLK) events_->OnListDoubleClicked(view.control, index);
            return;
        }
        default:
            return;
    }
}

template <class ViewBase>
void Win32View<ViewBase>::OnEditFocus(int item) {
    if (events_ != nullptr && item >= 0) events_->OnFocusEntered(items_[static_cast<size_t>(item)].control);
}

template <class ViewBase>
void Win32View<ViewBase>::OnEditFocusLost(int item, HWND next) {
    if (events_ == nullptr || item < 0) return;
    // Another program, a message box or a dialog of ours over this one takes the keyboard
    // only for a while: the field is not left.
    HWND dialog = window_.Handle();
    if (next == nullptr || (next != dialog && IsChild(dialog, next) == FALSE)) return;
    events_->OnFocusLeft(items_[static_cast<size_t>(item)].control);
}

template <class ViewBase>
bool Win32View<ViewBase>::OnCharTyped(int item, char32_t character) {
    if (events_ == nullptr || item < 0) return true;
    HWND window = window_.Item(item);
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(GetWindowTextW(window, text.data(), length + 1), 0)));
    DWORD start = 0, end = 0;
    SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
    end = std::clamp<DWORD>(end, start, static_cast<DWORD>(text.size()));
    const std::string selection = Narrow(std::wstring_view(text).substr(start, end - start));
    return events_->OnKeyTyped(items_[static_cast<size_t>(item)].control, character, Narrow(text), selection);
}

template <class ViewBase>
bool Win32View<ViewBase>::OnArrowKey(int item, int direction) {
    if (events_ == nullptr || item < 0) return false;
    return events_->OnArrowKey(items_[static_cast<size_t>(item)].control, direction);
}

template <class ViewBase>
void Win32View<ViewBase>::OnPaintPicture(int item, HDC dc, const RECT& area) {
    const auto found = pictures_.find(item);
    if (found != pictures_.end()) {
        found->second->Paint(dc, area);
    } else {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
}

template <class ViewBase>
void Win32View<ViewBase>::OnDrawListLine(int item, const DRAWITEMSTRUCT& draw) {
    std::string line;
    if (draw.itemID != static_cast<UINT>(-1)) {
        HWND window = window_.Item(item);
        const LRESULT length = SendMessageW(window, LB_GETTEXTLEN, draw.itemID, 0);
        if (length > 0) {
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            SendMessageW(window, LB_GETTEXT, draw.itemID, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(length));
            line = Narrow(text);
        }
    }
    DrawNameWeightLine(draw, line);
}

template <class ViewBase>
void Win32View<ViewBase>::OnLayout() {
    for (auto& [item, picture] : pictures_) picture->Fit();
    // The dialog's font went to every item; the fields with a family of their own take it
    // again at the new size.
    for (auto& [item, choice] : fonts_) {
        const std::string family = choice.family;
        SetItemFont(item, family);
    }
}

template <class ViewBase>
HBRUSH Win32View<ViewBase>::OnItemColours(int item, HDC dc) {
    const auto found = textColours_.find(item);
    if (found == textColours_.end()) return nullptr;
    SetTextColor(dc, found->second);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

template <class ViewBase>
void Win32View<ViewBase>::OnCancel() {
    Close(DialogResult::Rejected);
}

template <class ViewBase>
void Win32View<ViewBase>::OnClose() {
    OnCancel();
}

template class Win32View<PropsView>;
template class Win32View<AdvancedView>;
template class Win32View<TemplateChooserView>;

}  // namespace astrelle::win32
