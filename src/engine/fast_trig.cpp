// The batched sine and cosine of the star loop: one vectorisable pass over all stars, then
// the rare angles the kernel does not cover.
#include "engine/fast_trig.h"

namespace astrelle {

// Built twice, for AVX2 (four doubles a step) and for the baseline; the loader picks one.
// Both do the same IEEE operations, so the results do not depend on the machine. Windows
// programs have no such loader (ifunc), so there the baseline serves.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(_WIN32)
__attribute__((target_clones("avx2", "default")))
#endif
void SinCosOfSteppedAngles(const float* angle, const float* step, float* sine, float* cosine, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        const float theta = angle[i] + step[i];
        double s = 0.0;
        double c = 0.0;
        SinCosKernel(theta, s, c);
        sine[i] = static_cast<float>(s);
        cosine[i] = static_cast<float>(c);
    }
    for (size_t i = 0; i < n; ++i) {
        const float theta = angle[i] + step[i];
        if (!(std::fabs(static_cast<double>(theta)) < kSinCosKernelLimit)) SinCos(theta, sine[i], cosine[i]);
    }
}

}  // namespace astrelle
