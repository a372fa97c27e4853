// The engine's packed colour (0x00BBGGRR: red in the low byte) as a QColor, for every
// widget that shows an engine colour: hue samples, gradients and the lock message.
#pragma once

#include <QColor>

#include <cstdint>

namespace astrelle {

inline QColor ColourFromPacked(uint32_t packed) {
    return QColor(static_cast<int>(packed & 0xFFu), static_cast<int>((packed >> 8) & 0xFFu),
                  static_cast<int>((packed >> 16) & 0xFFu));
}

}  // namespace astrelle
