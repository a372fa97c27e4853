// The registry store: wide-character registry calls, UTF-8 texts, batches with undo.
#include "platform/win32/registry_settings_store.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/wide_text.h"

namespace astrelle::win32 {

namespace {

// A value may change size between the call that measures it and the call that reads it.
constexpr int kQueryAttempts = 4;
// Room for every value the settings hold, so that a read is one call in the usual case.
constexpr DWORD kFirstQueryBytes = 512;

// An open registry key that closes itself.
class Key {
  public:
    Key() = default;
    ~Key() {
        if (h_ != nullptr) RegCloseKey(h_);
    }
    Key(Key&& other) noexcept : h_(other.h_) { other.h_ = nullptr; }
    Key& operator=(Key&&) = delete;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    HKEY* Out() { return &h_; }
    HKEY Get() const { return h_; }

  private:
    HKEY h_ = nullptr;
};

// A value as the registry holds it, whatever its type.
struct RawValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

// The value, or nothing; *status receives the registry's answer to the last call.
RawValue QueryRaw(HKEY key, const std::wstring& name, LSTATUS* status = nullptr) {
    RawValue value;
    DWORD size = kFirstQueryBytes;
    LSTATUS result = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < kQueryAttempts && result == ERROR_MORE_DATA; ++attempt) {
        value.bytes.resize(size);
        result = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
    }
    if (status != nullptr) *status = result;
    if (result != ERROR_SUCCESS) return RawValue{};
    value.bytes.resize(size);
    value.exists = true;
    return value;
}

// The text of a REG_SZ value. The data usually ends with one zero, but nothing enforces it:
// the text ends at the first zero or at the end of the data, whichever comes first.
std::optional<std::wstring> TextOf(const RawValue& value) {
    if (!value.exists || value.type != REG_SZ) return std::nullopt;
    std::wstring text(value.bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), value.bytes.data(), text.size() * sizeof(wchar_t));
    if (const size_t end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
    return text;
}

std::optional<std::wstring> ReadFrom(HKEY root, const std::wstring& path, const std::wstring& name,
                                     REGSAM view) {
    Key key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, key.Out()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return TextOf(QueryRaw(key.Get(), name));
}

bool SetRaw(HKEY key, const std::wstring& name, DWORD type, const BYTE* data, size_t size) {
    return RegSetValueExW(key, name.c_str(), 0, type, data, static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool SetText(HKEY key, const std::wstring& name, const std::wstring& text) {
    // The stored size counts the terminating zero, as REG_SZ readers expect.
    return SetRaw(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                  (text.size() + 1) * sizeof(wchar_t));
}

// A section names a key below the product's key: nested keys are separated by single
// backslashes, none of them empty.
bool IsKeyPath(std::string_view section) {
    if (section.empty() || section.front() == '\\' || section.back() == '\\') return false;
    return section.find("\\\\") == std::string_view::npos;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names compare without regard to ASCII case, as the other stores do (and without making
// copies: a batch's own writes are searched on every read).
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::string_view userKey, std::string_view machineKey)
    : userKey_(Widen(userKey)), machineKey_(Widen(machineKey)) {}

RegistrySettingsStore::~RegistrySettingsStore() {
    CloseUserSectionKey();
}

void RegistrySettingsStore::CloseUserSectionKey() {
    if (openSectionKey_ != nullptr) RegCloseKey(static_cast<HKEY>(openSectionKey_));
    openSectionKey_ = nullptr;
    openSection_.clear();
}

void* RegistrySettingsStore::UserSectionKey(std::string_view section, bool reopen) {
    const std::string name = AsciiLower(section);
    if (!reopen && openSectionKey_ != nullptr && name == openSection_) return openSectionKey_;
    CloseUserSectionKey();
    HKEY key = nullptr;
    // A key that is missing now may be made by another process later: only an open key is kept.
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (userKey_ + L"\\" + Widen(section)).c_str(), 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    openSection_ = name;
    openSectionKey_ = key;
    return key;
}

std::optional<std::string> RegistrySettingsStore::ReadText(std::string_view section, std::string_view key) {
    // A batch's own writes are seen at once, the latest of them first.
    for (auto change = pending_.rbegin(); change != pending_.rend(); ++change) {
        if (SameName(change->section, section) && SameName(change->key, key)) return change->text;
    }
    if (!IsKeyPath(section) || key.empty()) return std::nullopt;
    const std::wstring name = Widen(key);
    if (HKEY user = static_cast<HKEY>(UserSectionKey(section, false))) {
        LSTATUS status = ERROR_SUCCESS;
        RawValue value = QueryRaw(user, name, &status);
        // Another process removed the key since it was opened: look at the key as it is now.
        if (status == ERROR_KEY_DELETED) {
            user = static_cast<HKEY>(UserSectionKey(section, true));
            value = user != nullptr ? QueryRaw(user, name) : RawValue{};
        }
        if (auto text = TextOf(value)) return Narrow(*text);
    }
    if (machineKey_.empty()) return std::nullopt;
    const std::wstring sectionPath = L"\\" + Widen(section);
    if (auto text = ReadFrom(HKEY_LOCAL_MACHINE, machineKey_ + sectionPath, name, 0)) return Narrow(*text);
    // The older installations were 32-bit programs: on a 64-bit Windows their machine-wide
    // settings are in the 32-bit view of the registry.
    if (auto text = ReadFrom(HKEY_LOCAL_MACHINE, machineKey_ + sectionPath, name, KEY_WOW64_32KEY)) {
        return Narrow(*text);
    }
    return std::nullopt;
}

bool RegistrySettingsStore::WriteText(std::string_view section, std::string_view key, std::string_view text) {
    if (!IsStorableEntry(section, key, text) || !IsKeyPath(section)) return false;
    Change change{std::string(section), std::string(key), std::string(text)};
    if (batchDepth_ > 0) {
        pending_.push_back(std::move(change));
        return true;
    }
    return Store({change});
}

bool RegistrySettingsStore::CommitBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return true;
    std::vector<Change> changes = std::move(pending_);
    pending_.clear();
    if (changes.empty()) return true;
    return Store(changes);
}

bool RegistrySettingsStore::Store(const std::vector<Change>& changes) {
    struct OpenSection {
        std::string name;
        Key key;
    };
    struct Undo {
        HKEY key;
        std::wstring name;
        RawValue old;
    };
    std::vector<OpenSection> open;
    std::vector<Undo> undo;
    bool ok = true;
    for (const Change& change : changes) {
        HKEY key = nullptr;
        for (const OpenSection& s : open) {
            if (SameName(s.name, change.section)) key = s.key.Get();
        }
        if (key == nullptr) {
            OpenSection section{change.section, Key()};
            const std::wstring path = userKey_ + L"\\" + Widen(change.section);
            if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, section.key.Out(),
                                nullptr) != ERROR_SUCCESS) {
                ok = false;
                break;
            }
            key = section.key.Get();
            open.push_back(std::move(section));
        }
        const std::wstring name = Widen(change.key);
        undo.push_back(Undo{key, name, QueryRaw(key, name)});
        if (!SetText(key, name, Widen(change.text))) {
            ok = false;
            break;
        }
    }
    if (!ok) {
        // Back to how the values were, latest write first, so that a name written twice ends
        // with its content from before the batch.
        for (auto u = undo.rbegin(); u != undo.rend(); ++u) {
            if (u->old.exists) {
                SetRaw(u->key, u->name, u->old.type, u->old.bytes.data(), u->old.bytes.size());
            } else {
                RegDeleteValueW(u->key, u->name.c_str());
            }
        }
    }
    return ok;
}

}  // namespace astrelle::win32
