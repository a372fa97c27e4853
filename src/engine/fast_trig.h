// Sine and cosine of single-precision angles for the star loop (one pair per star and
// frame, the largest arithmetic cost of a frame). The angle is reduced by pi/2 in double
// precision and the classic double-precision kernels follow, so the float results are the
// correctly rounded values except in the rarest ties. Angles beyond 1e5 radians (stars
// that orbit very close to their axis) are reduced in four steps first.
#pragma once

#include <cmath>
#include <cstddef>

namespace astrelle {

inline constexpr double kSinCosKernelLimit = 1.0e5;

// sin and cos of x for |x| < kSinCosKernelLimit, without branches so that loops over it
// vectorise.
inline void SinCosKernel(double x, double& sine, double& cosine) {
    constexpr double kTwoOverPi = 6.36619772367581382433e-01;
    constexpr double kShifter = 6755399441055744.0;         // 1.5 x 2^52: rounds to an integer
    constexpr double kPio2Hi = 1.57079632673412561417e+00;  // first 33 bits of pi/2
    constexpr double kPio2Lo = 6.07710050650619224932e-11;  // pi/2 - kPio2Hi
    constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                     S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                     S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                     C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                     C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    const double k = (x * kTwoOverPi + kShifter) - kShifter;
    const int quadrant = static_cast<int>(k);
    const double r = (x - k * kPio2Hi) - k * kPio2Lo;  // k * kPio2Hi is exact for |k| < 2^20
    const double z = r * r;
    const double s = r + r * z * (S1 + z * (S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)))));
    const double c = 1.0 - 0.5 * z + z * z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    // Quadrant 0: (s, c); 1: (c, -s); 2: (-s, -c); 3: (-c, s).
    const bool swap = (quadrant & 1) != 0;
    const double sv = swap ? c : s;
    const double cv = swap ? s : c;
    sine = (quadrant & 2) != 0 ? -sv : sv;
    cosine = ((quadrant + 1) & 2) != 0 ? -cv : cv;
}

// sin and cos of any x. Beyond the kernel's range the angle is reduced by pi/2 split into
// four parts (the first three 21 bits long, so their multiples are exact below 2^30)
// instead of calling the C library, whose last bits differ between versions and machines:
// the same seed then gives the same picture everywhere. Above 2^30 a single-precision
// angle is a multiple of 64 radians, a random place on the orbit; the exact remainder by
// 2 pi in double precision serves there.
inline void SinCosAnyAngle(double x, double& sine, double& cosine) {
    constexpr double kExactReductionLimit = 0x1p30;
    constexpr double kTwoPiDouble = 6.283185307179586;
    if (std::fabs(x) >= kExactReductionLimit && std::isfinite(x)) x = std::fmod(x, kTwoPiDouble);
    if (std::fabs(x) < kSinCosKernelLimit) {
        SinCosKernel(x, sine, cosine);
        return;
    }
    if (!std::isfinite(x)) {
        sine = cosine = x - x;  // NaN
        return;
    }
    constexpr double kTwoOverPi = 6.36619772367581382433e-01;
    constexpr double kPio2Part1 = 0x1.921fbp+0;
    constexpr double kPio2Part2 = 0x1.5110bp-22;
    constexpr double kPio2Part3 = 0x1.184698p-44;
    constexpr double kPio2Part4 = 0x1.3198a2e037073p-69;
    const double k = std::nearbyint(x * kTwoOverPi);
    const double r = (((x - k * kPio2Part1) - k * kPio2Part2) - k * kPio2Part3) - k * kPio2Part4;
    double s = 0.0;
    double c = 0.0;
    SinCosKernel(r, s, c);  // |r| <= pi/4: the kernel's first quadrant
    const int quadrant = static_cast<int>(std::fmod(std::fabs(k), 4.0));
    const int turn = k < 0.0 ? (4 - quadrant) & 3 : quadrant;
    const double sv = (turn & 1) != 0 ? c : s;
    const double cv = (turn & 1) != 0 ? s : c;
    sine = (turn & 2) != 0 ? -sv : sv;
    cosine = ((turn + 1) & 2) != 0 ? -cv : cv;
}

inline void SinCos(float angle, float& sine, float& cosine) {
    double s = 0.0;
    double c = 0.0;
    SinCosAnyAngle(angle, s, c);
    sine = static_cast<float>(s);
    cosine = static_cast<float>(c);
}

// For i < n: sine[i], cosine[i] of the single-precision sum angle[i] + step[i], exactly as
// SinCos(angle[i] + step[i]) gives them; a loop the compiler can vectorise.
void SinCosOfSteppedAngles(const float* angle, const float* step, float* sine, float* cosine, size_t n);

}  // namespace astrelle
