// Settings stores kept in profile files: the permanent settings file (settings.ini in the
// user's configuration folder) and template files (.glx). Both read with the lookup rules
// of ProfileText and write by replacing the whole file atomically, so every other line
// stays as it was and a crash never leaves a half-written file. Not thread-safe: one
// object per thread (the user-interface thread in practice).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/profile_text.h"
#include "settings/settings_store.h"

namespace astrelle {

class ProfileFileStore : public SettingsStore {
  public:
    std::optional<std::string> ReadText(std::string_view section, std::string_view key) override;
    bool WriteText(std::string_view section, std::string_view key, std::string_view text) override;
    void BeginBatch() override { ++batchDepth_; }
    bool CommitBatch() override;

    const std::string& Path() const { return path_; }
    // How the file looked at the last read: Ok or Missing in the normal case.
    FileReadStatus LastReadStatus() const { return status_; }

  protected:
    struct Policy {
        bool createDirectory;  // writes create the folder first
        bool lockFile;         // writers serialise through "<file>.lock"
        bool followChanges;    // every read looks whether another process replaced the file
        // Reads drop a matching pair of quotes around a value, as the Windows profile
        // reader does for the templates it wrote or that were edited by hand.
        bool unquoteValues;
    };
    ProfileFileStore(std::string path, Policy policy);

  private:
    struct Change {
        std::string section, key, text;
    };
    void Refresh();
    bool Store(const std::vector<Change>& changes);
    static std::string PendingKey(std::string_view section, std::string_view key);

    std::string path_;
    Policy policy_;
    bool loaded_ = false;
    ProfileText doc_;
    FileReadResult stamp_;  // identity of the file doc_ was read from (bytes not kept)
    FileReadStatus status_ = FileReadStatus::Missing;
    int batchDepth_ = 0;
    std::vector<Change> pending_;
    std::unordered_map<std::string, size_t> pendingIndex_;  // last queued write per name
};

// The permanent settings: "settings.ini" in a folder. Every read sees what other
// processes stored last; writers take a lock, read the file again and apply their
// changes to it, so two processes writing different values lose neither.
class FileSettingsStore final : public ProfileFileStore {
  public:
    static constexpr const char* kFileName = "settings.ini";
    explicit FileSettingsStore(const std::string& directory);

    // $ASTRELLE_CONFIG_DIR when set, else $XDG_CONFIG_HOME/astrelle (when absolute), else
    // ~/.config/astrelle. Empty when there is no home folder at all; a store on an empty
    // folder reads nothing and stores nothing.
    static std::string DefaultDirectory();
};

// A template file. Opened once: reads use the file as it was when first read (plus this
// object's own writes); a value in a matching pair of double or single quotes reads
// without them, as Windows reads templates. Writes never create folders; a read-only file, a missing folder
// or something that is not a regular file makes them fail and leaves everything as it was.
class TemplateFile final : public ProfileFileStore {
  public:
    explicit TemplateFile(std::string path);
};

}  // namespace astrelle
