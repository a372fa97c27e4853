// Profile text ("[section]" lines and "key=value" lines) held line by line, so that
// changing one value rewrites that one line and leaves every other byte of the file as it
// was: comments, blank lines, foreign or broken lines, duplicates, CRLF and a UTF-8 BOM.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace astrelle {

// Lookup rules, the ones profile files have always had:
//  - a section starts at a line whose first non-blank character is "[" and that holds a
//    "]"; its name is the text between them, without surrounding blanks and tabs;
//  - an entry is a line inside a section holding "=" whose first non-blank character is
//    not ";"; the key is the text before the first "=", the value the text after it,
//    both without surrounding blanks and tabs;
//  - a line ends at LF or CRLF, or at a CR that ends the file;
//  - names are compared without regard to ASCII case; when a section or a key appears
//    twice, the first one counts and the later one is kept but never read;
//  - lines before the first section and every other line are kept and never read.
// A value as the Windows profile reader returns it: without the quotes when it is
// enclosed in a matching pair of double quotes or of single quotes ("a" and 'a' read as
// a); a lone quote, or quotes that do not match, stay.
std::string_view WithoutEnclosingQuotes(std::string_view value);

class ProfileText {
  public:
    ProfileText() = default;
    // Parses any bytes; never fails.
    explicit ProfileText(std::string_view bytes);

    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Replaces the value in place when the key exists; else adds the entry after the last
    // entry of the section; else appends the section with the entry at the end. Returns
    // false and changes nothing when the names or the value cannot be held on one line
    // (see IsStorableEntry).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // True when a Set changed anything since parsing.
    bool Changed() const { return changed_; }
    std::string Serialize() const;

  private:
    // Cr: a carriage return that ends the file without its line feed (a CRLF file cut
    // short). It ends the line like CRLF, so the value does not carry it and a line
    // appended later turns it into a whole CRLF without changing what the line reads.
    enum class Eol : uint8_t { None, Lf, CrLf, Cr };
    static constexpr uint32_t kNoLine = UINT32_MAX;

    struct Line {
        std::string text;  // without the line end
        Eol eol = Eol::None;
        uint32_t next = kNoLine;  // lines form a list, so inserts keep every index valid
    };
    struct Section {
        std::unordered_map<std::string, uint32_t> keys;  // lower-case key -> line
        uint32_t anchor = kNoLine;                       // new keys go after this line
    };

    uint32_t AppendLine(std::string text);
    uint32_t InsertAfter(uint32_t anchor, std::string text);

    std::vector<Line> lines_;
    uint32_t head_ = kNoLine;
    uint32_t tail_ = kNoLine;
    std::vector<Section> sections_;
    std::unordered_map<std::string, uint32_t> sectionIndex_;  // lower-case name -> section
    Eol newEol_ = Eol::Lf;
    bool bom_ = false;
    bool changed_ = false;
};

}  // namespace astrelle
