// The colour model: the fixed 360-hue base wheel (HueColor), the per-type tinted wheel
// (HueTable) from which new stars take their colour, the 100-entry ramps through which
// aging things pass, and the rule that turns a star's motion or place into a hue
// (StarHue). Colours are 0x00BBGGRR; 0 is black and erases.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

namespace astrelle {

inline constexpr uint32_t PackColour(int red, int green, int blue) {
    return static_cast<uint32_t>(red) | (static_cast<uint32_t>(green) << 8) |
           (static_cast<uint32_t>(blue) << 16);
}
inline constexpr int RedOf(uint32_t c) {
    return static_cast<int>(c & 0xFFu);
}
inline constexpr int GreenOf(uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFFu);
}
inline constexpr int BlueOf(uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFFu);
}

// The base wheel; channels span 55..255. Hues of 360 and above, and negative ones (which
// no caller produces), are off the wheel and give black.
uint32_t HueColor(int16_t hue);

// Fills HueTable for all 32 types from their HueRed/Grn/Blu, HueBase and HueBlend.
void BuildHueTable(EngineContext& ctx);

// Each channel times factor, halves to even, held to 0..255.
uint32_t ScaleColor(uint32_t colour, float factor);

// White into startHue, a sweep at falling brightness to endHue, then a fade towards black.
void BuildHueRamp(uint32_t* ramp, int16_t startHue, int16_t endHue);

// Builds UniverseHueRamp and the 32 rows of GalaxyHueRamp. -1 for universeStart or
// universeEnd means "the stored setting": the engine does not read the settings store
// itself, so the caller passes the stored Universe_HW_Start / Universe_HW_End (section
// "Universe") as storedStart / storedEnd, and they are used wherever -1 was given.
void BuildAllHueRamps(EngineContext& ctx, int16_t universeStart, int16_t universeEnd, int16_t storedStart,
                      int16_t storedEnd);

// Sets a new star's colour by its type's ColorComp from r, h, its angular speed omega and
// the hue offset. A hue that cannot be formed (outside the 32-bit range, NaN or negative)
// leaves colour as it was; ColorComp 4 makes the star black, other values leave it.
void StarHue(const EngineContext& ctx, int type, float r, float h, float omega, float hueOffset,
             uint32_t& colour);

}  // namespace astrelle
