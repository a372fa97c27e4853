// The Win32 views' shared wiring: the logic's calls reach the right controls (fields by
// setting key, with their labels and spinners), what the user does reaches the logic as
// its events and what the view does itself does not, spinners step their fields, and a
// field is left only for another control of the same dialog.
#include "ui/win32/win32_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/logic/advanced_dialog.h"

namespace astrelle::win32 {
namespace {

const Control kDelay = Field("Adv_TimeDelay");
const Control kFont = Field("Adv_FontName");
const Control kResize = Field("Adv_WinResize");
const Control kMessage = Field("LockMessage");
const Control kLines = Own(ControlId::CompositeList);
const Control kMarks = Own(ControlId::MinorTypes);
const Control kSample = Own(ControlId::FontHueSample);
const Control kOk = Own(ControlId::OkButton);
const Control kPages = Own(ControlId::UniversePages);
constexpr int kPageSet = 3;

ViewItem Item(ItemKind kind, DluRect rect, Control control, Part part = Part::Main, uint16_t flags = kNoFlags,
              PageRef page = {}) {
    ViewItem item;
    item.item = DialogItem(kind, "", rect, flags, page);
    item.control = control;
    item.part = part;
    return item;
}

std::vector<ViewItem> Items() {
    std::vector<ViewItem> items = {
        Item(ItemKind::Label, {4, 6, 40, 8}, kDelay, Part::Label),
        Item(ItemKind::Edit, {46, 4, 30, 12}, kDelay),
        Item(ItemKind::UpDown, {76, 4, 10, 12}, kDelay, Part::Spinner),
        Item(ItemKind::DropList, {4, 20, 80, 80}, kFont),
        Item(ItemKind::CheckBox, {4, 36, 80, 10}, kResize),
        Item(ItemKind::Edit, {4, 50, 80, 12}, kMessage),
        Item(ItemKind::List, {4, 66, 80, 40}, kLines, Part::Main, kOwnerDrawList),
        Item(ItemKind::MultiList, {90, 66, 80, 40}, kMarks),
        Item(ItemKind::Picture, {90, 4, 20, 12}, kSample),
        Item(ItemKind::Button, {120, 4, 40, 14}, kOk, Part::Main, kDefaultButton),
        Item(ItemKind::Label, {90, 20, 40, 8}, Own(ControlId::TemplateName), Part::Main, kNoFlags,
             {kPageSet, 1}),
    };
    items[2].spin = SpinRange{0, 999, 10};
    return items;
}

class TestView final : public Win32View<AdvancedView> {
  public:
    TestView()
        : Win32View<AdvancedView>("View Test", DluRect{0, 0, 180, 110}, Items(), {},
                                  {{ControlId::UniversePages, kPageSet}}) {}
    std::vector<std::string> FontNames() const override { return {}; }
    void SetFont(const Control&, std::string_view) override {}
    using Win32View<AdvancedView>::PictureOf;
    using Win32View<AdvancedView>::Window;
};

class Recorder : public DialogEvents {
  public:
    std::vector<std::string> events;
    bool acceptKeys = true;
    std::string lastText, lastSelection;

    static std::string Name(const Control& control) {
        return control.id == ControlId::SettingField ? std::string(control.key)
                                                     : "own" + std::to_string(static_cast<int>(control.id));
    }
    void OnFocusEntered(const Control& c) override { events.push_back("entered " + Name(c)); }
    void OnFocusLeft(const Control& c) override { events.push_back("left " + Name(c)); }
    bool OnKeyTyped(const Control& c, char32_t key, std::string_view text,
                    std::string_view selection) override {
        events.push_back("typed " + Name(c) + " " + std::string(1, static_cast<char>(key)));
        lastText = text;
        lastSelection = selection;
        return acceptKeys;
    }
    bool OnArrowKey(const Control& c, int direction) override {
        events.push_back("arrow " + Name(c) + " " + std::to_string(direction));
        return true;
    }
    void OnEdited(const Control& c) override { events.push_back("edited " + Name(c)); }
    void OnChecked(const Control& c) override { events.push_back("checked " + Name(c)); }
    void OnListChosen(const Control& c, int index) override {
        events.push_back("chosen " + Name(c) + " " + std::to_string(index));
    }
    void OnListDoubleClicked(const Control& c, int index) override {
        events.push_back("double " + Name(c) + " " + std::to_string(index));
    }
    void OnButton(const Control& c) override { events.push_back("button " + Name(c)); }

    int Count(const std::string& event) const {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
};

class Win32ViewTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(view_.Create(nullptr, events_)); }

    HWND Of(const Control& control, Part part = Part::Main) const { return view_.Window(control, part); }
    void ClickSpinner(int direction) {
        HWND spinner = Of(kDelay, Part::Spinner);
        RECT r{};
        GetClientRect(spinner, &r);
        const LPARAM at = MAKELPARAM(r.right / 2, direction > 0 ? r.bottom / 4 : r.bottom * 3 / 4);
        SendMessageW(spinner, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(spinner, WM_LBUTTONUP, 0, at);
    }
    void Notify(const Control& control, int code) {
        HWND window = Of(control);
        SendMessageW(view_.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code),
                     reinterpret_cast<LPARAM>(window));
    }

    TestView view_;
    Recorder events_;
};

TEST_F(Win32ViewTest, FieldsAreReachedByTheirSettingsKeys) {
    view_.SetText(kDelay, "25");
    view_.SetText(kMessage, "Hello \xC3\xA9toiles");  // UTF-8 both ways
    view_.SetText(Own(ControlId::Window), "Another Caption");
    EXPECT_EQ(view_.Text(kDelay), "25");
    EXPECT_EQ(view_.Text(kMessage), "Hello \xC3\xA9toiles");
    EXPECT_EQ(view_.Text(Own(ControlId::Window)), "Another Caption");
    EXPECT_EQ(view_.Text(Own(ControlId::GalaxyFrame)), "");  // not in this layout: nothing, no crash
    view_.SetChecked(kResize, true);
    EXPECT_TRUE(view_.Checked(kResize));
    EXPECT_EQ(SendMessageW(Of(kResize), BM_GETCHECK, 0, 0), BST_CHECKED);
    // The view's own changes are not the user's.
    EXPECT_EQ(events_.Count("edited Adv_TimeDelay"), 0);
    EXPECT_EQ(events_.Count("edited LockMessage"), 0);
}

TEST_F(Win32ViewTest, TypingIsTheUsersChangeAndAsksTheLogicFirst) {
    view_.SetText(kDelay, "1234");
    SendMessageW(Of(kDelay), EM_SETSEL, 1, 3);
    SendMessageW(Of(kDelay), WM_CHAR, L'7', 0);
    EXPECT_EQ(events_.Count("typed Adv_TimeDelay 7"), 1);
    EXPECT_EQ(events_.lastText, "1234");
    EXPECT_EQ(events_.lastSelection, "23");
    EXPECT_EQ(view_.Text(kDelay), "174");
    EXPECT_EQ(events_.Count("edited Adv_TimeDelay"), 1);
    events_.acceptKeys = false;
    SendMessageW(Of(kDelay), WM_CHAR, L'x', 0);
    EXPECT_EQ(view_.Text(kDelay), "174");
    EXPECT_EQ(events_.Count("edited Adv_TimeDelay"), 1);
    SendMessageW(Of(kDelay), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(events_.Count("arrow Adv_TimeDelay -1"), 1);
}

TEST_F(Win32ViewTest, TheSpinnerStepsItsFieldWithinItsRange) {
    view_.SetText(kDelay, "25");
    ClickSpinner(1);
    EXPECT_EQ(view_.Text(kDelay), "35");
    EXPECT_EQ(events_.Count("edited Adv_TimeDelay"), 1);  // the field's, not the spinner's
    ClickSpinner(-1);
    ClickSpinner(-1);
    EXPECT_EQ(view_.Text(kDelay), "15");
    view_.SetText(kDelay, "24.5");  // the spinner follows the field, halves to even
    ClickSpinner(1);
    EXPECT_EQ(view_.Text(kDelay), "34");
    view_.SetText(kDelay, "994");
    ClickSpinner(1);
    EXPECT_EQ(view_.Text(kDelay), "999");
    const int edits = events_.Count("edited Adv_TimeDelay");
    ClickSpinner(1);  // at the top nothing changes and nothing is reported
    EXPECT_EQ(view_.Text(kDelay), "999");
    EXPECT_EQ(events_.Count("edited Adv_TimeDelay"), edits);
    view_.SetText(kDelay, "3");
    ClickSpinner(-1);
    EXPECT_EQ(view_.Text(kDelay), "0");
    // Text without a number leaves the spinner where it was.
    view_.SetText(kDelay, "abc");
    ClickSpinner(1);
    EXPECT_EQ(view_.Text(kDelay), "10");
}

TEST_F(Win32ViewTest, ListsTakeEntriesChoicesAndMarks) {
    const std::vector<std::string> fonts = {"Arial", "Courier", "Tahoma"};
    view_.FillList(kFont, fonts);
    view_.Select(kFont, 2);
    EXPECT_EQ(view_.Selected(kFont), 2);
    EXPECT_EQ(view_.Text(kFont), "Tahoma");
    view_.Select(kFont, -1);
    EXPECT_EQ(view_.Selected(kFont), -1);

    const std::vector<std::string> lines = {"One     1", "Two     2", "Three   3"};
    view_.FillList(kLines, lines);
    EXPECT_EQ(view_.Selected(kLines), -1);
    view_.Select(kLines, 1);
    view_.SetListEntry(kLines, 1, "Deux   22");
    EXPECT_EQ(view_.Selected(kLines), 1);  // rewriting the chosen line keeps it chosen
    wchar_t text[32] = {};
    SendMessageW(Of(kLines), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Deux   22");
    EXPECT_EQ(SendMessageW(Of(kLines), LB_GETCOUNT, 0, 0), 3);

    view_.FillList(kMarks, lines);
    view_.SetMarked(kMarks, 0, true);
    view_.SetMarked(kMarks, 2, true);
    view_.SetMarked(kMarks, 0, false);
    EXPECT_FALSE(view_.Marked(kMarks, 0));
    EXPECT_FALSE(view_.Marked(kMarks, 1));
    EXPECT_TRUE(view_.Marked(kMarks, 2));
    view_.SetListEntry(kMarks, 2, "Trois  3");
    EXPECT_TRUE(view_.Marked(kMarks, 2));  // and a marked one marked
    EXPECT_TRUE(events_.events.empty());   // none of it was the user's
}

TEST_F(Win32ViewTest, WhatTheUserChoosesReachesTheLogic) {
    const std::vector<std::string> fonts = {"Arial", "Courier"};
    view_.FillList(kFont, fonts);
    SendMessageW(Of(kFont), CB_SETCURSEL, 1, 0);
    Notify(kFont, CBN_SELCHANGE);
    EXPECT_EQ(events_.Count("chosen Adv_FontName 1"), 1);
    const std::vector<std::string> lines = {"One     1", "Two     2"};
    view_.FillList(kLines, lines);
    SendMessageW(Of(kLines), LB_SETCURSEL, 0, 0);
    Notify(kLines, LBN_SELCHANGE);
    Notify(kLines, LBN_DBLCLK);
    EXPECT_EQ(events_.Count("chosen own" + std::to_string(static_cast<int>(ControlId::CompositeList)) + " 0"),
              1);
    EXPECT_EQ(events_.Count("double own" + std::to_string(static_cast<int>(ControlId::CompositeList)) + " 0"),
              1);
    SendMessageW(Of(kResize), BM_CLICK, 0, 0);
    EXPECT_EQ(events_.Count("checked Adv_WinResize"), 1);
    SendMessageW(Of(kOk), BM_CLICK, 0, 0);
    EXPECT_EQ(events_.Count("button own" + std::to_string(static_cast<int>(ControlId::OkButton))), 1);
}

TEST_F(Win32ViewTest, AnOpenedDropDownListChoosesWhenItCloses) {
    const std::vector<std::string> fonts = {"Arial", "Courier", "Tahoma"};
    view_.FillList(kFont, fonts);
    view_.Select(kFont, 0);
    ShowWindow(view_.Handle(), SW_SHOW);
    events_.events.clear();  // the focus that came with showing it
    SendMessageW(Of(kFont), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageW(Of(kFont), CB_GETDROPPEDSTATE, 0, 0));
    // Moving through the open list is no choice yet.
    SendMessageW(Of(kFont), CB_SETCURSEL, 1, 0);
    Notify(kFont, CBN_SELCHANGE);
    SendMessageW(Of(kFont), CB_SETCURSEL, 2, 0);
    Notify(kFont, CBN_SELCHANGE);
    EXPECT_TRUE(events_.events.empty());
    SendMessageW(Of(kFont), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(events_.events, std::vector<std::string>{"chosen Adv_FontName 2"});
    // Opened and closed on the same entry: nothing was chosen.
    SendMessageW(Of(kFont), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(Of(kFont), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(events_.events.size(), 1u);
}

TEST_F(Win32ViewTest, AFieldIsDisabledWithItsLabelAndSpinner) {
    view_.Enable(kDelay, false);
    EXPECT_FALSE(IsWindowEnabled(Of(kDelay)));
    EXPECT_FALSE(IsWindowEnabled(Of(kDelay, Part::Label)));
    EXPECT_FALSE(IsWindowEnabled(Of(kDelay, Part::Spinner)));
    EXPECT_TRUE(IsWindowEnabled(Of(kMessage)));
    view_.Enable(kDelay, true);
    EXPECT_TRUE(IsWindowEnabled(Of(kDelay, Part::Label)));
    EXPECT_TRUE(IsWindowEnabled(Of(kDelay, Part::Spinner)));
}

TEST_F(Win32ViewTest, PagesOfTheLogicAreTheDialogsPageSets) {
    HWND onPage1 = Of(Own(ControlId::TemplateName));
    EXPECT_EQ(GetWindowLongW(onPage1, GWL_STYLE) & WS_VISIBLE, 0);
    view_.ShowPage(kPages, 1);
    EXPECT_NE(GetWindowLongW(onPage1, GWL_STYLE) & WS_VISIBLE, 0);
    view_.ShowPage(Own(ControlId::GalaxyPages), 0);  // a set this dialog does not have
    EXPECT_NE(GetWindowLongW(onPage1, GWL_STYLE) & WS_VISIBLE, 0);
}

TEST_F(Win32ViewTest, AFieldIsLeftOnlyForAnotherControlOfTheDialog) {
    ShowWindow(view_.Handle(), SW_SHOW);
    SetForegroundWindow(view_.Handle());
    SetFocus(Of(kDelay));
    EXPECT_EQ(events_.Count("entered Adv_TimeDelay"), 1);
    SetFocus(Of(kMessage));
    EXPECT_EQ(events_.Count("left Adv_TimeDelay"), 1);
    EXPECT_EQ(events_.Count("entered LockMessage"), 1);
    // A window of this program over the dialog (a message box, another dialog) takes the
    // keyboard for a while only.
    HWND other = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetFocus(other);
    EXPECT_EQ(events_.Count("left LockMessage"), 0);
    DestroyWindow(other);
}

TEST_F(Win32ViewTest, ColoursGoToPicturesAndToFieldText) {
    view_.SetColour(kSample, 0x0000FF00u);  // green, packed 0x00BBGGRR
    SurfacePicture* sample = view_.PictureOf(kSample);
    ASSERT_NE(sample, nullptr);
    ASSERT_GT(sample->Surface().Width(), 0);
    EXPECT_EQ(sample->Surface().GetPixel(0, 0), 0x0000FF00u);
    const uint32_t ramp[] = {0x000000FFu, 0x00FF0000u};
    view_.SetRamp(kSample, ramp);
    EXPECT_EQ(sample->Surface().GetPixel(0, 0), 0x000000FFu);
    EXPECT_EQ(sample->Surface().GetPixel(sample->Surface().Width() - 1, 0), 0x00FF0000u);

    view_.SetColour(kMessage, 0x00123456u);
    HDC dc = CreateCompatibleDC(nullptr);
    const LRESULT brush = SendMessageW(view_.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(Of(kMessage)));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(dc), static_cast<COLORREF>(0x00123456u));
    DeleteDC(dc);
}

TEST_F(Win32ViewTest, CloseEndsTheModalRunWithItsResult) {
    PostMessageW(view_.Handle(), WM_NULL, 0, 0);
    view_.Close(DialogResult::Accepted);
    EXPECT_EQ(view_.RunModal(Placement::CentreOnScreen), DialogResult::Accepted);
}

}  // namespace
}  // namespace astrelle::win32
