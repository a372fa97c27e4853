// Writing the help page out of the program and handing it to the browser.
#include "ui/win32/help_page.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <wininet.h>

#include "platform/atomic_file.h"
#include "platform/win32/wide_text.h"
#include "ui/win32/help_resource.h"

namespace astrelle::win32 {

namespace {

constexpr char kFolderName[] = "Astrelle";
constexpr char kPageName[] = "help.html";
// ShellExecute reports success with a value above this.
constexpr intptr_t kShellExecuteErrorLimit = 32;

std::string CleanTopic(std::string_view topic) {
    std::string clean;
    for (const char c : topic) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '_' || c == '-' || c == '.';
        if (plain) clean += c;
    }
    return clean;
}

// Writes bytes unless the file holds them already (a second F1 rewrites nothing).
bool WriteIfChanged(const std::string& path, const std::string& bytes) {
    const FileReadResult current = ReadWholeFile(path);
    if (current.status == FileReadStatus::Ok && current.bytes == bytes) return true;
    return ReplaceFileAtomically(path, bytes);
}

std::string TemporaryFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) return {};
    return Narrow(std::wstring_view(buffer, length));
}

bool ShellOpen(const wchar_t* file, const wchar_t* parameters) {
    const auto result =
        reinterpret_cast<intptr_t>(ShellExecuteW(nullptr, L"open", file, parameters, nullptr, SW_SHOWNORMAL));
    return result > kShellExecuteErrorLimit;
}

// The program that opens web addresses, or "" when none is registered.
std::wstring WebBrowser() {
    wchar_t program[MAX_PATH + 1] = {};
    DWORD length = MAX_PATH + 1;
    if (AssocQueryStringW(ASSOCF_IS_PROTOCOL, ASSOCSTR_EXECUTABLE, L"http", L"open", program, &length) !=
        S_OK) {
        return {};
    }
    return program;
}

// "file:///C:/folder/page.html" for "C:\folder\page.html".
std::wstring FileUrl(const std::wstring& path) {
    wchar_t url[INTERNET_MAX_URL_LENGTH] = {};
    DWORD length = INTERNET_MAX_URL_LENGTH;
    if (UrlCreateFromPathW(path.c_str(), url, &length, 0) != S_OK) return path;
    return url;
}

}  // namespace

std::optional<std::string> WriteHelpFiles(std::string_view page, const std::string& folder,
                                          std::string_view topic) {
    if (!EnsureDirectory(folder)) return std::nullopt;
    const std::string separator =
        !folder.empty() && (folder.back() == '\\' || folder.back() == '/') ? "" : "\\";
    const std::string pagePath = folder + separator + kPageName;
    if (!WriteIfChanged(pagePath, std::string(page))) return std::nullopt;
    const std::string anchor = CleanTopic(topic);
    if (anchor.empty()) return pagePath;
    const std::string target = std::string(kPageName) + "#" + anchor;
    const std::string forward =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"refresh\" content=\"0; url=" +
        target +
        "\">\n"
        "<title>Astrelle Help</title></head>\n"
        "<body><a href=\"" +
        target + "\">Astrelle Help</a></body></html>\n";
    const std::string forwardPath = folder + separator + "help-" + anchor + ".html";
    if (!WriteIfChanged(forwardPath, forward)) return std::nullopt;
    return forwardPath;
}

std::string_view HelpPageResource() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(ASTRELLE_HELP_PAGE), MAKEINTRESOURCEW(10));
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) return {};
    return std::string_view(static_cast<const char*>(bytes), size);
}

HelpOpening OpenHelpPage(std::string_view topic) {
    const std::string_view page = HelpPageResource();
    if (page.empty()) return HelpOpening::Missing;
    const std::string temporary = TemporaryFolder();
    if (temporary.empty()) return HelpOpening::Failed;
    const std::optional<std::string> file = WriteHelpFiles(page, temporary + kFolderName, topic);
    if (!file) return HelpOpening::Failed;
    // The browser may be reached through COM; ShellExecute wants it set up on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring path = Widen(*file);
    bool opened = ShellOpen(path.c_str(), nullptr);
    // Without a program for ".html" files, the program for web addresses takes the page's
    // address instead.
    if (!opened) {
        const std::wstring browser = WebBrowser();
        if (!browser.empty()) opened = ShellOpen(browser.c_str(), (L"\"" + FileUrl(path) + L"\"").c_str());
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return opened ? HelpOpening::Opened : HelpOpening::Failed;
}

}  // namespace astrelle::win32
