// The power function of the star and nova rules, in plain IEEE double operations. The C
// library's pow differs in its last bits between library versions, CPUs (glibc picks an
// FMA variant where the CPU has one) and Windows, and a star's radius or a nova's size
// could then round to another float: the same seed would give another picture. This one
// gives the same bits everywhere and is accurate to a few units in the last place of a
// double, far below the single precision the rules keep.
#pragma once

#include <cmath>
#include <limits>

namespace astrelle {

namespace portable_math_detail {

constexpr double kLn2Hi = 0x1.62e42feep-1;  // ln 2 to 32 bits: n * kLn2Hi is exact
constexpr double kLn2Lo = 1.9082149292705877e-10;
constexpr double kInvLn2 = 1.4426950408889634;
constexpr double kSqrtHalf = 0.7071067811865476;

// ln x for a finite x > 0: x = m 2^k with m in [sqrt(1/2), sqrt(2)), and
// ln m = 2 atanh(s), s = (m - 1) / (m + 1), |s| < 0.172, as an odd series in s.
inline double Log(double x) {
    int k = 0;
    double m = std::frexp(x, &k);
    if (m < kSqrtHalf) {
        m *= 2.0;
        --k;
    }
    const double f = m - 1.0;
    const double s = f / (2.0 + f);
    const double z = s * s;
    double series = 1.0 / 23.0;
    for (int n = 21; n >= 3; n -= 2) series = series * z + 1.0 / n;
    const double lnM = 2.0 * (s + s * z * series);
    return (k * kLn2Hi + lnM) + k * kLn2Lo;
}

// e^y: y = n ln 2 + r with |r| <= ln 2 / 2, e^r by its Taylor series, then scaled by 2^n
// (exact).
inline double Exp(double y) {
    if (y > 709.8) return std::numeric_limits<double>::infinity();
    if (y < -745.2) return 0.0;
    const double n = std::nearbyint(y * kInvLn2);
    const double r = (y - n * kLn2Hi) - n * kLn2Lo;
    double term = 1.0;
    for (int i = 18; i >= 1; --i) term = 1.0 + term * r / i;
    return std::ldexp(term, static_cast<int>(n));
}

}  // namespace portable_math_detail

// base^exponent for base >= 0, with x^0 = 1, 0^x = 0 for x > 0 and x^1 = x exactly.
inline double Power(double base, double exponent) {
    if (exponent == 0.0) return 1.0;
    if (exponent == 1.0 || base == 1.0) return base;
    if (std::isnan(base) || std::isnan(exponent) || base < 0.0)
        return std::numeric_limits<double>::quiet_NaN();
    if (base == 0.0) return exponent > 0.0 ? 0.0 : std::numeric_limits<double>::infinity();
    if (std::isinf(base) || std::isinf(exponent)) {
        const bool grows = (base > 1.0) == (exponent > 0.0);
        return grows ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return portable_math_detail::Exp(exponent * portable_math_detail::Log(base));
}

}  // namespace astrelle
