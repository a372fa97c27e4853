// Parsing, lookup and in-place editing of profile text.

#include "platform/profile_text.h"

#include "settings/settings_store.h"

namespace astrelle {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view TrimBlanksAndTabs(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

ProfileText::ProfileText(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        bom_ = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    bool eolSeen = false;
    constexpr uint32_t kNoSection = UINT32_MAX;
    uint32_t current = kNoSection;  // the section whose entries are read, if any
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t nl = bytes.find('\n', pos);
        std::string_view raw;
        Eol eol = Eol::None;
        if (nl == std::string_view::npos) {
            raw = bytes.substr(pos);
            pos = bytes.size();
            if (!raw.empty() && raw.back() == '\r') {
                raw.remove_suffix(1);
                eol = Eol::Cr;
            }
        } else {
            raw = bytes.substr(pos, nl - pos);
            pos = nl + 1;
            eol = Eol::Lf;
            if (!raw.empty() && raw.back() == '\r') {
                raw.remove_suffix(1);
                eol = Eol::CrLf;
            }
        }
        if (!eolSeen && (eol == Eol::Lf || eol == Eol::CrLf)) {
            // Lines we add end the way the file's lines already do.
            newEol_ = eol;
            eolSeen = true;
        }
        uint32_t index = AppendLine(std::string(raw));
        lines_[index].eol = eol;

        std::string_view t = TrimBlanksAndTabs(raw);
        if (t.empty()) continue;
        if (t.front() == '[') {
            size_t close = t.find(']');
            if (close == std::string_view::npos) continue;  // broken header: kept, not read
            std::string name = AsciiLower(TrimBlanksAndTabs(t.substr(1, close - 1)));
            auto [it, inserted] =
                sectionIndex_.try_emplace(std::move(name), static_cast<uint32_t>(sections_.size()));
            if (inserted) {
                sections_.emplace_back();
                sections_.back().anchor = index;
                current = it->second;
            } else {
                current = kNoSection;  // a repeated section is kept but never read
            }
            continue;
        }
        if (current == kNoSection || t.front() == ';') continue;
        size_t eq = t.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = TrimBlanksAndTabs(t.substr(0, eq));
        if (key.empty()) continue;
        Section& section = sections_[current];
        section.keys.try_emplace(AsciiLower(key), index);
        section.anchor = index;
    }
}

uint32_t ProfileText::AppendLine(std::string text) {
    auto index = static_cast<uint32_t>(lines_.size());
    if (tail_ != kNoLine) {
        Eol& last = lines_[tail_].eol;
        if (last == Eol::None) last = newEol_;
        if (last == Eol::Cr) last = Eol::CrLf;  // only the line feed was missing
    }
    lines_.push_back(Line{std::move(text), newEol_, kNoLine});
    if (tail_ == kNoLine) {
        head_ = index;
    } else {
        lines_[tail_].next = index;
    }
    tail_ = index;
    return index;
}

uint32_t ProfileText::InsertAfter(uint32_t anchor, std::string text) {
    if (anchor == tail_) return AppendLine(std::move(text));
    auto index = static_cast<uint32_t>(lines_.size());
    uint32_t next = lines_[anchor].next;
    lines_.push_back(Line{std::move(text), newEol_, next});
    lines_[anchor].next = index;
    return index;
}

std::string_view WithoutEnclosingQuotes(std::string_view value) {
    if (value.size() < 2) return value;
    const char first = value.front();
    if ((first != '"' && first != '\'') || value.back() != first) return value;
    return value.substr(1, value.size() - 2);
}

std::optional<std::string_view> ProfileText::Find(std::string_view section, std::string_view key) const {
    auto s = sectionIndex_.find(AsciiLower(section));
    if (s == sectionIndex_.end()) return std::nullopt;
    const Section& sec = sections_[s->second];
    auto k = sec.keys.find(AsciiLower(key));
    if (k == sec.keys.end()) return std::nullopt;
    std::string_view text = lines_[k->second].text;
    return TrimBlanksAndTabs(text.substr(text.find('=') + 1));
}

bool ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsStorableEntry(section, key, value)) return false;
    std::string entry;
    entry.reserve(key.size() + 1 + value.size());
    entry.append(key).append("=").append(value);

    std::string sectionName = AsciiLower(section);
    auto s = sectionIndex_.find(sectionName);
    if (s == sectionIndex_.end()) {
        Section added;
        std::string header;
        header.reserve(section.size() + 2);
        header.append("[").append(section).append("]");
        AppendLine(std::move(header));
        added.anchor = AppendLine(std::move(entry));
        added.keys.emplace(AsciiLower(key), added.anchor);
        sectionIndex_.emplace(std::move(sectionName), static_cast<uint32_t>(sections_.size()));
        sections_.push_back(std::move(added));
        changed_ = true;
        return true;
    }

    Section& sec = sections_[s->second];
    std::string keyName = AsciiLower(key);
    auto k = sec.keys.find(keyName);
    if (k == sec.keys.end()) {
        sec.anchor = InsertAfter(sec.anchor, std::move(entry));
        sec.keys.emplace(std::move(keyName), sec.anchor);
        changed_ = true;
        return true;
    }

    std::string& text = lines_[k->second].text;
    size_t eq = text.find('=');
    std::string_view old(text);
    if (TrimBlanksAndTabs(old.substr(eq + 1)) == TrimBlanksAndTabs(value)) return true;
    // The key keeps its spelling and indentation; only the value changes.
    size_t indent = old.find_first_not_of(" \t");
    std::string replaced(old.substr(0, indent));
    replaced.append(TrimBlanksAndTabs(old.substr(0, eq))).append("=").append(value);
    text = std::move(replaced);
    changed_ = true;
    return true;
}

std::string ProfileText::Serialize() const {
    size_t size = bom_ ? kUtf8Bom.size() : 0;
    for (const Line& line : lines_) size += line.text.size() + 2;
    std::string out;
    out.reserve(size);
    if (bom_) out.append(kUtf8Bom);
    for (uint32_t i = head_; i != kNoLine; i = lines_[i].next) {
        const Line& line = lines_[i];
        out.append(line.text);
        if (line.eol == Eol::CrLf) {
            out.append("\r\n");
        } else if (line.eol == Eol::Lf) {
            out.push_back('\n');
        } else if (line.eol == Eol::Cr) {
            out.push_back('\r');
        }
    }
    return out;
}

}  // namespace astrelle
