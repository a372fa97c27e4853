// Profile-file stores: cached reads, batched atomic writes, the settings folder.

#include "platform/profile_file.h"

#include "platform/services.h"

namespace astrelle {

namespace {

// Long enough for any honest writer (one rewrite of the file); short enough that a hung
// process cannot freeze the dialog.
constexpr int kLockTimeoutMs = 5000;

bool SameFile(const FileReadResult& a, const FileReadResult& b) {
    return a.status == b.status && a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.mtimeNs == b.mtimeNs;
}

}  // namespace

ProfileFileStore::ProfileFileStore(std::string path, Policy policy)
    : path_(std::move(path)), policy_(policy) {}

std::string ProfileFileStore::PendingKey(std::string_view section, std::string_view key) {
    std::string name = AsciiLower(section);
    name.push_back('\n');  // cannot occur in a storable name
    name.append(AsciiLower(key));
    return name;
}

void ProfileFileStore::Refresh() {
    if (path_.empty()) {
        loaded_ = true;
        return;
    }
    if (loaded_ && !policy_.followChanges) return;
    if (loaded_) {
        // A stat per read is cheap; reading and parsing happen only when the file changed.
        FileReadResult now = StatFile(path_);
        if (SameFile(now, stamp_) || (now.status != FileReadStatus::Ok && now.status == stamp_.status))
            return;
    }
    FileReadResult read = ReadWholeFile(path_);
    status_ = read.status;
    doc_ = read.status == FileReadStatus::Ok ? ProfileText(read.bytes) : ProfileText();
    read.bytes.clear();
    read.bytes.shrink_to_fit();
    stamp_ = std::move(read);
    loaded_ = true;
}

std::optional<std::string> ProfileFileStore::ReadText(std::string_view section, std::string_view key) {
    auto asRead = [this](std::string_view value) {
        return std::string(policy_.unquoteValues ? WithoutEnclosingQuotes(value) : value);
    };
    if (batchDepth_ > 0 && !pending_.empty()) {
        auto p = pendingIndex_.find(PendingKey(section, key));
        if (p != pendingIndex_.end()) return asRead(pending_[p->second].text);
    }
    Refresh();
    auto value = doc_.Find(section, key);
    if (!value) return std::nullopt;
    return asRead(*value);
}

bool ProfileFileStore::WriteText(std::string_view section, std::string_view key, std::string_view text) {
    if (!IsStorableEntry(section, key, text)) return false;
    Change change{std::string(section), std::string(key), std::string(text)};
    if (batchDepth_ == 0) return Store({change});
    pendingIndex_[PendingKey(section, key)] = pending_.size();
    pending_.push_back(std::move(change));
    return true;
}

bool ProfileFileStore::CommitBatch() {
    if (batchDepth_ == 0) return true;
    if (--batchDepth_ > 0) return true;
    std::vector<Change> changes = std::move(pending_);
    pending_.clear();
    pendingIndex_.clear();
    if (changes.empty()) return true;
    return Store(changes);
}

bool ProfileFileStore::Store(const std::vector<Change>& changes) {
    if (path_.empty()) return false;
    if (policy_.createDirectory && !EnsureDirectory(DirectoryOf(path_))) return false;
    std::optional<FileLock> lock;
    if (policy_.lockFile) {
        lock.emplace(path_ + ".lock", kLockTimeoutMs);
        if (!lock->Locked()) return false;
        RemoveLeftoverTempFiles(path_);
    }
    // Apply the changes to the file as it is now, not to what this object read earlier:
    // another process may have stored values meanwhile, and those must survive.
    FileReadResult current = ReadWholeFile(path_);
    switch (current.status) {
        case FileReadStatus::Ok:
            if (current.readOnly) return false;
            break;
        case FileReadStatus::Missing:
            break;
        default:
            return false;  // never replace what could not be read whole
    }
    ProfileText doc(current.bytes);
    for (const Change& c : changes) doc.Set(c.section, c.key, c.text);
    if (!doc.Changed()) {
        current.bytes.clear();
        stamp_ = std::move(current);
        status_ = stamp_.status;
        doc_ = std::move(doc);
        loaded_ = true;
        return true;
    }
    FileReadResult written;
    if (!ReplaceFileAtomically(path_, doc.Serialize(), &written)) return false;
    stamp_ = written;
    status_ = FileReadStatus::Ok;
    doc_ = std::move(doc);
    loaded_ = true;
    return true;
}

FileSettingsStore::FileSettingsStore(const std::string& directory)
    : ProfileFileStore(
          directory.empty() ? std::string() : directory + "/" + kFileName,
          Policy{.createDirectory = true, .lockFile = true, .followChanges = true, .unquoteValues = false}) {}

std::string FileSettingsStore::DefaultDirectory() {
    if (auto dir = EnvironmentValue("ASTRELLE_CONFIG_DIR"); dir && !dir->empty()) return *dir;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base-directory rules say.
    if (auto xdg = EnvironmentValue("XDG_CONFIG_HOME"); xdg && !xdg->empty() && xdg->front() == '/') {
        return *xdg + "/astrelle";
    }
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    return home + "/.config/astrelle";
}

TemplateFile::TemplateFile(std::string path)
    : ProfileFileStore(
          std::move(path),
          Policy{
              .createDirectory = false, .lockFile = false, .followChanges = false, .unquoteValues = true}) {}

}  // namespace astrelle
