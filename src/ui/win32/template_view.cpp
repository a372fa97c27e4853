// Drives, folders and files of the template chooser.
#include "ui/win32/template_view.h"

#include <shlwapi.h>

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "ui/win32/layout_builder.h"

namespace astrelle::win32 {

namespace {

constexpr char kNameLabel[] = "Template &name:";
constexpr char kPlaceLabel[] = "&Drive / Directory:";
constexpr char kTypeLabel[] = "List Files of &Type:";
constexpr char kOk[] = "OK";
constexpr char kCancel[] = "Cancel";
// Each level of the folder list is indented by this many blanks.
constexpr size_t kIndentBlanks = 2;
constexpr int kLabelHeight = 8;
constexpr int kFieldHeight = 12;
constexpr int kButtonHeight = 14;

std::vector<ViewItem> Layout() {
    LayoutBuilder b(nullptr);
    b.OwnLabel(ControlId::TemplateName, kNameLabel, {6, 6, 130, kLabelHeight});
    b.Own(ControlId::TemplateName, ItemKind::Edit, "", {6, 16, 130, kFieldHeight});
    b.Own(ControlId::TemplateFiles, ItemKind::List, "", {6, 32, 130, 106});
    b.OwnLabel(ControlId::TemplateTypes, kTypeLabel, {6, 142, 130, kLabelHeight});
    b.Own(ControlId::TemplateTypes, ItemKind::DropList, "", {6, 152, 130, kFieldHeight});
    b.Decoration(ItemKind::Label, kPlaceLabel, {142, 6, 110, kLabelHeight});
    b.Decoration(ItemKind::List, "", {142, 16, 110, 122});
    b.Decoration(ItemKind::DropList, "", {142, 152, 110, kDropHeight});
    b.Own(ControlId::OkButton, ItemKind::Button, kOk, {258, 6, 46, kButtonHeight}, kDefaultButton);
    b.Own(ControlId::DismissButton, ItemKind::Button, kCancel, {258, 24, 46, kButtonHeight}, kCancelButton);
    return b.Take();
}

std::wstring WithoutTrailingSeparator(std::wstring path) {
    // A drive's root keeps its separator ("C:\").
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::wstring full(length, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    full.resize(got < length ? got : 0);
    return WithoutTrailingSeparator(full);
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring Joined(const std::wstring& folder, const std::wstring& name) {
    return folder + (folder.empty() || folder.back() == L'\\' ? L"" : L"\\") + name;
}

// Names in the folder, folders or files, in the order Explorer lists them.
std::vector<std::wstring> Entries(const std::wstring& folder, bool folders) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW(Joined(folder, L"*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool hidden = (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        if (isFolder == folders && !hidden) names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return StrCmpLogicalW(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

}  // namespace

TemplateWindowView::TemplateWindowView()
    : Win32View<TemplateChooserView>("Select Template File", DluRect{0, 0, 310, 170}, Layout()) {
    for (int item = 0; item < window_.ItemCount(); ++item) {
        const DialogItem& def = window_.ItemDef(item);
        if (ViewItemAt(item).part != Part::Decoration) continue;
        if (def.kind == ItemKind::List) folderList_ = item;
        if (def.kind == ItemKind::DropList) driveList_ = item;
    }
}

bool TemplateWindowView::Create(HWND owner, TemplateChooser& chooser) {
    chooser_ = &chooser;
    if (!Win32View<TemplateChooserView>::Create(owner, chooser)) return false;
    FillDrives();
    return true;
}

std::string TemplateWindowView::Drive() const {
    return folder_.size() >= 2 && folder_[1] == L':' ? Narrow(folder_.substr(0, 2)) : std::string();
}

std::string TemplateWindowView::Folder() const {
    return Narrow(folder_);
}

void TemplateWindowView::ShowPlace(std::string_view drive, std::string_view folder) {
    if (!folder.empty() && Enter(FullPath(Widen(folder)))) return;
    if (!drive.empty() && Enter(FullPath(Widen(drive)))) return;
    if (folder_.empty()) {
        const DWORD length = GetCurrentDirectoryW(0, nullptr);
        std::wstring current(length, L'\0');
        current.resize(GetCurrentDirectoryW(length, current.data()));
        if (!Enter(FullPath(current))) Enter(L"C:\\");
    }
}

bool TemplateWindowView::Enter(const std::wstring& folder) {
    if (folder.empty() || !IsFolder(folder)) return false;
    folder_ = folder;
    FillFolders();
    // The drive list follows the folder.
    for (size_t i = 0; i < drives_.size(); ++i) {
        if (CompareStringOrdinal(drives_[i].c_str(), 2, folder_.c_str(), 2, TRUE) == CSTR_EQUAL) {
            SendMessageW(window_.Item(driveList_), CB_SETCURSEL, i, 0);
        }
    }
    if (!globs_.empty()) ListFiles(globs_);
    return true;
}

void TemplateWindowView::FillDrives() {
    drives_.clear();
    const DWORD length = GetLogicalDriveStringsW(0, nullptr);
    std::wstring all(length + 1, L'\0');
    GetLogicalDriveStringsW(length, all.data());
    for (const wchar_t* drive = all.c_str(); *drive != L'\0'; drive += wcslen(drive) + 1)
        drives_.emplace_back(drive);
    HWND list = window_.Item(driveList_);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& drive : drives_) {
        const std::wstring shown = WithoutTrailingSeparator(drive).substr(0, 2);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    if (!folder_.empty()) Enter(folder_);
}

void TemplateWindowView::FillFolders() {
    folderPaths_.clear();
    std::vector<std::string> lines;
    // The path from the root: "C:\", then each folder on the way, one level further in.
    size_t depth = 0;
    std::wstring path;
    size_t start = 0;
    while (start < folder_.size()) {
        size_t end = folder_.find(L'\\', start);
        if (end == std::wstring::npos) end = folder_.size();
        const std::wstring part = folder_.substr(start, end - start);
        if (!part.empty()) {
            path = path.empty() ? part + L"\\" : Joined(path, part);
            folderPaths_.push_back(path);
            lines.push_back(std::string(depth * kIndentBlanks, ' ') + Narrow(path.size() <= 3 ? path : part));
            ++depth;
        }
        start = end + 1;
    }
    const int current = static_cast<int>(lines.size()) - 1;
    for (const std::wstring& name : Entries(folder_, true)) {
        folderPaths_.push_back(Joined(folder_, name));
        lines.push_back(std::string(depth * kIndentBlanks, ' ') + Narrow(name));
    }
    HWND window = window_.Item(folderList_);
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(window, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines) {
        const std::wstring wide = Widen(line);
        SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(std::max(current, 0)), 0);
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
}

void TemplateWindowView::ListFiles(std::span<const std::string> globs) {
    globs_.assign(globs.begin(), globs.end());
    std::vector<std::string> names;
    for (const std::wstring& name : Entries(folder_, false)) {
        const bool matches = std::any_of(globs_.begin(), globs_.end(), [&name](const std::string& glob) {
            return PathMatchSpecW(name.c_str(), Widen(glob).c_str()) != FALSE;
        });
        if (matches || globs_.empty()) names.push_back(Narrow(name));
    }
    FillList(Own(ControlId::TemplateFiles), names);
}

void TemplateWindowView::OpenChosenFolder() {
    const LRESULT chosen = SendMessageW(window_.Item(folderList_), LB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<size_t>(chosen) >= folderPaths_.size()) return;
    if (!Enter(folderPaths_[static_cast<size_t>(chosen)])) Beep();
}

std::string TemplateWindowView::ChosenFile() const {
    HWND list = window_.Item(ItemOf(Own(ControlId::TemplateFiles)));
    const LRESULT chosen = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (chosen < 0) return {};
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(chosen), 0);
    std::wstring name(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(name.data()));
    name.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    return Narrow(name);
}

void TemplateWindowView::OnCommand(int item, int code) {
    if (item == folderList_) {
        if (code == LBN_DBLCLK) OpenChosenFolder();
        return;
    }
    if (item == driveList_) {
        if (code != CBN_SELCHANGE) return;
        const LRESULT chosen = SendMessageW(window_.Item(driveList_), CB_GETCURSEL, 0, 0);
        // A drive without a medium keeps the folder where it was.
        if (chosen < 0 || static_cast<size_t>(chosen) >= drives_.size() ||
            !Enter(FullPath(drives_[static_cast<size_t>(chosen)].substr(0, 2)))) {
            Beep();
            Enter(folder_);
        }
        return;
    }
    // Enter in the folder list opens the folder rather than confirming the chooser.
    if (item == ItemOf(Own(ControlId::OkButton)) && GetFocus() == window_.Item(folderList_)) {
        OpenChosenFolder();
        return;
    }
    if (item == ItemOf(Own(ControlId::TemplateFiles)) && chooser_ != nullptr) {
        const std::string name = ChosenFile();
        if (name.empty()) return;
        if (code == LBN_SELCHANGE) chooser_->OnFileClicked(name);
        if (code == LBN_DBLCLK) chooser_->OnFileDoubleClicked(name);
        return;
    }
    Win32View<TemplateChooserView>::OnCommand(item, code);
}

void TemplateWindowView::OnCancel() {
    if (Events() != nullptr) Events()->OnButton(Own(ControlId::DismissButton));
}

}  // namespace astrelle::win32
