// The table-built Win32 dialogs: items made as the table says, laid out in dialog units at
// any DPI and again on WM_DPICHANGED, pages shown one at a time, the keyboard (Enter,
// Escape, F1, typed characters, arrows, spinners) reported to the handler, placement on the
// owner or the screen, and the modal loop that disables the owner.
#include "ui/win32/dialog_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace astrelle::win32 {
namespace {

enum Item : int {
    kLabel,
    kEdit,
    kSpinner,
    kOther,
    kAccept,
    kCancel,
    kCheck,
    kChoices,
    kLines,
    kMarks,
    kPicture,
    kFrame,
    kOnPage0,
    kOnPage1,
    kOnSubPage1,
};

std::vector<DialogItem> TestItems() {
    std::vector<DialogItem> items(15);
    items[kLabel] = {ItemKind::Label, "&Value:", {8, 8, 40, 8}};
    items[kEdit] = {ItemKind::Edit, "12", {50, 6, 40, 12}};
    items[kSpinner] = {ItemKind::UpDown, "", {90, 6, 10, 12}};
    items[kOther] = {ItemKind::Edit, "", {50, 22, 40, 12}};
    items[kAccept] = {ItemKind::Button, "&Accept", {120, 6, 50, 14}, kDefaultButton};
    items[kCancel] = {ItemKind::Button, "Cancel", {120, 22, 50, 14}, kCancelButton};
    items[kCheck] = {ItemKind::CheckBox, "Tick", {8, 40, 60, 10}};
    items[kChoices] = {ItemKind::DropList, "", {8, 54, 80, 80}};
    items[kLines] = {ItemKind::List, "", {8, 70, 80, 40}, kOwnerDrawList};
    items[kMarks] = {ItemKind::MultiList, "", {100, 70, 80, 40}};
    items[kPicture] = {ItemKind::Picture, "", {100, 40, 40, 20}, kFramed | kClicks};
    items[kFrame] = {ItemKind::Group, "Frame", {4, 114, 180, 30}};
    items[kOnPage0] = {ItemKind::Label, "zero", {8, 124, 40, 8}, kNoFlags, PageRef{0, 0}};
    items[kOnPage1] = {ItemKind::Label, "one", {8, 124, 40, 8}, kNoFlags, PageRef{0, 1}};
    items[kOnSubPage1] = {ItemKind::Label, "one, sub one", {60, 124, 60, 8},
                          kNoFlags,        PageRef{0, 1},  PageRef{1, 1}};
    return items;
}

class RecordingHandler : public DialogHandler {
  public:
    std::vector<std::pair<int, int>> commands;
    std::vector<int> menus, helps, spins, focused;
    std::vector<std::pair<int, HWND>> lost;
    std::vector<char32_t> typed;
    std::vector<int> arrows;
    int cancels = 0, closes = 0, layouts = 0;
    char32_t refuse = 0;
    DialogWindow* endOnCommand = nullptr;
    HWND ownerSeenDisabled = nullptr;

    void OnCommand(int item, int code) override {
        commands.emplace_back(item, code);
        if (endOnCommand != nullptr) {
            HWND owner = GetWindow(endOnCommand->Handle(), GW_OWNER);
            if (owner != nullptr && IsWindowEnabled(owner) == FALSE) ownerSeenDisabled = owner;
            endOnCommand->EndModal();
        }
    }
    void OnMenu(int id) override { menus.push_back(id); }
    void OnSpin(int item, int direction) override { spins.push_back(item * 10 + direction); }
    void OnEditFocus(int item) override {
        focused.push_back(item);
        if (selectOnFocus != nullptr) SendMessageW(selectOnFocus->Item(item), EM_SETSEL, 0, -1);
    }
    DialogWindow* selectOnFocus = nullptr;
    void OnEditFocusLost(int item, HWND next) override { lost.emplace_back(item, next); }
    bool OnCharTyped(int, char32_t character) override {
        typed.push_back(character);
        return character != refuse;
    }
    bool OnArrowKey(int item, int direction) override {
        arrows.push_back(item * 10 + direction);
        return item == kEdit;
    }
    void OnHelpKey(int item) override { helps.push_back(item); }
    void OnCancel() override { ++cancels; }
    void OnClose() override { ++closes; }
    void OnLayout() override { ++layouts; }
};

class DialogWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dialog_.Create(nullptr, handler_)); }

    HWND Item(int item) const { return dialog_.Item(item); }
    std::wstring ClassName(int item) const {
        wchar_t name[64] = {};
        GetClassNameW(Item(item), name, 64);
        return name;
    }
    std::wstring Text(int item) const {
        wchar_t text[64] = {};
        GetWindowTextW(Item(item), text, 64);
        return text;
    }
    RECT Place(int item) const {
        RECT r{};
        GetWindowRect(Item(item), &r);
        MapWindowPoints(nullptr, dialog_.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    bool Shown(int item) const { return (GetWindowLongW(Item(item), GWL_STYLE) & WS_VISIBLE) != 0; }
    void ShowAndFocus(int item) {
        ShowWindow(dialog_.Handle(), SW_SHOW);
        SetForegroundWindow(dialog_.Handle());
        SetFocus(Item(item));
    }
    void Key(int item, UINT message, WPARAM key) {
        MSG msg{Item(item), message, key, 0, 0, {}};
        DispatchDialogMessage(msg);
    }

    RecordingHandler handler_;
    DialogWindow dialog_{"Test Dialog",
                         DluRect{0, 0, 190, 150},
                         TestItems(),
                         {{"&File", 0, true}, {"&Open...", 501}, {"", 0}, {"E&xit", 502}}};
};

TEST_F(DialogWindowTest, ItemsAreMadeAsTheTableSays) {
    wchar_t caption[64] = {};
    GetWindowTextW(dialog_.Handle(), caption, 64);
    EXPECT_STREQ(caption, L"Test Dialog");
    EXPECT_EQ(ClassName(kLabel), L"Static");
    EXPECT_EQ(ClassName(kEdit), L"Edit");
    EXPECT_EQ(ClassName(kSpinner), UPDOWN_CLASSW);
    EXPECT_EQ(ClassName(kChoices), L"ComboBox");
    EXPECT_EQ(ClassName(kMarks), L"ListBox");
    EXPECT_EQ(Text(kEdit), L"12");
    EXPECT_EQ(GetDlgCtrlID(Item(kAccept)), IDOK);
    EXPECT_EQ(GetDlgCtrlID(Item(kCancel)), IDCANCEL);
    EXPECT_NE(GetWindowLongW(Item(kAccept), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
    EXPECT_NE(GetWindowLongW(Item(kMarks), GWL_STYLE) & LBS_MULTIPLESEL, 0);
    EXPECT_NE(GetWindowLongW(Item(kLines), GWL_STYLE) & LBS_OWNERDRAWFIXED, 0);
    EXPECT_NE(GetWindowLongW(Item(kEdit), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetWindowLongW(Item(kLabel), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(dialog_.ItemOf(Item(kCheck)), kCheck);
    EXPECT_EQ(dialog_.ItemOf(dialog_.Handle()), -1);
    // Tab order is table order: the label comes right before its field.
    EXPECT_EQ(GetWindow(Item(kLabel), GW_HWNDNEXT), Item(kEdit));
    ASSERT_NE(GetMenu(dialog_.Handle()), nullptr);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(dialog_.Handle()), 0)), 3);
}

TEST_F(DialogWindowTest, LayoutFollowsTheDpi) {
    dialog_.Layout(96);
    const RECT at96 = Place(kAccept);
    RECT client96{};
    GetClientRect(dialog_.Handle(), &client96);
    dialog_.Layout(192);
    const RECT at192 = Place(kAccept);
    RECT client192{};
    GetClientRect(dialog_.Handle(), &client192);
    // The font does not grow exactly twice at every size, so the places follow it closely.
    auto ratio = [](long big, long small) { return static_cast<double>(big) / static_cast<double>(small); };
    EXPECT_NEAR(ratio(at192.left, at96.left), 2.0, 0.25);
    EXPECT_NEAR(ratio(at192.right - at192.left, at96.right - at96.left), 2.0, 0.25);
    EXPECT_NEAR(ratio(client192.right, client96.right), 2.0, 0.25);
    EXPECT_NEAR(ratio(client192.bottom, client96.bottom), 2.0, 0.25);
    // The client area is the table's size in dialog units.
    const RECT table = dialog_.ToPixels(DluRect{0, 0, 190, 150});
    EXPECT_EQ(client192.right, table.right);
    EXPECT_EQ(client192.bottom, table.bottom);
    EXPECT_EQ(dialog_.Dpi(), 192);
}

TEST_F(DialogWindowTest, DpiChangeLaysOutAgainAtTheSuggestedPlace) {
    dialog_.Layout(96);
    const RECT before = Place(kEdit);
    const int layouts = handler_.layouts;
    RECT suggested{200, 150, 900, 800};
    SendMessageW(dialog_.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const RECT after = Place(kEdit);
    EXPECT_NEAR(static_cast<double>(after.right - after.left) / (before.right - before.left), 1.5, 0.2);
    EXPECT_EQ(dialog_.Dpi(), 144);
    EXPECT_EQ(handler_.layouts, layouts + 1);
    RECT frame{};
    GetWindowRect(dialog_.Handle(), &frame);
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 150);
}

TEST_F(DialogWindowTest, OnlyItemsOfTheShownPagesShow) {
    EXPECT_TRUE(Shown(kOnPage0));
    EXPECT_FALSE(Shown(kOnPage1));
    EXPECT_TRUE(Shown(kEdit));
    dialog_.ShowPage(0, 1);
    EXPECT_FALSE(Shown(kOnPage0));
    EXPECT_TRUE(Shown(kOnPage1));
    EXPECT_FALSE(Shown(kOnSubPage1));  // its sub-page is not the one shown
    dialog_.ShowPage(1, 1);
    EXPECT_TRUE(Shown(kOnSubPage1));
    dialog_.ShowPage(0, 0);
    EXPECT_FALSE(Shown(kOnSubPage1));  // its main page went
    EXPECT_EQ(dialog_.PageShown(1), 1);
    EXPECT_TRUE(Shown(kEdit));
}

TEST_F(DialogWindowTest, EnterEscapeAndTheCloseBoxReachTheHandler) {
    ShowAndFocus(kOther);
    auto clicks = [this] {
        return std::count(handler_.commands.begin(), handler_.commands.end(),
                          std::make_pair(static_cast<int>(kAccept), static_cast<int>(BN_CLICKED)));
    };
    Key(kOther, WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(clicks(), 1);
    Key(kOther, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(handler_.cancels, 1);
    SendMessageW(dialog_.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(handler_.closes, 1);
    // A disabled default button does nothing on Enter.
    EnableWindow(Item(kAccept), FALSE);
    Key(kOther, WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(clicks(), 1);
    SendMessageW(dialog_.Handle(), WM_COMMAND, MAKEWPARAM(501, 0), 0);
    EXPECT_EQ(handler_.menus, std::vector<int>{501});
}

TEST_F(DialogWindowTest, F1NamesTheFocusedItem) {
    ShowAndFocus(kOther);
    Key(kOther, WM_KEYDOWN, VK_F1);
    EXPECT_EQ(handler_.helps, std::vector<int>{kOther});
}

TEST_F(DialogWindowTest, TypedCharactersAskTheHandlerFirst) {
    handler_.refuse = U'5';
    SetWindowTextW(Item(kOther), L"");
    SendMessageW(Item(kOther), WM_CHAR, L'5', 0);
    SendMessageW(Item(kOther), WM_CHAR, L'a', 0);
    SendMessageW(Item(kOther), WM_CHAR, VK_BACK, 0);  // an editing key, not reported
    SendMessageW(Item(kOther), WM_CHAR, L'b', 0);
    EXPECT_EQ(Text(kOther), L"b");
    EXPECT_EQ(handler_.typed, (std::vector<char32_t>{U'5', U'a', U'b'}));
    // A character beyond 16 bits arrives in two halves and is asked about whole.
    SendMessageW(Item(kOther), WM_CHAR, 0xD83D, 0);
    SendMessageW(Item(kOther), WM_CHAR, 0xDE00, 0);
    EXPECT_EQ(handler_.typed.back(), U'\U0001F600');
    EXPECT_EQ(Text(kOther), L"b\U0001F600");
}

TEST_F(DialogWindowTest, ArrowKeysGoToTheHandlerWhichMayTakeThem) {
    SendMessageW(Item(kEdit), WM_KEYDOWN, VK_UP, 0);
    SendMessageW(Item(kOther), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(handler_.arrows, (std::vector<int>{kEdit * 10 + 1, kOther * 10 - 1}));
}

TEST_F(DialogWindowTest, SpinnerClicksReportTheirDirection) {
    dialog_.Layout(96);
    RECT r{};
    GetClientRect(Item(kSpinner), &r);
    const LPARAM upper = MAKELPARAM(r.right / 2, r.bottom / 4);
    const LPARAM lower = MAKELPARAM(r.right / 2, r.bottom * 3 / 4);
    for (const LPARAM at : {upper, lower}) {
        SendMessageW(Item(kSpinner), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(Item(kSpinner), WM_LBUTTONUP, 0, at);
    }
    EXPECT_EQ(handler_.spins, (std::vector<int>{kSpinner * 10 + 1, kSpinner * 10 - 1}));
}

TEST_F(DialogWindowTest, FocusMovesAreReportedWithTheNextWindow) {
    ShowAndFocus(kEdit);
    SetFocus(Item(kOther));
    ASSERT_FALSE(handler_.lost.empty());
    EXPECT_EQ(handler_.lost.back(), std::make_pair(static_cast<int>(kEdit), Item(kOther)));
    EXPECT_EQ(handler_.focused.back(), kOther);
    EXPECT_EQ(dialog_.FocusedItem(), kOther);
    dialog_.Focus(kCheck);
    EXPECT_EQ(dialog_.FocusedItem(), kCheck);
}

TEST_F(DialogWindowTest, AClickIntoAFieldKeepsTheSelectionItTookOnTheFocus) {
    handler_.selectOnFocus = &dialog_;
    ShowAndFocus(kEdit);
    SetWindowTextW(Item(kOther), L"12345");
    auto click = [this](int item) {
        SendMessageW(Item(item), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(Item(item), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    };
    auto selection = [this] {
        DWORD start = 0, end = 0;
        SendMessageW(Item(kOther), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return std::make_pair(start, end);
    };
    click(kOther);
    EXPECT_EQ(dialog_.FocusedItem(), kOther);
    EXPECT_EQ(selection(), std::make_pair(DWORD{0}, DWORD{5}));
    // A click into the field that has the focus places the caret as usual.
    click(kOther);
    EXPECT_EQ(selection().first, selection().second);
}

TEST_F(DialogWindowTest, PlacedOnTheScreensWorkAreaWithoutOwner) {
    dialog_.Place(Placement::CentreOnScreen);
    RECT frame{}, work{};
    GetWindowRect(dialog_.Handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

// A window of this test standing in for the Screen Saver Settings dialog.
class OwnerWindow {
  public:
    OwnerWindow() {
        window_ = CreateWindowExW(0, L"STATIC", L"Owner", WS_POPUP | WS_VISIBLE | WS_CAPTION, 60, 80, 400,
                                  300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

  private:
    HWND window_ = nullptr;
};

TEST(DialogWindowOwned, CentredOnItsOwnerAndModalToIt) {
    OwnerWindow owner;
    RecordingHandler handler;
    DialogWindow dialog("Owned", DluRect{0, 0, 120, 60},
                        {{ItemKind::Button, "OK", {10, 10, 40, 14}, kDefaultButton}});
    ASSERT_TRUE(dialog.Create(owner.Handle(), handler));
    EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), owner.Handle());
    handler.endOnCommand = &dialog;
    PostMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    dialog.RunModal(Placement::CentreOnOwner);
    EXPECT_EQ(handler.ownerSeenDisabled, owner.Handle());  // modal while it ran
    EXPECT_NE(IsWindowEnabled(owner.Handle()), FALSE);     // and the owner works again after
    EXPECT_EQ(GetWindowLongW(dialog.Handle(), GWL_STYLE) & WS_VISIBLE, 0);
    RECT frame{}, ownerFrame{};
    GetWindowRect(dialog.Handle(), &frame);
    GetWindowRect(owner.Handle(), &ownerFrame);
    EXPECT_NEAR((frame.left + frame.right) / 2, (ownerFrame.left + ownerFrame.right) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (ownerFrame.top + ownerFrame.bottom) / 2, 1);
}

TEST(DialogWindowOwned, ADialogLargerThanTheScreenTakesASmallerFontToFit) {
    RecordingHandler handler;
    DialogWindow small("Small", DluRect{0, 0, 100, 60}, {{ItemKind::Label, "x", {4, 4, 40, 8}}});
    ASSERT_TRUE(small.Create(nullptr, handler));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // As wide as the screen at the system's font: a tenth too wide with its frame.
    const RECT unit = small.ToPixels(DluRect{0, 0, 400, 400});
    const int wide = static_cast<int>(400.0 * (work.right - work.left) / unit.right);
    DialogWindow big("Big", DluRect{0, 0, wide, 60}, {{ItemKind::Label, "x", {4, 4, 40, 8}}});
    ASSERT_TRUE(big.Create(nullptr, handler));
    big.Place(Placement::CentreOnScreen);
    RECT frame{};
    GetWindowRect(big.Handle(), &frame);
    EXPECT_LE(frame.right - frame.left, work.right - work.left);
    EXPECT_GE(frame.left, work.left);
    LOGFONTW smallFont{}, bigFont{};
    GetObjectW(small.Font(), sizeof smallFont, &smallFont);
    GetObjectW(big.Font(), sizeof bigFont, &bigFont);
    EXPECT_LT(std::abs(bigFont.lfHeight), std::abs(smallFont.lfHeight));
    EXPECT_GE(std::abs(bigFont.lfHeight), std::abs(smallFont.lfHeight) * 3 / 4);
    // One far too large stops at three quarters of the font and is placed at the top left.
    DialogWindow huge("Huge", DluRect{0, 0, wide * 3, 60}, {{ItemKind::Label, "x", {4, 4, 40, 8}}});
    ASSERT_TRUE(huge.Create(nullptr, handler));
    huge.Place(Placement::CentreOnScreen);
    LOGFONTW hugeFont{};
    GetObjectW(huge.Font(), sizeof hugeFont, &hugeFont);
    EXPECT_EQ(std::abs(hugeFont.lfHeight), std::max(1L, std::abs(smallFont.lfHeight) * 3 / 4));
    GetWindowRect(huge.Handle(), &frame);
    EXPECT_EQ(frame.left, work.left);
}

TEST(DialogWindowOwned, QuitEndsTheModalLoopAndIsPassedOn) {
    RecordingHandler handler;
    DialogWindow dialog("Quit", DluRect{0, 0, 60, 30}, {});
    ASSERT_TRUE(dialog.Create(nullptr, handler));
    PostQuitMessage(7);
    dialog.RunModal(Placement::CentreOnScreen);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace astrelle::win32
