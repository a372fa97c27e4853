// The permanent settings on Windows: the Windows registry, one key per section (a section
// "Universe\Galaxy3" is the nested key Universe\Galaxy3), values as text (REG_SZ). Values
// live per user, because an ordinary user may not write the machine-wide branch; a value
// missing there is read from the machine-wide key, where older installations kept them.
// Reads ask for read access only. Key and value names are compared without regard to case,
// as the registry does. Not thread-safe: one object per thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace astrelle::win32 {

// Under HKEY_CURRENT_USER, and under HKEY_LOCAL_MACHINE for the reads of older settings.
inline constexpr std::string_view kUserSettingsKey = "Software\\Corvane\\KRLN_Galaxy";
inline constexpr std::string_view kMachineSettingsKey = "SOFTWARE\\Corvane\\KRLN_Galaxy";

class RegistrySettingsStore final : public SettingsStore {
  public:
    // userKey below HKEY_CURRENT_USER, machineKey below HKEY_LOCAL_MACHINE (empty: none).
    explicit RegistrySettingsStore(std::string_view userKey = kUserSettingsKey,
                                   std::string_view machineKey = kMachineSettingsKey);
    ~RegistrySettingsStore() override;
    RegistrySettingsStore(const RegistrySettingsStore&) = delete;
    RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

    // The text of the value: the user's when it is there, else the machine-wide one. A
    // value that is not text (REG_SZ) counts as missing.
    std::optional<std::string> ReadText(std::string_view section, std::string_view key) override;
    // Stores a REG_SZ value in the user's key of the section, creating missing keys.
    bool WriteText(std::string_view section, std::string_view key, std::string_view text) override;
    void BeginBatch() override { ++batchDepth_; }
    // Opens each section's key once for all its values. When one write fails, the values
    // already written by this batch get their old content back (or are removed again), so
    // the batch is stored whole or not at all as far as the registry allows.
    bool CommitBatch() override;

  private:
    struct Change {
        std::string section, key, text;
    };
    bool Store(const std::vector<Change>& changes);
    // The user's key of a section, opened for reading and kept open while reads stay in the
    // section (a row's values are read one after another); null when it does not exist.
    void* UserSectionKey(std::string_view section, bool reopen);
    void CloseUserSectionKey();

    std::wstring userKey_;
    std::wstring machineKey_;
    int batchDepth_ = 0;
    std::vector<Change> pending_;
    std::string openSection_;         // lower case
    void* openSectionKey_ = nullptr;  // an HKEY, kept out of this header
};

}  // namespace astrelle::win32
