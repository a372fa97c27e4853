// Rounding from floating point to integers, the one place that decides how halves go.
// Every float-to-integer conversion of the program rounds to nearest with halves to even
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), because stored files and the animation rules expect
// exactly that. A value that does not fit the target type is reported, never wrapped.
#pragma once

#include <cmath>
#include <cstdint>

namespace astrelle {

// Nearest integer value with halves to even, as a double. Relies on the default
// floating-point rounding mode (round to nearest, ties to even), which we never change.
inline double RoundHalfEven(double v) { return std::nearbyint(v); }
inline float RoundHalfEven(float v) { return std::nearbyint(v); }

// Rounds v into a 16-bit signed integer. Returns false (out untouched) when v is NaN or
// the rounded value lies outside -32768..32767.
inline bool TryRoundToInt16(double v, int16_t& out) {
    double r = std::nearbyint(v);
    if (!(r >= -32768.0 && r <= 32767.0)) return false;
    out = static_cast<int16_t>(r);
    return true;
}

// Rounds v into a 32-bit signed integer. Returns false (out untouched) when v is NaN or
// the rounded value lies outside the 32-bit range.
inline bool TryRoundToInt32(double v, int32_t& out) {
    // Below 2^30 (every pixel coordinate), adding and removing 1.5 x 2^52 rounds exactly
    // as nearbyint does, without a library call; the engine rounds thousands per frame.
    if (std::fabs(v) < 1073741824.0) {
        out = static_cast<int32_t>((v + 6755399441055744.0) - 6755399441055744.0);
        return true;
    }
    double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return false;
    out = static_cast<int32_t>(r);
    return true;
}

// The same for a single-precision value, without a library call in the common case: for
// |v| below 2^22, adding and removing 1.5 x 2^23 leaves exactly the value rounded with
// halves to even (the float spacing there is 1). The engine projects every star with it.
inline bool TryRoundToInt32(float v, int32_t& out) {
    if (std::fabs(v) < 4194304.0f) {
        const float r = (v + 12582912.0f) - 12582912.0f;
        out = static_cast<int32_t>(r);
        return true;
    }
    return TryRoundToInt32(static_cast<double>(v), out);
}

// Rounds and saturates at the type's bounds (NaN gives 0). For places where a clamp
// follows anyway and an out-of-range value must end at the nearer bound.
inline int16_t RoundToInt16Saturated(double v) {
    if (std::isnan(v)) return 0;
    double r = std::nearbyint(v);
    if (r < -32768.0) return INT16_MIN;
    if (r > 32767.0) return INT16_MAX;
    return static_cast<int16_t>(r);
}

inline int32_t RoundToInt32Saturated(double v) {
    if (std::isnan(v)) return 0;
    double r = std::nearbyint(v);
    if (r < -2147483648.0) return INT32_MIN;
    if (r > 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(r);
}

}  // namespace astrelle
