// The in-memory settings store and the name rules shared by every store.

#include "settings/settings_store.h"

namespace astrelle {

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    return out;
}

namespace {

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsBlankOrTab(char ch) {
    return ch == ' ' || ch == '\t';
}

bool HasSurroundingBlanks(std::string_view text) {
    return !text.empty() && (IsBlankOrTab(text.front()) || IsBlankOrTab(text.back()));
}

}  // namespace

bool IsStorableEntry(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || HasLineBreakOrNul(section) || HasSurroundingBlanks(section)) return false;
    if (section.find(']') != std::string_view::npos) return false;
    if (key.empty() || HasLineBreakOrNul(key) || HasSurroundingBlanks(key)) return false;
    if (key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';') return false;
    return !HasLineBreakOrNul(value);
}

namespace {
bool IsContinuationByte(char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}
}  // namespace

size_t Utf8Length(std::string_view text) {
    size_t n = 0;
    for (char ch : text) n += IsContinuationByte(ch) ? 0 : 1;
    return n;
}

std::string_view Utf8Prefix(std::string_view text, size_t n) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i])) continue;
        if (chars == n) return text.substr(0, i);
        ++chars;
    }
    return text;
}

std::optional<std::string> MemorySettingsStore::ReadText(std::string_view section, std::string_view key) {
    std::pair<std::string, std::string> name{AsciiLower(section), AsciiLower(key)};
    if (auto p = pending_.find(name); p != pending_.end()) return p->second;
    auto s = sections_.find(name.first);
    if (s == sections_.end()) return std::nullopt;
    auto k = s->second.find(name.second);
    if (k == s->second.end()) return std::nullopt;
    return k->second;
}

bool MemorySettingsStore::WriteText(std::string_view section, std::string_view key, std::string_view text) {
    if (!IsStorableEntry(section, key, text)) return false;
    if (batchDepth_ > 0) {
        pending_[{AsciiLower(section), AsciiLower(key)}] = std::string(text);
        return true;
    }
    if (failWrites_) return false;
    sections_[AsciiLower(section)][AsciiLower(key)] = std::string(text);
    ++commits_;
    return true;
}

bool MemorySettingsStore::CommitBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return true;
    auto pending = std::move(pending_);
    pending_.clear();
    if (pending.empty()) return true;
    if (failWrites_) return false;  // like a failed file write: nothing of the batch is kept
    for (auto& [name, text] : pending) sections_[name.first][name.second] = std::move(text);
    ++commits_;
    return true;
}

size_t MemorySettingsStore::ValueCount() const {
    size_t n = 0;
    for (const auto& [name, values] : sections_) n += values.size();
    return n;
}

}  // namespace astrelle
