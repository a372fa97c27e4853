// Sine and cosine of a single-precision angle, computed together and inline for the star
// loop (one pair per star and frame, the largest single cost of a frame after the pixel
// writes). The angle is reduced by pi/2 in double precision and the classic double-
// precision kernels follow, so the float results are the correctly rounded values except
// in the rarest ties. Angles beyond 1e5 radians (stars that orbit very close to their
// axis) take the double-precision library functions.
#pragma once

#include <cmath>

namespace astrelle {

inline void SinCos(float angle, float& sine, float& cosine) {
    const double x = angle;
    if (!(std::fabs(x) < 1.0e5)) {  // also NaN
        sine = static_cast<float>(std::sin(x));
        cosine = static_cast<float>(std::cos(x));
        return;
    }
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
    const int quadrant = static_cast<int>(k) & 3;
    const double r = (x - k * kPio2Hi) - k * kPio2Lo;  // k * kPio2Hi is exact for |k| < 2^20
    const double z = r * r;
    const double s = r + r * z * (S1 + z * (S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)))));
    const double c = 1.0 - 0.5 * z + z * z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    switch (quadrant) {
        case 0:
            sine = static_cast<float>(s);
            cosine = static_cast<float>(c);
            break;
        case 1:
            sine = static_cast<float>(c);
            cosine = static_cast<float>(-s);
            break;
        case 2:
            sine = static_cast<float>(-s);
            cosine = static_cast<float>(-c);
            break;
        default:
            sine = static_cast<float>(-c);
            cosine = static_cast<float>(s);
            break;
    }
}

}  // namespace astrelle
