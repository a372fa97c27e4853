// The stored placement of the windowed program: WindowState (2 maximized, else 0) and
// WindowSize, twenty digits holding left, top, width and height as "00000" each, in
// twips as the stored files have always held them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace astrelle {

inline constexpr int16_t kWindowStateNormal = 0;
inline constexpr int16_t kWindowStateMaximized = 2;

struct WindowPlacementTwips {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// A negative left or top is written as 0. Each number is held to 0..99999 so the text
// always has exactly twenty digits and reads back field by field.
std::string FormatWindowSize(const WindowPlacementTwips& placement);

// Characters 1-5, 6-10, 11-15 and 16-20 of the trimmed text, each read as a leading number;
// missing characters read as 0. Nothing when the trimmed text is empty.
bool ParseWindowSize(std::string_view text, WindowPlacementTwips& out);

}  // namespace astrelle
