// Text form of the windowed program's stored placement.
#include "shell/logic/window_placement.h"

#include <cstdio>

#include "settings/rounding.h"
#include "settings/value_utils.h"

namespace astrelle {
namespace {

int32_t FieldValue(int32_t v) {
    return v < 0 ? 0 : (v > 99999 ? 99999 : v);
}

}  // namespace

std::string FormatWindowSize(const WindowPlacementTwips& p) {
    char text[32];
    std::snprintf(text, sizeof text, "%05d%05d%05d%05d", FieldValue(p.left), FieldValue(p.top),
                  FieldValue(p.width), FieldValue(p.height));
    return text;
}

bool ParseWindowSize(std::string_view text, WindowPlacementTwips& out) {
    text = TrimBlanks(text);
    if (text.empty()) return false;
    auto field = [&](size_t index) -> int32_t {
        const size_t from = index * 5;
        if (from >= text.size()) return 0;
        int32_t value = 0;
        TryRoundToInt32(LeadingNumber(text.substr(from, 5)), value);
        return value;
    };
    out.left = field(0);
    out.top = field(1);
    out.width = field(2);
    out.height = field(3);
    return true;
}

}  // namespace astrelle
