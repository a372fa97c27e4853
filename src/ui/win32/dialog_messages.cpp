// The messages of the table-built dialogs and of their edit fields, turned into the
// handler's events: commands, spinners, owner-drawn pictures and lists, colours, typed
// characters and arrows, the focus entering and leaving a field, a change of DPI.

// dialog_window.h brings <windows.h>, which <commctrl.h> needs first.
#include "ui/win32/dialog_window.h"

#include <commctrl.h>

#include <cmath>

namespace astrelle::win32 {

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
        if (!self->CreateItems()) DestroyWindow(window);
        return FALSE;  // the focus is set when the dialog shows
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr || self->handler_ == nullptr) return FALSE;
    return self->OnMessage(message, wParam, lParam);
}

INT_PTR DialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (lParam == 0 && code == 0 && id != IDOK && id != IDCANCEL) {
                handler_->OnMenu(id);
                return TRUE;
            }
            if (id == IDCANCEL) {
                handler_->OnCancel();
                return TRUE;
            }
            const int item = ItemOfId(id);
            if (item < 0) return TRUE;
            HWND child = Item(item);
            // Enter reaches a disabled default button too; a disabled control does nothing.
            if (IsWindowEnabled(child) == FALSE) return TRUE;
            if (items_[static_cast<size_t>(item)].kind == ItemKind::Picture) {
                if (code == STN_DBLCLK) handler_->OnPictureDoubleClick(item);
                return TRUE;
            }
            handler_->OnCommand(item, id == IDOK ? BN_CLICKED : code);
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == UDN_DELTAPOS) {
                const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
                const int item = ItemOf(header->hwndFrom);
                if (item >= 0 && change->iDelta != 0) handler_->OnSpin(item, change->iDelta > 0 ? 1 : -1);
                // The spinner stays where it is; the field holds the value.
                SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        }
        case WM_DRAWITEM: {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const int item = ItemOf(draw->hwndItem);
            if (item < 0) return FALSE;
            if (draw->CtlType == ODT_STATIC) {
                handler_->OnPaintPicture(item, draw->hDC, draw->rcItem);
            } else if (draw->CtlType == ODT_LISTBOX) {
                handler_->OnDrawListLine(item, *draw);
            }
            return TRUE;
        }
        case WM_MEASUREITEM: {
            // Owner-drawn lists ask while they are made, before the first layout.
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            LOGFONTW logFont{};
            GetObjectW(font_, sizeof logFont, &logFont);
            measure->itemHeight = static_cast<UINT>(std::abs(logFont.lfHeight) * 4 / 3 + kListLinePadding);
            return TRUE;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            const int item = ItemOf(reinterpret_cast<HWND>(lParam));
            HBRUSH brush = item >= 0 ? handler_->OnItemColours(item, reinterpret_cast<HDC>(wParam)) : nullptr;
            return reinterpret_cast<INT_PTR>(brush);
        }
        case WM_CLOSE:
            handler_->OnClose();
            return TRUE;
        case WM_ERASEBKGND:
            if (!handler_->OnEraseBackground(reinterpret_cast<HDC>(wParam))) return FALSE;
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_SIZE:
            if (frame_ == DialogFrame::Resizable && wParam != SIZE_MINIMIZED) {
                handler_->OnResized(LOWORD(lParam), HIWORD(lParam));
            }
            return FALSE;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            Layout(LOWORD(wParam));
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return TRUE;
        }
        case WM_SETCURSOR:
            if (!busy_) return FALSE;
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        default:
            return FALSE;
    }
}

LRESULT CALLBACK DialogWindow::EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR selfPointer) {
    auto* self = reinterpret_cast<DialogWindow*>(selfPointer);
    const int item = self->ItemOf(edit);
    switch (message) {
        case WM_CHAR: {
            const auto unit = static_cast<wchar_t>(wParam);
            // Control characters are editing keys (backspace, Ctrl+V, ...), not text.
            if (unit < L' ' || self->handler_ == nullptr) break;
            if (IS_HIGH_SURROGATE(unit)) {
                self->pendingHighSurrogate_ = unit;
                return 0;
            }
            char32_t character = unit;
            const wchar_t high = self->pendingHighSurrogate_;
            self->pendingHighSurrogate_ = 0;
            if (IS_LOW_SURROGATE(unit)) {
                if (high == 0) return 0;
                character = 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (unit - 0xDC00);
            }
            if (!self->handler_->OnCharTyped(item, character)) return 0;
            if (high != 0 && IS_LOW_SURROGATE(unit)) DefSubclassProc(edit, WM_CHAR, high, lParam);
            break;
        }
        case WM_KEYDOWN:
            if ((wParam == VK_UP || wParam == VK_DOWN) && self->handler_ != nullptr &&
                self->handler_->OnArrowKey(item, wParam == VK_UP ? 1 : -1)) {
                return 0;
            }
            break;
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            if (self->handler_ != nullptr) self->handler_->OnEditFocus(item);
            SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&self->focusSelection_.first),
                         reinterpret_cast<LPARAM>(&self->focusSelection_.second));
            return result;
        }
        case WM_LBUTTONDOWN:
            // A click that brings the focus places the caret and drops the selection the
            // field took on the focus; the selection comes back when the click ends.
            self->clickedInto_ = GetFocus() != edit ? edit : nullptr;
            break;
        case WM_LBUTTONUP: {
            const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            DWORD start = 0, end = 0;
            SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            // A drag that selected something itself keeps its selection.
            if (self->clickedInto_ == edit && GetFocus() == edit && start == end) {
                SendMessageW(edit, EM_SETSEL, self->focusSelection_.first, self->focusSelection_.second);
            }
            self->clickedInto_ = nullptr;
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            if (self->handler_ != nullptr)
                self->handler_->OnEditFocusLost(item, reinterpret_cast<HWND>(wParam));
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, EditProcedure, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace astrelle::win32
