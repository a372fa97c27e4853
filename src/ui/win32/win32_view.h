// The part every Win32 view of a dialog shares: the controls of a table-built dialog named
// as the logic names them, the calls of the logic's view interface carried out on them,
// and what the user does with them reported to the logic as its events. A view of one
// dialog adds its own layout and the few calls only that dialog has. No rule lives here:
// a spinner steps its field and a picture shows what it is given, nothing more.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/logic/dialog_view.h"
#include "ui/logic/field_rows.h"
#include "ui/win32/dialog_window.h"
#include "ui/win32/surface_picture.h"

namespace astrelle::win32 {

// What an item of a layout is to the logic: the control itself, its label, the spinner
// beside its field, or a decoration (a frame, a note) the logic never names.
enum class Part : uint8_t { Main, Label, Spinner, Decoration };

struct ViewItem {
    DialogItem item;
    Control control;
    Part part = Part::Main;
    SpinRange spin{};   // spinners: range and step
    int maxLength = 0;  // text fields: characters taken, 0 for no limit
};

// Which page set of the dialog window a set of pages of the logic is.
struct PageSet {
    ControlId pages;
    int set;
};

template <class ViewBase>
class Win32View : public ViewBase, protected DialogHandler {
  public:
    Win32View(std::string caption, DluRect clientSize, std::vector<ViewItem> items,
              std::vector<MenuEntryDef> menu = {}, std::vector<PageSet> pageSets = {});
    ~Win32View() override;

    // Makes the dialog owned by owner; events receive what the user does.
    [[nodiscard]] bool Create(HWND owner, DialogEvents& events);
    // Shows it modally until the logic closes it; the result it closed with.
    DialogResult RunModal(Placement placement);
    HWND Handle() const { return window_.Handle(); }

    // ---- the logic's view interface ----
    void SetText(const Control& control, std::string_view text) override;
    std::string Text(const Control& control) const override;
    void SelectAllText(const Control& control) override;
    void SetChecked(const Control& control, bool checked) override;
    bool Checked(const Control& control) const override;
    void FillList(const Control& control, std::span<const std::string> entries) override;
    void SetListEntry(const Control& control, int index, std::string_view text) override;
    void Select(const Control& control, int index) override;
    int Selected(const Control& control) const override;
    void SetMarked(const Control& control, int index, bool marked) override;
    bool Marked(const Control& control, int index) const override;
    void ScrollToTop(const Control& control) override;
    void Enable(const Control& control, bool enabled) override;
    void Focus(const Control& control) override;
    void ShowPage(const Control& pages, int index) override;
    void SetColour(const Control& control, uint32_t colour) override;
    void SetRamp(const Control& control, std::span<const uint32_t> colours) override;
    void SetProfile(const Control& control, int profile) override;
    void ShowMessage(std::string_view text) override;
    [[nodiscard]] bool AskYesNo(std::string_view question) override;
    void Beep() override;
    void Close(DialogResult result) override;

  protected:
    // The item of a control's part, -1 when the layout has none.
    int ItemOf(const Control& control, Part part = Part::Main) const;
    // The control an item belongs to and its part.
    const ViewItem& ViewItemAt(int item) const { return items_[static_cast<size_t>(item)]; }
    HWND Window(const Control& control, Part part = Part::Main) const;
    SurfacePicture* PictureOf(const Control& control);
    DialogEvents* Events() const { return events_; }
    // The page set of the dialog window that stands for a set of pages of the logic.
    int SetOf(const Control& pages) const;
    // Sets text while keeping the change from being reported as the user's.
    void SetItemText(int item, std::string_view text);
    // Shows a field's text in a font family of its own (the message sample).
    void SetItemFont(int item, std::string_view family);

    // DialogHandler: what the controls report, passed on as the logic's events.
    void OnCommand(int item, int code) override;
    void OnSpin(int item, int direction) override;
    void OnEditFocus(int item) override;
    void OnEditFocusLost(int item, HWND next) override;
    bool OnCharTyped(int item, char32_t character) override;
    bool OnArrowKey(int item, int direction) override;
    void OnPaintPicture(int item, HDC dc, const RECT& area) override;
    void OnDrawListLine(int item, const DRAWITEMSTRUCT& draw) override;
    void OnLayout() override;
    HBRUSH OnItemColours(int item, HDC dc) override;
    // Escape, a cancel button and the close box: Cancel unless a view says otherwise.
    void OnCancel() override;
    void OnClose() override;

    DialogWindow window_;

  private:
    struct SpinState {
        int field = -1;
        int value = 0;
    };
    struct FontChoice {
        std::string family;
        HFONT font = nullptr;
    };

    void SyncSpinner(int field);
    bool IsListItem(int item) const;

    std::vector<ViewItem> items_;
    std::vector<PageSet> pageSets_;
    std::map<Control, std::vector<int>> byControl_;
    std::map<int, SpinState> spinners_;                        // by spinner item
    std::map<int, std::unique_ptr<SurfacePicture>> pictures_;  // by picture item
    std::map<int, COLORREF> textColours_;                      // by field item
    std::map<int, FontChoice> fonts_;                          // by field item
    DialogEvents* events_ = nullptr;
    DialogResult result_ = DialogResult::Rejected;
    int quiet_ = 0;           // > 0 while the view itself changes a control
    int droppedChoice_ = -1;  // the entry chosen when a drop-down list opened
};

// Draws the lines of a name-and-weight list: the name on the left, the weight in a column of
// its own on the right, so that the weights line up in any font.
void DrawNameWeightLine(const DRAWITEMSTRUCT& draw, std::string_view line);

// Text of a window as UTF-8.
std::string WindowText(HWND window);

}  // namespace astrelle::win32
