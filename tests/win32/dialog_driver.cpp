// Drives astrelle.scr's dialogs under Wine for scripts/wine-tests the way a user and Windows
// would: it starts "/c" (plain, or owned by a window of its own standing in for the Screen
// Saver Settings dialog), finds the dialogs and their controls by their captions and
// labels, types into fields, presses keys and menu entries through the dialogs' own message
// queues, and checks the registry, the files and the windows. Prints one line per check;
// exit status 0 when every check of the mode passed.
//   dialog_driver firstrun <scr>     "/c" on an empty store stores theme 1 and the factory rows
//   dialog_driver owned <scr>        "/c:<handle>": owned by it, modal, centred; a second "/c" raises it
//   dialog_driver accept <scr>       typed values, corrected and accepted, reach the registry
//   dialog_driver cancel <scr>       a typed value and Cancel store nothing
//   dialog_driver advanced <scr>     the advanced dialog opens over it and OK stores
//   dialog_driver template <scr> <folder>   Save Template As and Open Template through the chooser
//   dialog_driver preview <scr>      Galaxy Preview draws, Escape stops it, the dialog stays
//   dialog_driver help <scr> <temp>  F1 in the stars field writes the topic's page and opens it
//   dialog_driver about <scr>        About opens the welcome window, Credits the credits
//   dialog_driver windowed <scr>     a key in the windowed program opens the dialog over it
//   dialog_driver shots <scr>        walks every page, printing "SHOT <name>" and waiting for a line on stdin
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "saver_process.h"
#include "settings/factory_tables.h"
#include "settings/value_utils.h"
#include "ui/logic/props_view.h"
#include "ui/win32/props_view.h"

namespace {

using astrelle::MenuEntry;

constexpr DWORD kStartTimeoutMs = 20000;  // Wine starts a program in a second or two
constexpr DWORD kStepTimeoutMs = 5000;
constexpr DWORD kPollMs = 20;
constexpr wchar_t kSettingsKey[] = L"Software\\Corvane\\KRLN_Galaxy";
constexpr wchar_t kPropsCaption[] = L"Galaxy Properties";

std::wstring scr_;     // the astrelle.scr under test
std::wstring folder_;  // the template or temporary folder of the modes that take one

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// ---- the registry ------------------------------------------------------------------------------

std::string Stored(const std::string& section, const std::string& key) {
    const std::wstring path = std::wstring(kSettingsKey) + L"\\" + Widen(section);
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), Widen(key).c_str(), RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS) {
        return "<missing>";
    }
    return Narrow(value);
}

bool SameNumber(const std::string& a, const std::string& b) {
    const double x = astrelle::LeadingNumber(a);
    const double y = astrelle::LeadingNumber(b);
    return !std::isnan(x) && !std::isnan(y) && std::abs(x - y) <= 1e-6 * std::max(1.0, std::abs(y));
}

// Polls until done() holds, handling this thread's messages; false on timeout.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kStepTimeoutMs) {
    const ULONGLONG start = GetTickCount64();
    while (!done()) {
        if (GetTickCount64() - start > timeoutMs) return false;
        Pump();
        Sleep(kPollMs);
    }
    return true;
}

struct FoundWindow {
    DWORD process = 0;
    std::wstring caption;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<FoundWindow*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    if ((found->process == 0 || owner == found->process) && found->caption == caption &&
        IsWindowVisible(window)) {
        found->windows.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> TopWindows(DWORD process, const std::wstring& caption) {
    FoundWindow found{process, caption, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

HWND WaitForWindow(const Saver& saver, const std::wstring& caption, DWORD timeoutMs = kStartTimeoutMs) {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopWindows(saver.process.dwProcessId, caption);
            window = windows.empty() ? nullptr : windows.front();
            return window != nullptr || !saver.Running();
        },
        timeoutMs);
    return window;
}

// ---- controls ----------------------------------------------------------------------------------

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        kStepTimeoutMs, nullptr);
    return text;
}

// The first visible control of a class after the label with this text, in tab order (the
// label names the field that follows it).
HWND ControlAfterLabel(HWND dialog, const std::wstring& label, const std::wstring& className) {
    bool seen = false;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!seen) {
            seen = ClassOf(child) == L"Static" && TextOf(child) == label && IsWindowVisible(child);
            continue;
        }
        if (IsWindowVisible(child) && ClassOf(child) == className) return child;
    }
    return nullptr;
}

HWND ButtonWithText(HWND dialog, const std::wstring& text) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Button" && TextOf(child) == text && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

// The focus to a control as the keyboard would move it (the dialog sets it itself).
void FocusOn(HWND dialog, HWND control) {
    PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

// Focuses the control, then types the text into it.
void TypeInto(HWND dialog, HWND control, const std::wstring& text) {
    FocusOn(dialog, control);
    for (const wchar_t c : text) PostMessageW(control, WM_CHAR, c, 1);
}

void PressKey(HWND control, WPARAM key) {
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

void Menu(HWND dialog, MenuEntry entry) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(astrelle::win32::kFirstMenuId + static_cast<int>(entry), 0),
                 0);
}

// Waits until the saver's thread has handled everything posted to it so far.
void Settle(const Saver& saver) {
    WaitForInputIdle(saver.process.hProcess, kStepTimeoutMs);
    Pump();
    Sleep(100);
}

bool CentredOn(HWND window, const RECT& area) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const long dx = (frame.left + frame.right) / 2 - (area.left + area.right) / 2;
    const long dy = (frame.top + frame.bottom) / 2 - (area.top + area.bottom) / 2;
    return std::abs(dx) <= 2 && std::abs(dy) <= 2;
}

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// Waits until the window has closed or hidden itself.
bool Gone(HWND window) {
    return WaitUntil([&] { return IsWindow(window) == FALSE || IsWindowVisible(window) == FALSE; });
}

// Starts "/c" and waits for the properties dialog; nullptr (after a failed check) if it does not open.
HWND OpenProps(Saver& saver) {
    if (!Check(saver.Start(scr_, L"/c"), "astrelle.scr /c starts")) return nullptr;
    HWND dialog = WaitForWindow(saver, kPropsCaption);
    Check(dialog != nullptr, "a window \"Galaxy Properties\" opens");
    return dialog;
}

// Escape in the dialog: Cancel; the saver ends with status 0.
void CancelAndEnd(Saver& saver, HWND dialog, const char* what) {
    PressKey(GetDlgItem(dialog, IDCANCEL), VK_ESCAPE);
    const long took = saver.WaitForEnd(kStepTimeoutMs);
    Check(took >= 0 && saver.ExitCode() == 0, what);
}

HWND StarsField(HWND dialog) {
    return ControlAfterLabel(dialog, L"Stars (10 - 30000):", L"Edit");
}

// ---- the modes ---------------------------------------------------------------------------------

void FirstRun() {
    Check(Stored("General", "AnimationType") == "<missing>", "the store is empty before");
    Saver saver;
    HWND dialog = OpenProps(saver);
    if (dialog == nullptr) return;
    Settle(saver);
    Check(GetWindow(dialog, GW_OWNER) == nullptr, "owned by no window");
    Check(CentredOn(dialog, WorkArea()), "centred on the screen");
    Check(Stored("General", "AnimationType") == "0", "the settings are stored at once (AnimationType 0)");
    const std::string theme = astrelle::UniverseThemeRow(1);
    int same = 0;
    for (int column = 0; column < astrelle::kUniverseThemeColumns; ++column) {
        const std::string key(astrelle::UniverseThemeKey(column));
        if (SameNumber(Stored("Universe", key), astrelle::FieldAt(theme, column))) ++same;
    }
    Check(same == astrelle::kUniverseThemeColumns,
          "the universe values are theme 1's (" + std::to_string(same) + " of 29 columns)");
    int names = 0;
    for (int i = 0; i < 32; ++i) {
        std::string name = astrelle::GalaxyTypeName(i);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        if (Stored("Universe\\Galaxy" + std::to_string(i), "_UniGalName") == name) ++names;
    }
    Check(names == 32, "the 32 factory galaxy types are stored (" + std::to_string(names) + ")");
    astrelle::CompositeTable composites{};
    astrelle::LoadFactoryComposites(composites);
    int rows = 0;
    for (int c = 0; c < 16; ++c) {
        const std::string section = "Universe\\CompGal" + std::to_string(c);
        if (Stored(section, "_CompGalName") == composites[static_cast<size_t>(c)].Name &&
            Stored(section, "_CompGalPct") == std::to_string(composites[static_cast<size_t>(c)].Weight)) {
            ++rows;
        }
    }
    Check(rows == 16, "the 16 factory composites are stored (" + std::to_string(rows) + ")");
    HWND stars = StarsField(dialog);
    Check(stars != nullptr && TextOf(stars) == Widen(astrelle::FieldAt(theme, 0)),
          "the stars field shows theme 1's");
    CancelAndEnd(saver, dialog, "Escape closes it, status 0");
}

class OwnerWindow {
  public:
    OwnerWindow() {
        window_ =
            CreateWindowExW(0, L"STATIC", L"Screen Saver Settings (test)", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            60, 40, 420, 460, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        Pump();
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

  private:
    HWND window_ = nullptr;
};

void Owned() {
    OwnerWindow owner;
    Saver saver;
    const std::wstring handle = std::to_wstring(reinterpret_cast<uintptr_t>(owner.Handle()));
    if (!Check(saver.Start(scr_, L"/c:" + handle), "astrelle.scr /c:<handle> starts")) return;
    HWND dialog = WaitForWindow(saver, kPropsCaption);
    if (!Check(dialog != nullptr, "a window \"Galaxy Properties\" opens")) return;
    Settle(saver);
    Check(GetWindow(dialog, GW_OWNER) == owner.Handle(), "owned by the given window");
    Check(IsWindowEnabled(owner.Handle()) == FALSE, "which it disables while open (modal)");
    RECT ownerFrame{};
    GetWindowRect(owner.Handle(), &ownerFrame);
    // A dialog larger than its owner is held within the work area.
    RECT frame{};
    GetWindowRect(dialog, &frame);
    const RECT work = WorkArea();
    const bool fits = frame.left >= work.left && frame.top >= work.top && frame.right <= work.right &&
                      frame.bottom <= work.bottom;
    const long ownerCentre = (ownerFrame.left + ownerFrame.right) / 2;
    const long centre = (frame.left + frame.right) / 2;
    Check(fits && (std::abs(centre - ownerCentre) <= 2 || frame.left == work.left),
          "centred on it, within the work area");

    // A second "/c" finds the open dialog, brings it forward and ends.
    Saver second;
    Check(second.Start(scr_, L"/c"), "a second /c starts");
    const long took = second.WaitForEnd(kStartTimeoutMs);
    Check(took >= 0 && second.ExitCode() == 0, "and ends with status 0 (" + std::to_string(took) + " ms)");
    Check(TopWindows(0, kPropsCaption).size() == 1, "one \"Galaxy Properties\" window still");
    Check(GetForegroundWindow() == dialog, "the open dialog is in front");

    CancelAndEnd(saver, dialog, "Escape closes it, status 0");
    Check(IsWindowEnabled(owner.Handle()) != FALSE, "the owner is enabled again");
}

void Accept() {
    Saver saver;
    HWND dialog = OpenProps(saver);
    if (dialog == nullptr) return;
    HWND stars = StarsField(dialog);
    HWND objects = ControlAfterLabel(dialog, L"Galaxy Objects (1 - 999):", L"Edit");
    HWND message = ControlAfterLabel(dialog, L"Loc&k Message:", L"Edit");
    if (!Check(stars && objects && message, "the stars, galaxy objects and lock message fields are found"))
        return;
    // Entering a field selects its text, so typing replaces it; a letter is swallowed.
    TypeInto(dialog, stars, L"1a234");
    TypeInto(dialog, message, L"Hello from Wine");
    TypeInto(dialog, objects, L"5000");
    Settle(saver);
    Check(TextOf(stars) == L"1234", "typed 1a234 into the stars field shows " + Narrow(TextOf(stars)));
    // Enter presses Accept while the focus is still in the field typed into.
    PressKey(objects, VK_RETURN);
    const long took = saver.WaitForEnd(kStepTimeoutMs);
    Check(took >= 0 && saver.ExitCode() == 0, "Enter accepts and closes the dialog, status 0");
    Check(Stored("Universe", "Universe_Stars") == "1234",
          "Universe_Stars 1234 is stored: " + Stored("Universe", "Universe_Stars"));
    Check(Stored("Universe", "Universe_Galaxy") == "999",
          "5000 galaxy objects, accepted without leaving the field, are stored held to 999: " +
              Stored("Universe", "Universe_Galaxy"));
    Check(Stored("General", "LockMessage") == "Hello from Wine",
          "the lock message is stored: " + Stored("General", "LockMessage"));
}

void Cancel() {
    const std::string before = Stored("Universe", "Universe_Stars");
    Saver saver;
    HWND dialog = OpenProps(saver);
    if (dialog == nullptr) return;
    HWND stars = StarsField(dialog);
    TypeInto(dialog, stars, L"4321");
    Settle(saver);
    Check(TextOf(stars) == L"4321", "4321 typed into the stars field");
    HWND cancel = ButtonWithText(dialog, L"Cancel");
    if (!Check(cancel != nullptr, "the Cancel button is found")) return;
    PostMessageW(cancel, BM_CLICK, 0, 0);
    const long took = saver.WaitForEnd(kStepTimeoutMs);
    Check(took >= 0 && saver.ExitCode() == 0, "Cancel closes the dialog, status 0");
    Check(Stored("Universe", "Universe_Stars") == before,
          "the stored stars stay " + before + ": " + Stored("Universe", "Universe_Stars"));
}

void Advanced() {
    Saver saver;
    HWND dialog = OpenProps(saver);
    if (dialog == nullptr) return;
    Menu(dialog, MenuEntry::Advanced);
    HWND advanced = WaitForWindow(saver, L"Advanced Settings", kStepTimeoutMs);
    if (!Check(advanced != nullptr, "Edit > Advanced Settings... opens \"Advanced Settings\"")) return;
    Check(GetWindow(advanced, GW_OWNER) == dialog && IsWindowEnabled(dialog) == FALSE,
          "owned by the properties dialog, which waits for it");
    HWND delay = ControlAfterLabel(advanced, L"Delay in Milliseconds (0 - 999):", L"Edit");
    HWND text = ControlAfterLabel(advanced, L"&Text:", L"Edit");
    if (!Check(delay && text, "its delay and message fields are found")) return;
    TypeInto(advanced, text, L"Advanced text");
    TypeInto(advanced, delay, L"40");
    Settle(saver);
    PressKey(delay, VK_RETURN);
    Check(Gone(advanced), "Enter presses OK and closes it");
    Check(WaitUntil([] { return Stored("Advanced", "Adv_TimeDelay") == "40"; }),
          "OK stores Adv_TimeDelay 40 at once: " + Stored("Advanced", "Adv_TimeDelay"));
    HWND message = ControlAfterLabel(dialog, L"Loc&k Message:", L"Edit");
    Check(message != nullptr && TextOf(message) == L"Advanced text", "the message comes back to the dialog");
    // Cancel in the advanced dialog changes neither the store nor the message.
    Menu(dialog, MenuEntry::Advanced);
    advanced = WaitForWindow(saver, L"Advanced Settings", kStepTimeoutMs);
    if (Check(advanced != nullptr, "it opens again")) {
        delay = ControlAfterLabel(advanced, L"Delay in Milliseconds (0 - 999):", L"Edit");
        text = ControlAfterLabel(advanced, L"&Text:", L"Edit");
        Check(delay != nullptr && TextOf(delay) == L"40", "showing the stored delay");
        TypeInto(advanced, text, L"Not kept");
        TypeInto(advanced, delay, L"70");
        Settle(saver);
        PressKey(delay, VK_ESCAPE);
        Check(Gone(advanced), "Escape cancels it");
        Settle(saver);
        Check(Stored("Advanced", "Adv_TimeDelay") == "40" && TextOf(message) == L"Advanced text",
              "and nothing changed: " + Stored("Advanced", "Adv_TimeDelay") + ", " + Narrow(TextOf(message)));
    }
    CancelAndEnd(saver, dialog, "Escape closes the properties dialog, status 0");
    Check(Stored("Advanced", "Adv_TimeDelay") == "40", "the advanced value stays after Cancel");
    Check(Stored("General", "LockMessage") != "Advanced text", "the message, not accepted, is not stored");
}

std::string ReadFileText(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(1 << 20, '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

bool WriteFileText(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
    CloseHandle(file);
    return ok && written == bytes.size();
}

// Chooses name in the chooser titled title: types it into the name field and presses OK.
bool ChooseInChooser(const Saver& saver, HWND dialog, const std::wstring& title, const std::wstring& name) {
    HWND chooser = WaitForWindow(saver, title, kStepTimeoutMs);
    if (!Check(chooser != nullptr, "the chooser \"" + Narrow(title) + "\" opens")) return false;
    Check(GetWindow(chooser, GW_OWNER) == dialog, "owned by the properties dialog");
    HWND field = ControlAfterLabel(chooser, L"Template &name:", L"Edit");
    if (!Check(field != nullptr, "its name field is found")) return false;
    TypeInto(chooser, field, name);
    Settle(saver);
    PressKey(field, VK_RETURN);
    return Check(Gone(chooser), "Enter confirms " + Narrow(name) + " and closes it");
}

void Template() {
    const std::wstring& folder = folder_;
    Saver saver;
    // The chooser starts in the program's current folder.
    if (!Check(saver.Start(scr_, L"/c", folder), "astrelle.scr /c starts in " + Narrow(folder))) return;
    HWND dialog = WaitForWindow(saver, kPropsCaption);
    if (!Check(dialog != nullptr, "a window \"Galaxy Properties\" opens")) return;
    Menu(dialog, MenuEntry::SaveTemplateAs);
    if (!ChooseInChooser(saver, dialog, L"Enter or Select Template to Save", L"mine")) return;
    const std::wstring path = folder + L"\\mine.glx";
    std::string saved;
    WaitUntil([&] {
        saved = ReadFileText(path);
        return !saved.empty();
    });
    Check(saved.find("[Universe]") != std::string::npos && saved.find("Universe_Stars=") != std::string::npos,
          "mine.glx (\".glx\" added) holds the universe values");
    // Another stars value in the file, then open it again.
    const size_t at = saved.find("Universe_Stars=");
    if (at != std::string::npos) {
        const size_t end = saved.find_first_of("\r\n", at);
        saved.replace(at, end - at, "Universe_Stars=777");
        Check(WriteFileText(path, saved), "the template is changed to 777 stars");
    }
    Menu(dialog, MenuEntry::OpenTemplate);
    if (!ChooseInChooser(saver, dialog, L"Select Template to Open", L"mine.glx")) return;
    HWND stars = StarsField(dialog);
    Check(WaitUntil([&] { return stars != nullptr && TextOf(stars) == L"777"; }),
          "opening it shows its 777 stars: " + Narrow(stars ? TextOf(stars) : L""));
    // A name that does not exist is refused with a message; the chooser stays.
    WriteFileText(folder + L"\\notes.txt", "not a template");
    Menu(dialog, MenuEntry::OpenTemplate);
    HWND chooser = WaitForWindow(saver, L"Select Template to Open", kStepTimeoutMs);
    if (chooser != nullptr) {
        // It lists the templates of the folder it was last in, and only those.
        Settle(saver);
        HWND files = nullptr;
        for (HWND child = GetWindow(chooser, GW_CHILD); child != nullptr && files == nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (ClassOf(child) == L"ListBox" && IsWindowVisible(child)) files = child;
        }
        const LRESULT count = files != nullptr ? SendMessageW(files, LB_GETCOUNT, 0, 0) : -1;
        bool mine = false;
        bool notes = false;
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t name[MAX_PATH] = {};
            SendMessageW(files, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
            mine = mine || std::wstring(name) == L"mine.glx";
            notes = notes || std::wstring(name) == L"notes.txt";
        }
        Check(mine && !notes,
              "the chooser lists mine.glx and not notes.txt (" + std::to_string(count) + " files)");
        HWND field = ControlAfterLabel(chooser, L"Template &name:", L"Edit");
        TypeInto(chooser, field, L"missing.glx");
        Settle(saver);
        PressKey(field, VK_RETURN);
        HWND refusal = WaitForWindow(saver, L"Astrelle", kStepTimeoutMs);
        Check(refusal != nullptr, "a name that does not exist is refused with a message");
        if (refusal != nullptr) PostMessageW(refusal, WM_COMMAND, IDOK, 0);
        Settle(saver);
        Check(IsWindowVisible(chooser) != FALSE, "and the chooser stays open");
        PressKey(field, VK_ESCAPE);
        Check(Gone(chooser), "Escape cancels the chooser");
    }
    CancelAndEnd(saver, dialog, "Escape closes the properties dialog, status 0");
}

// Pixels of a window's client area on the screen that are not black.
int LitPixels(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    HDC screen = GetDC(nullptr);
    int lit = 0;
    for (int y = area.top; y < area.bottom; y += 2) {
        for (int x = area.left; x < area.right; x += 2) {
            if ((GetPixel(screen, x, y) & 0xFFFFFF) != 0) ++lit;
        }
    }
    ReleaseDC(nullptr, screen);
    return lit;
}

HWND PreviewPicture(HWND dialog) {
    // The largest picture of the dialog.
    HWND best = nullptr;
    long bestArea = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != L"Static" || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_OWNERDRAW)
            continue;
        RECT r{};
        GetClientRect(child, &r);
        if (r.right * r.bottom > bestArea) {
            bestArea = r.right * r.bottom;
            best = child;
        }
    }
    return best;
}

void Preview() {
    Saver saver;
    HWND dialog = OpenProps(saver);
    if (dialog == nullptr) return;
    HWND button = ButtonWithText(dialog, L"&Galaxy Preview");
    HWND accept = ButtonWithText(dialog, L"&Accept Settings");
    HWND picture = PreviewPicture(dialog);
    if (!Check(button && accept && picture, "the preview button and picture are found")) return;
    Settle(saver);
    PostMessageW(button, BM_CLICK, 0, 0);
    Check(WaitUntil([&] { return TextOf(button) == L"&Stop"; }), "Galaxy Preview becomes Stop");
    Check(IsWindowEnabled(accept) == FALSE, "the other controls are disabled while it runs");
    int lit = 0;
    WaitUntil([&] { return (lit = LitPixels(picture)) > 50; });
    Check(lit > 50, "the preview draws stars (" + std::to_string(lit) + " lit pixels sampled)");
    PressKey(button, VK_ESCAPE);
    Check(WaitUntil([&] { return TextOf(button) == L"&Galaxy Preview"; }), "Escape stops it");
    Check(WaitUntil([&] { return IsWindowEnabled(accept) != FALSE; }), "the controls are enabled again");
    Check(saver.Running(), "the dialog stays open");
    // The close box while a preview runs: the preview stops first, then the dialog closes.
    PostMessageW(button, BM_CLICK, 0, 0);
    Check(WaitUntil([&] { return TextOf(button) == L"&Stop"; }), "a second preview starts");
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    const long took = saver.WaitForEnd(kStepTimeoutMs);
    Check(took >= 0 && saver.ExitCode() == 0, "the close box ends it and closes the dialog, status 0");
}

void Help() {
    const std::wstring& temp = folder_;
    const std::wstring page = temp + L"\\Astrelle\\help-Universe_Stars.html";
    DeleteFileW(page.c_str());
    Saver saver;
    HWND dialog = OpenProps(saver);
    if (dialog == nullptr) return;
    HWND stars = StarsField(dialog);
    FocusOn(dialog, stars);
    Settle(saver);
    PressKey(stars, VK_F1);
    std::string forward;
    WaitUntil([&] {
        forward = ReadFileText(page);
        return !forward.empty();
    });
    Check(forward.find("help.html#Universe_Stars") != std::string::npos,
          "F1 in the stars field writes the page that leads to its topic");
    const std::string help = ReadFileText(temp + L"\\Astrelle\\help.html");
    Check(help.find("id=\"Universe_Stars\"") != std::string::npos,
          "beside the help page carried in astrelle.scr");
    Settle(saver);
    Check(TopWindows(saver.process.dwProcessId, L"Astrelle").empty(), "and no message says it failed");
    CancelAndEnd(saver, dialog, "Escape closes the dialog, status 0");
}

void About() {
    Saver saver;
    HWND dialog = OpenProps(saver);
    if (dialog == nullptr) return;
    Menu(dialog, MenuEntry::About);
    HWND welcome = WaitForWindow(saver, L"About Astrelle", kStepTimeoutMs);
    if (!Check(welcome != nullptr, "Help > About Astrelle... opens the welcome window")) return;
    HWND picture = PreviewPicture(welcome);
    int lit = 0;
    WaitUntil([&] { return picture != nullptr && (lit = LitPixels(picture)) > 20; });
    Check(lit > 20, "its galaxy show draws (" + std::to_string(lit) + " lit pixels sampled)");
    // Web... hands the product page to the browser (scripts/wine-tests checks what it got).
    HWND web = ButtonWithText(welcome, L"&Web...");
    if (Check(web != nullptr, "the Web button is found")) {
        PostMessageW(web, BM_CLICK, 0, 0);
        Settle(saver);
        Check(TopWindows(saver.process.dwProcessId, L"Astrelle").empty(), "and no warning says it failed");
    }
    HWND credits = ButtonWithText(welcome, L"&Credits...");
    if (Check(credits != nullptr, "the Credits button is found")) {
        PostMessageW(credits, BM_CLICK, 0, 0);
        HWND window = WaitForWindow(saver, L"Astrelle Credits", kStepTimeoutMs);
        Check(window != nullptr, "Credits opens the credits window");
        if (window != nullptr) {
            PressKey(GetDlgItem(window, IDCANCEL), VK_ESCAPE);
            Check(Gone(window), "Escape dismisses the credits");
        }
    }
    PressKey(GetDlgItem(welcome, IDCANCEL), VK_ESCAPE);
    Check(Gone(welcome), "Escape dismisses the welcome window");
    Check(saver.Running(), "the properties dialog stays");
    CancelAndEnd(saver, dialog, "Escape closes it, status 0");
}

// The largest visible window of the process: the windowed program's, whatever its caption.
struct LargestWindow {
    DWORD process = 0;
    HWND window = nullptr;
    long area = 0;
};

BOOL CALLBACK CollectLargest(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<LargestWindow*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT r{};
    GetWindowRect(window, &r);
    const long area = (r.right - r.left) * (r.bottom - r.top);
    if (owner == found->process && IsWindowVisible(window) && area > found->area) {
        found->window = window;
        found->area = area;
    }
    return TRUE;
}

void Windowed() {
    Saver saver;
    if (!Check(saver.Start(scr_, L""), "the windowed program starts")) return;
    LargestWindow found{saver.process.dwProcessId};
    WaitUntil([&] {
        EnumWindows(CollectLargest, reinterpret_cast<LPARAM>(&found));
        return found.window != nullptr;
    });
    HWND program = found.window;
    if (!Check(program != nullptr, "its window appears")) return;
    Settle(saver);
    PressKey(program, 'A');
    HWND dialog = WaitForWindow(saver, kPropsCaption, kStepTimeoutMs);
    if (!Check(dialog != nullptr, "a key opens \"Galaxy Properties\"")) return;
    Settle(saver);
    Check(GetWindow(dialog, GW_OWNER) == program && IsWindowEnabled(program) == FALSE,
          "owned by the program's window, which waits for it");
    PressKey(GetDlgItem(dialog, IDCANCEL), VK_ESCAPE);
    Check(WaitUntil([&] { return TopWindows(saver.process.dwProcessId, kPropsCaption).empty(); }),
          "Escape closes it");
    Check(WaitUntil([&] { return IsWindowEnabled(program) != FALSE; }) && saver.Running(),
          "and the program runs on");
    PressKey(program, VK_ESCAPE);
    const long took = saver.WaitForEnd(kStepTimeoutMs);
    Check(took >= 0 && saver.ExitCode() == 0, "Escape then ends the program, status 0");
}

// ---- screenshots of every page ------------------------------------------------------------------

void Shot(const Saver& saver, const std::string& name) {
    Settle(saver);
    Sleep(300);
    std::printf("SHOT %s\n", name.c_str());
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
}

void Choose(HWND dialog, HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void Shots() {
    Saver saver;
    HWND dialog = OpenProps(saver);
    if (dialog == nullptr) return;
    HWND extras = ControlAfterLabel(dialog, L"Extra&s:", L"ComboBox");
    for (int page = 0; page < 5; ++page) {
        Choose(dialog, extras, page);
        Shot(saver, "universe-" + std::to_string(page));
    }
    Choose(dialog, extras, 0);
    PostMessageW(ButtonWithText(dialog, L"&Props"), BM_CLICK, 0, 0);
    Settle(saver);
    HWND galaxyExtras = ControlAfterLabel(dialog, L"Extra&s:", L"ComboBox");
    for (int page = 0; page < 3; ++page) {
        Choose(dialog, galaxyExtras, page);
        Shot(saver, "galaxy-" + std::to_string(page));
    }
    PostMessageW(ButtonWithText(dialog, L"&Return to Universe Settings"), BM_CLICK, 0, 0);
    PostMessageW(ButtonWithText(dialog, L"&Galaxy Preview"), BM_CLICK, 0, 0);
    Sleep(1500);
    Shot(saver, "preview");
    PressKey(GetDlgItem(dialog, IDCANCEL), VK_ESCAPE);
    WaitUntil([&] { return IsWindowEnabled(ButtonWithText(dialog, L"&Accept Settings")) != FALSE; });
    Menu(dialog, MenuEntry::Advanced);
    if (HWND advanced = WaitForWindow(saver, L"Advanced Settings", kStepTimeoutMs)) {
        Shot(saver, "advanced");
        PressKey(GetDlgItem(advanced, IDCANCEL), VK_ESCAPE);
    }
    Settle(saver);
    Menu(dialog, MenuEntry::SaveTemplateAs);
    if (HWND chooser = WaitForWindow(saver, L"Enter or Select Template to Save", kStepTimeoutMs)) {
        Shot(saver, "template");
        PressKey(GetDlgItem(chooser, IDCANCEL), VK_ESCAPE);
    }
    Settle(saver);
    Menu(dialog, MenuEntry::About);
    if (HWND welcome = WaitForWindow(saver, L"About Astrelle", kStepTimeoutMs)) {
        Sleep(1500);
        Shot(saver, "welcome");
        PostMessageW(ButtonWithText(welcome, L"&Credits..."), BM_CLICK, 0, 0);
        if (HWND credits = WaitForWindow(saver, L"Astrelle Credits", kStepTimeoutMs)) {
            Sleep(2000);
            Shot(saver, "credits");
            PressKey(GetDlgItem(credits, IDCANCEL), VK_ESCAPE);
        }
        Settle(saver);
        PressKey(GetDlgItem(welcome, IDCANCEL), VK_ESCAPE);
    }
    Settle(saver);
    CancelAndEnd(saver, dialog, "Escape closes the dialog, status 0");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: dialog_driver "
                     "firstrun|owned|accept|cancel|advanced|template|preview|help|about|windowed|shots "
                     "<astrelle.scr> [folder]\n");
        return 2;
    }
    const std::wstring mode = argv[1];
    scr_ = argv[2];
    folder_ = argc > 3 ? argv[3] : L"";
    const std::pair<std::wstring, void (*)()> modes[] = {
        {L"firstrun", FirstRun}, {L"owned", Owned},       {L"accept", Accept}, {L"cancel", Cancel},
        {L"advanced", Advanced}, {L"preview", Preview},   {L"about", About},   {L"windowed", Windowed},
        {L"shots", Shots},       {L"template", Template}, {L"help", Help}};
    const bool needsFolder = mode == L"template" || mode == L"help";
    for (const auto& [name, run] : modes) {
        if (mode != name || (needsFolder && folder_.empty())) continue;
        run();
        return failures == 0 ? 0 : 1;
    }
    std::fprintf(stderr, "dialog_driver: unknown mode or missing folder\n");
    return 2;
}
