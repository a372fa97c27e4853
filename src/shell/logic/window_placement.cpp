// Text form of the windowed program's stored placement.
#include "shell/logic/window_placement.h"

#include <cstdio>

#include "settings/rounding.h"

namespace astrelle {
namespace {

int32_t FieldValue(int32_t v) {
    return v < 0 ? 0 : (v > 99999 ? 99999 : v);
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The number a five-character field starts with (blanks skipped, optional sign); 0 if none.
int32_t LeadingInteger(std::string_view field) {
    size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
    int32_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) value = value * 10 + (field[i] - '0');
    return negative ? -value : value;
}

}  // namespace

std::string FormatWindowSize(const WindowPlacementTwips& p) {
    char text[32];
    std::snprintf(text, sizeof text, "%05d%05d%05d%05d", FieldValue(p.left), FieldValue(p.top),
                  FieldValue(p.width), FieldValue(p.height));
    return text;
}

bool ParseWindowSize(std::string_view text, WindowPlacementTwips& out) {
    text = TrimSpaces(text);
    if (text.empty()) return false;
    auto field = [&](size_t index) -> int32_t {
        const size_t from = index * 5;
        if (from >= text.size()) return 0;
        return LeadingInteger(text.substr(from, 5));
    };
    out.left = field(0);
    out.top = field(1);
    out.width = field(2);
    out.height = field(3);
    return true;
}

int16_t TwipsPerPixelForDpi(double logicalDpi) {
    int16_t twips = 15;
    if (logicalDpi > 0 && TryRoundToInt16(1440.0 / logicalDpi, twips) && twips > 0) return twips;
    return 15;
}

}  // namespace astrelle
