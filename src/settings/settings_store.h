// The store of named text values in sections that the settings layer reads and writes.
// The permanent settings file and template files both implement it (src/platform); the
// in-memory store here serves tests and any code that needs settings without a file.
// Section and key names are compared without regard to ASCII case.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace astrelle {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The stored text, or nullopt when the section or the key is missing or the store
    // cannot be read. The full text is returned; length limits belong to the callers.
    virtual std::optional<std::string> ReadText(std::string_view section, std::string_view key) = 0;

    // Stores the text. False when it could not be stored; the old value then stays. Inside
    // a batch the write is queued (true) and CommitBatch reports the outcome. Reads see
    // queued writes at once.
    virtual bool WriteText(std::string_view section, std::string_view key, std::string_view text) = 0;

    // Groups writes so that many values reach the backing file in one rewrite. Batches
    // nest; the outermost CommitBatch stores everything queued since the outermost begin
    // and returns false when that failed (nothing of the batch is stored then).
    virtual void BeginBatch() = 0;
    virtual bool CommitBatch() = 0;
};

// Begins a batch and commits it when it goes out of scope, unless Commit ran before.
class StoreBatch {
  public:
    explicit StoreBatch(SettingsStore& store) : store_(store) { store_.BeginBatch(); }
    ~StoreBatch() {
        if (!done_) store_.CommitBatch();
    }
    StoreBatch(const StoreBatch&) = delete;
    StoreBatch& operator=(const StoreBatch&) = delete;

    bool Commit() {
        if (done_) return true;
        done_ = true;
        return store_.CommitBatch();
    }

  private:
    SettingsStore& store_;
    bool done_ = false;
};

// Names are compared without regard to ASCII case, as the stores do.
std::string AsciiLower(std::string_view text);

// A store that lives in memory only. Writes of names or values that a file store could
// not hold (line breaks, NUL) are refused the same way, so code tested against it
// behaves the same on a file.
class MemorySettingsStore final : public SettingsStore {
  public:
    std::optional<std::string> ReadText(std::string_view section, std::string_view key) override;
    bool WriteText(std::string_view section, std::string_view key, std::string_view text) override;
    void BeginBatch() override { ++batchDepth_; }
    bool CommitBatch() override;

    // Number of stored values, and of commits that reached the store (a write outside a
    // batch counts as one), so tests can see that bulk saves are grouped.
    size_t ValueCount() const;
    int CommitCount() const { return commits_; }
    // When set, every later write and commit fails, as a full disk would make them.
    void SetFailWrites(bool fail) { failWrites_ = fail; }

  private:
    using Section = std::map<std::string, std::string>;                   // lower-case key -> text
    std::map<std::string, Section> sections_;                             // lower-case section -> values
    std::map<std::pair<std::string, std::string>, std::string> pending_;  // queued in a batch
    int batchDepth_ = 0;
    int commits_ = 0;
    bool failWrites_ = false;
};

// True when a section name, key and value can be held by a line-based profile file:
// names not empty, without line breaks, NUL or surrounding blanks; a section name without
// "]"; a key without "=" that does not start with "[" or ";"; a value without line
// breaks or NUL. Every store refuses other writes, so a value can never smuggle in a line.
bool IsStorableEntry(std::string_view section, std::string_view key, std::string_view value);

// Number of characters of UTF-8 text (bytes that do not continue a sequence), and the
// longest prefix of at most n characters (never cut inside a sequence).
size_t Utf8Length(std::string_view text);
std::string_view Utf8Prefix(std::string_view text, size_t n);

}  // namespace astrelle
