// A Win32 dialog built from a table of items placed in dialog units: the system's dialog
// class (default and cancel buttons, access keys, tab order in table order), the message
// font of the monitor's DPI, laid out again when the window moves to a monitor of another
// DPI (per-monitor v2), pages of items shown one at a time, and a modal loop that shares
// one message pump with the previews running inside it. The dialog knows nothing of the
// settings: its handler (a view) turns what the controls report into the logic's events.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace astrelle::win32 {

// Dialog units: a quarter of the font's average character width across, an eighth of its
// height down, so that a layout grows with the font and the DPI alike.
struct DluRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

enum class ItemKind : uint8_t {
    Label,      // static text; "&" marks the access key of the field that follows it
    Group,      // a frame with a caption
    Edit,       // single-line text field
    UpDown,     // the spinner of the field before it
    Button,     // push button
    CheckBox,   // check box with its text on the right
    DropList,   // drop-down list (the height given is the opened list's)
    List,       // list of lines, one chosen
    MultiList,  // list of lines, each marked on its own
    Picture,    // a picture the handler paints
};

enum ItemFlag : uint16_t {
    kNoFlags = 0,
    kDefaultButton = 1 << 0,  // Enter presses it
    kCancelButton = 1 << 1,   // Escape and the close box press it
    kOwnerDrawList = 1 << 2,  // the handler paints the lines
    kRightAligned = 1 << 3,   // labels: text to the right edge
    kFramed = 1 << 4,         // pictures: a sunken border
    kNoPrefix = 1 << 5,       // "&" is shown as it stands
    kReadOnly = 1 << 6,       // edits: shown but not typed into
    kSorted = 1 << 7,         // lists: kept in alphabetical order
    kClicks = 1 << 8,         // pictures: report clicks and double clicks
    kTextLeft = 1 << 9,       // check boxes: the text on the left, the box at the right edge
    kMultiLine = 1 << 10,     // labels: the text wraps
    // Pictures under other items (created before it): its drawing leaves them alone. Not
    // for pictures in a frame, which lies on top of them.
    kUnderneath = 1 << 11,
};

// The page an item belongs to: page index of the set of pages set. An item with several
// (a sub-page inside a main page) shows while each of its pages is the one shown.
struct PageRef {
    int set = -1;  // -1: on every page
    int index = 0;
};

struct DialogItem {
    DialogItem() = default;
    DialogItem(ItemKind itemKind, std::string itemText, DluRect place, uint16_t itemFlags = kNoFlags,
               PageRef onPage = {}, PageRef onSubPage = {})
        : kind(itemKind),
          text(std::move(itemText)),
          rect(place),
          flags(itemFlags),
          page(onPage),
          subPage(onSubPage) {}

    ItemKind kind = ItemKind::Label;
    std::string text;  // UTF-8
    DluRect rect;
    uint16_t flags = kNoFlags;
    PageRef page;
    PageRef subPage;
};

struct MenuEntryDef {
    MenuEntryDef(std::string entryText, int entryId, bool opensPopup = false)
        : text(std::move(entryText)), id(entryId), popup(opensPopup) {}

    std::string text;    // "" for a separator; "&File" names a popup when popup is set
    int id = 0;          // reported to the handler; 0 for separators and popups
    bool popup = false;  // the entries that follow, up to the next popup, belong to it
};

class DialogWindow;

// What the controls report. Item numbers are the items' places in the table.
class DialogHandler {
  public:
    virtual ~DialogHandler() = default;
    // WM_COMMAND from an item (BN_CLICKED, EN_CHANGE, CBN_SELCHANGE, LBN_DBLCLK, ...).
    virtual void OnCommand(int /*item*/, int /*code*/) {}
    // A menu entry.
    virtual void OnMenu(int /*id*/) {}
    // A spinner was clicked: +1 up, -1 down.
    virtual void OnSpin(int /*item*/, int /*direction*/) {}
    // A text field gained the focus, or lost it; lost carries the window that takes the
    // focus (null when another program takes it).
    virtual void OnEditFocus(int /*item*/) {}
    virtual void OnEditFocusLost(int /*item*/, HWND /*next*/) {}
    // A character typed into a field, before it takes it: false swallows it.
    virtual bool OnCharTyped(int /*item*/, char32_t /*character*/) { return true; }
    // Up (+1) or Down (-1) in a field: true when the handler took the key.
    virtual bool OnArrowKey(int /*item*/, int /*direction*/) { return false; }
    // F1, with the item that has the focus (-1 when none of the table's).
    virtual void OnHelpKey(int /*item*/) {}
    // Escape or a cancel button; the close box.
    virtual void OnCancel() {}
    virtual void OnClose() {}
    // Painting of pictures and of owner-drawn list lines.
    virtual void OnPaintPicture(int /*item*/, HDC /*dc*/, const RECT& /*area*/) {}
    virtual void OnDrawListLine(int /*item*/, const DRAWITEMSTRUCT& /*draw*/) {}
    // A picture with kClicks was double-clicked.
    virtual void OnPictureDoubleClick(int /*item*/) {}
    // The items were placed anew (creation, another DPI): pictures resize their surfaces.
    virtual void OnLayout() {}
    // The colours of an edit or a static item: a brush for its background, having set the
    // text colour into dc; null for the system's.
    virtual HBRUSH OnItemColours(int /*item*/, HDC /*dc*/) { return nullptr; }
    // The dialog's background: true when the handler painted it.
    virtual bool OnEraseBackground(HDC /*dc*/) { return false; }
    // A resizable dialog took a new client size (pixels): the handler places its items.
    virtual void OnResized(int /*width*/, int /*height*/) {}
};

enum class Placement : uint8_t { CentreOnOwner, CentreOnScreen };

enum class DialogFrame : uint8_t {
    Fixed,
    Resizable,  // a sizing border and a maximize box; the handler places the items
};

class DialogWindow {
  public:
    // clientSize: the client area in dialog units (the menu bar comes on top of it).
    DialogWindow(std::string caption, DluRect clientSize, std::vector<DialogItem> items,
                 std::vector<MenuEntryDef> menu = {}, DialogFrame frame = DialogFrame::Fixed);
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Makes the window and its items, hidden, owned by owner when that is a window (of this
    // or another program). False when the system refused.
    [[nodiscard]] bool Create(HWND owner, DialogHandler& handler);

    // Shows the dialog where placement says, disables its owner and handles messages until
    // EndModal (or WM_QUIT, which is passed on); then enables the owner again and hides
    // the dialog.
    void RunModal(Placement placement);
    // The same in three steps, for a dialog that runs an animation of its own while it is
    // shown: showing it (owner disabled), handling messages until EndModal, and hiding it.
    void BeginModal(Placement placement);
    void RunMessageLoop();
    void FinishModal();
    void EndModal() { ended_ = true; }
    bool Ended() const { return ended_; }

    HWND Handle() const { return window_; }
    HWND Item(int item) const;
    int ItemCount() const { return static_cast<int>(items_.size()); }
    const DialogItem& ItemDef(int item) const { return items_[static_cast<size_t>(item)]; }
    // The item of a child window, -1 for none.
    int ItemOf(HWND child) const;
    int FocusedItem() const;
    int Dpi() const { return dpi_; }
    HFONT Font() const { return font_; }

    // The page shown of a set of pages; items whose pages are not all shown are hidden.
    void ShowPage(int set, int index);
    int PageShown(int set) const;
    bool ItemOnShownPage(int item) const;

    // The focus to an item (WM_NEXTDLGCTL, so the dialog keeps the default button right).
    void Focus(int item);
    // The hourglass over the dialog.
    void SetBusy(bool busy);
    void EnableMenu(bool enabled);

    // Places the dialog as placement says: on its owner, or on the owner's monitor (the
    // primary monitor when there is no owner), within the monitor's work area.
    void Place(Placement placement);

    // Lays the items out for dpi (the window's own after creation; tests pass another).
    void Layout(int dpi);

    // Dialog units to pixels at the current layout.
    RECT ToPixels(const DluRect& rect) const;
    // Moves an item to a place in pixels (resizable dialogs).
    void PlaceItem(int item, const RECT& place);

  private:
    // Owner-drawn list lines: the font's height and a pixel above and below.
    static constexpr int kListLinePadding = 2;

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclass, DWORD_PTR self);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateItems();
    void CreateMenuBar();
    // Creates the font and takes the dialog base units from it.
    HFONT MeasureFont(const LOGFONTW& logFont, TEXTMETRICW& metrics);
    // The window's size for the client area at the current base units.
    RECT FrameFor(int dpi) const;
    void UpdateVisibility();
    int ItemOfId(int id) const;

    std::string caption_;
    DluRect clientSize_;
    std::vector<DialogItem> items_;
    std::vector<MenuEntryDef> menu_;
    DialogFrame frame_;
    std::vector<HWND> windows_;
    std::vector<int> pagesShown_;
    DialogHandler* handler_ = nullptr;
    HWND window_ = nullptr;
    HMENU menuBar_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    int baseX_ = 0;  // dialog base units in pixels
    int baseY_ = 0;
    bool ended_ = false;
    bool busy_ = false;
    bool ownerDisabled_ = false;
    wchar_t pendingHighSurrogate_ = 0;
    HWND clickedInto_ = nullptr;                // the field a click is giving the focus to
    std::pair<DWORD, DWORD> focusSelection_{};  // its selection once it took the focus

    friend void DispatchDialogMessage(MSG& message);
};

// Handles one message of this thread's queue: F1 and the keyboard navigation of the dialog
// it belongs to, else the usual translation and dispatch. The modal loops and the previews'
// frame waits all pump through here.
void DispatchDialogMessage(MSG& message);

// Handles every queued message; false when WM_QUIT was among them (it is queued again for
// the outermost loop).
[[nodiscard]] bool DispatchPendingMessages();

}  // namespace astrelle::win32
