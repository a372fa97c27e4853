// The registry store on a scratch key of the current user (and of the machine for the
// fallback reads), checked against the registry itself: REG_SZ values in nested keys, the
// machine-wide fallback, read-only keys, the 127-character read limit and batches.

#include "platform/win32/registry_settings_store.h"

#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

#include "settings/registry_store.h"
#include "win32_test_support.h"

namespace astrelle {
namespace {

using win32::RegistrySettingsStore;
using win32::Widen;

constexpr wchar_t kScratchParent[] = L"Software\\AstrelleTest";
// Everyone may read, nobody may write or create subkeys.
constexpr wchar_t kReadOnlyDacl[] = L"D:P(A;OICI;KR;;;WD)";

class RegistryStore : public ::testing::Test {
  protected:
    RegistryStore()
        : user_("Software\\AstrelleTest\\" + testing::UniqueName("user")),
          machine_("Software\\AstrelleTest\\" + testing::UniqueName("machine")) {}
    ~RegistryStore() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, Widen(user_).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, kScratchParent);  // only when no other test uses it
        for (REGSAM view : {REGSAM{0}, REGSAM{KEY_WOW64_32KEY}}) {
            Remove(HKEY_LOCAL_MACHINE, machine_, view);
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kScratchParent, view, 0);
        }
    }

    static void Remove(HKEY root, const std::string& path, REGSAM view) {
        HKEY parent = nullptr;
        const std::string folder = path.substr(0, path.find_last_of('\\'));
        if (RegOpenKeyExW(root, Widen(folder).c_str(), 0, KEY_ALL_ACCESS | view, &parent) != ERROR_SUCCESS)
            return;
        RegDeleteTreeW(parent, Widen(path.substr(folder.size() + 1)).c_str());
        RegCloseKey(parent);
    }

    // Writes a value of any type under root\path\section, bypassing the store.
    static bool Put(HKEY root, const std::string& path, const std::string& section, const std::string& name,
                    const std::wstring& text, DWORD type = REG_SZ, REGSAM view = 0) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(root, Widen(path + "\\" + section).c_str(), 0, nullptr, 0, KEY_SET_VALUE | view,
                            nullptr, &key, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        const bool ok = RegSetValueExW(key, Widen(name).c_str(), 0, type,
                                       reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok;
    }

    // The raw value under HKCU: its type and its data as UTF-16 (zeros included).
    struct Raw {
        DWORD type = REG_NONE;
        std::wstring data;
    };
    std::optional<Raw> Get(const std::string& section, const std::string& name) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(user_ + "\\" + section).c_str(), 0, KEY_QUERY_VALUE,
                          &key) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        Raw raw;
        wchar_t buffer[512] = {};
        DWORD bytes = sizeof buffer;
        const LSTATUS status = RegQueryValueExW(key, Widen(name).c_str(), nullptr, &raw.type,
                                                reinterpret_cast<BYTE*>(buffer), &bytes);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) return std::nullopt;
        raw.data.assign(buffer, bytes / sizeof(wchar_t));
        return raw;
    }

    // Gives the user's key of a section a security descriptor that only allows reading.
    bool MakeReadOnly(const std::string& section) {
        if (!Put(HKEY_CURRENT_USER, user_, section, "Probe", L"x")) return false;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kReadOnlyDacl, SDDL_REVISION_1, &descriptor,
                                                                  nullptr)) {
            return false;
        }
        HKEY key = nullptr;
        bool ok = RegOpenKeyExW(HKEY_CURRENT_USER, Widen(user_ + "\\" + section).c_str(), 0, WRITE_DAC,
                                &key) == ERROR_SUCCESS;
        ok = ok && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
        if (key != nullptr) RegCloseKey(key);
        LocalFree(descriptor);
        return ok;
    }

    // Gives a read-only key its full rights back, so that the fixture can remove it.
    void MakeWritable(const std::string& section) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(user_ + "\\" + section).c_str(), 0, WRITE_DAC, &key) !=
            ERROR_SUCCESS) {
            return;
        }
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;OICI;KA;;;WD)", SDDL_REVISION_1,
                                                                 &descriptor, nullptr)) {
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
            LocalFree(descriptor);
        }
        RegCloseKey(key);
    }

    std::string user_;
    std::string machine_;
};

TEST_F(RegistryStore, ValuesAreTextInNestedKeysOfTheUserAndReadWithoutRegardToCase) {
    RegistrySettingsStore store(user_, machine_);
    EXPECT_EQ(store.ReadText("Universe\\Galaxy3", "Galaxy_Radius"), std::nullopt);
    ASSERT_TRUE(store.WriteText("Universe\\Galaxy3", "Galaxy_Radius", "250"));
    ASSERT_TRUE(store.WriteText("General", "LockMessage", "Étoile ✶ 星"));
    ASSERT_TRUE(store.WriteText("General", "Empty", ""));

    const std::optional<Raw> radius = Get("Universe\\Galaxy3", "Galaxy_Radius");
    ASSERT_TRUE(radius.has_value());
    EXPECT_EQ(radius->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(radius->data, std::wstring(L"250\0", 4));  // the size counts the terminating zero
    EXPECT_EQ(Get("General", "LockMessage")->data, std::wstring(L"Étoile ✶ 星\0", 11));

    EXPECT_EQ(store.ReadText("UNIVERSE\\galaxy3", "galaxy_RADIUS"), "250");
    EXPECT_EQ(store.ReadText("General", "LockMessage"), "Étoile ✶ 星");
    EXPECT_EQ(store.ReadText("General", "Empty"), "");
    // A second writer in another case changes the same value.
    ASSERT_TRUE(store.WriteText("universe\\GALAXY3", "GALAXY_radius", "300"));
    EXPECT_EQ(RegistrySettingsStore(user_, machine_).ReadText("Universe\\Galaxy3", "Galaxy_Radius"), "300");

    // Names a key path or a profile file could not hold are refused.
    for (const char* section : {"", "\\Universe", "Universe\\", "Universe\\\\Galaxy3", "Uni\nverse"}) {
        EXPECT_FALSE(store.WriteText(section, "Key", "1")) << section;
    }
    EXPECT_FALSE(store.WriteText("General", "Key", "two\nlines"));
}

// The store keeps a section's key open between reads; what other processes change, remove
// or make meanwhile is still what the next read sees.
TEST_F(RegistryStore, ReadsSeeWhatOthersStoredSinceTheLastRead) {
    RegistrySettingsStore store(user_, "");
    EXPECT_EQ(store.ReadText("General", "PixelSize"), std::nullopt);
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "PixelSize", L"1"));
    EXPECT_EQ(store.ReadText("General", "PixelSize"), "1");
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "PixelSize", L"2"));
    EXPECT_EQ(store.ReadText("General", "PixelSize"), "2");
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, Widen(user_).c_str()), ERROR_SUCCESS);
    EXPECT_EQ(store.ReadText("General", "PixelSize"), std::nullopt);
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "PixelSize", L"3"));
    EXPECT_EQ(store.ReadText("General", "PixelSize"), "3");
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "Universe", "Universe_Stars", L"10"));
    EXPECT_EQ(store.ReadText("Universe", "Universe_Stars"), "10");
    EXPECT_EQ(store.ReadText("General", "PixelSize"), "3");
    // A text longer than the first guess at its size is read whole.
    const std::wstring longText(3000, L'x');
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "LockMessage", longText));
    EXPECT_EQ(store.ReadText("General", "LockMessage"), std::string(3000, 'x'));
}

TEST_F(RegistryStore, TextEndsAtItsFirstZeroAndOtherTypesCountAsMissing) {
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "Zero", std::wstring(L"ab\0cd", 5)));
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "Binary", L"12", REG_BINARY));
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "Expand", L"12", REG_EXPAND_SZ));
    RegistrySettingsStore store(user_, "");
    EXPECT_EQ(store.ReadText("General", "Zero"), "ab");
    EXPECT_EQ(store.ReadText("General", "Binary"), std::nullopt);
    EXPECT_EQ(store.ReadText("General", "Expand"), std::nullopt);
}

TEST_F(RegistryStore, AValueMissingForTheUserIsReadFromTheMachine) {
    if (!Put(HKEY_LOCAL_MACHINE, machine_, "Universe", "Universe_Stars", L"1234") ||
        !Put(HKEY_LOCAL_MACHINE, machine_, "Universe", "Universe_Galaxy", L"77") ||
        !Put(HKEY_LOCAL_MACHINE, machine_, "Advanced", "Adv_TimeDelay", L"40", REG_SZ, KEY_WOW64_32KEY)) {
        GTEST_SKIP() << "the machine-wide branch is not writable here";
    }
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "Universe", "Universe_Galaxy", L"5"));
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "Universe", "Universe_Expand", L"12", REG_DWORD));
    ASSERT_TRUE(Put(HKEY_LOCAL_MACHINE, machine_, "Universe", "Universe_Expand", L"9000"));

    RegistrySettingsStore store(user_, machine_);
    EXPECT_EQ(store.ReadText("Universe", "Universe_Stars"), "1234");   // only the machine has it
    EXPECT_EQ(store.ReadText("Universe", "Universe_Galaxy"), "5");     // the user's wins
    EXPECT_EQ(store.ReadText("Universe", "Universe_Expand"), "9000");  // the user's is no text
    EXPECT_EQ(store.ReadText("Advanced", "Adv_TimeDelay"), "40");      // a 32-bit installation's
    EXPECT_EQ(store.ReadText("Universe", "Universe_Persist"), std::nullopt);
    EXPECT_EQ(RegistrySettingsStore(user_, "").ReadText("Universe", "Universe_Stars"), std::nullopt);

    // Writes go to the user and leave the machine's settings alone.
    ASSERT_TRUE(store.WriteText("Universe", "Universe_Stars", "99"));
    EXPECT_EQ(store.ReadText("Universe", "Universe_Stars"), "99");
    EXPECT_EQ(RegistrySettingsStore("Software\\AstrelleTest\\none", machine_)
                  .ReadText("Universe", "Universe_Stars"),
              "1234");
}

TEST_F(RegistryStore, AKeyTheUserMayOnlyReadIsReadAndRefusesWrites) {
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "LockMessage", L"kept"));
    ASSERT_TRUE(MakeReadOnly("General"));
    RegistrySettingsStore store(user_, machine_);
    EXPECT_EQ(store.ReadText("General", "LockMessage"), "kept");
    EXPECT_FALSE(store.WriteText("General", "LockMessage", "changed"));
    EXPECT_EQ(store.ReadText("General", "LockMessage"), "kept");
    MakeWritable("General");
}

TEST_F(RegistryStore, TextsOfUpTo127CharactersAreReadWhole) {
    RegistrySettingsStore store(user_, machine_);
    const std::string accented127 = [] {
        std::string text;
        for (int i = 0; i < 127; ++i) text += "é";
        return text;
    }();
    const std::pair<std::string, bool> cases[] = {
        {std::string(127, 'a'), true},
        {std::string(128, 'a'), false},
        {accented127, true},  // 254 bytes of UTF-8, but 127 characters
        {accented127 + "é", false},
    };
    for (const auto& [text, whole] : cases) {
        ASSERT_TRUE(RegWriteText(store, "General", "LockMessage", text));
        EXPECT_EQ(GetSettingText(store, "General", "LockMessage", "default"), whole ? text : "default")
            << text.size() << " bytes";
        // The store itself hands out any length; the limit is the settings layer's.
        EXPECT_EQ(store.ReadText("General", "LockMessage"), text);
    }
}

TEST_F(RegistryStore, ABatchIsSeenAtOnceAndStoredWhenCommitted) {
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "PixelSize", L"1"));
    RegistrySettingsStore store(user_, machine_);
    {
        StoreBatch batch(store);
        EXPECT_TRUE(store.WriteText("General", "PixelSize", "2"));
        EXPECT_TRUE(store.WriteText("General", "PixelSize", "3"));
        EXPECT_TRUE(store.WriteText("Universe\\Galaxy0", "_UniGalPct", "20"));
        EXPECT_EQ(store.ReadText("general", "pixelsize"), "3");
        EXPECT_EQ(store.ReadText("Universe\\Galaxy0", "_UniGalPct"), "20");
        // Nothing has reached the registry yet.
        EXPECT_EQ(Get("General", "PixelSize")->data, std::wstring(L"1\0", 2));
        EXPECT_FALSE(Get("Universe\\Galaxy0", "_UniGalPct").has_value());
        EXPECT_TRUE(batch.Commit());
    }
    EXPECT_EQ(Get("General", "PixelSize")->data, std::wstring(L"3\0", 2));
    EXPECT_EQ(Get("Universe\\Galaxy0", "_UniGalPct")->data, std::wstring(L"20\0", 3));
    EXPECT_EQ(RegistrySettingsStore(user_, machine_).ReadText("Universe\\Galaxy0", "_UniGalPct"), "20");
}

TEST_F(RegistryStore, ABatchThatFailsPutsBackWhatItWrote) {
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "PixelSize", L"1"));
    ASSERT_TRUE(Put(HKEY_CURRENT_USER, user_, "General", "Binary", L"raw", REG_BINARY));
    ASSERT_TRUE(MakeReadOnly("Locked"));
    RegistrySettingsStore store(user_, machine_);
    store.BeginBatch();
    store.WriteText("General", "PixelSize", "2");
    store.WriteText("General", "PixelSize", "3");
    store.WriteText("General", "Binary", "text now");
    store.WriteText("General", "FocalLength", "2.5");
    store.WriteText("Universe", "Universe_Stars", "10");
    store.WriteText("Locked", "Key", "1");  // fails: the key may only be read
    EXPECT_FALSE(store.CommitBatch());

    EXPECT_EQ(Get("General", "PixelSize")->data, std::wstring(L"1\0", 2));
    EXPECT_EQ(Get("General", "Binary")->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Get("General", "Binary")->data, std::wstring(L"raw\0", 4));
    EXPECT_FALSE(Get("General", "FocalLength").has_value());
    EXPECT_FALSE(Get("Universe", "Universe_Stars").has_value());
    // The queue is gone with the failed batch; the store works on.
    EXPECT_EQ(store.ReadText("General", "PixelSize"), "1");
    EXPECT_TRUE(store.WriteText("General", "PixelSize", "4"));
    EXPECT_EQ(Get("General", "PixelSize")->data, std::wstring(L"4\0", 2));
    MakeWritable("Locked");
}

}  // namespace
}  // namespace astrelle
