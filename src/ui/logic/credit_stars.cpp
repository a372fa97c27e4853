// Clamps of the credits set-up, the renewal of a star and the text's scrolling.
#include "ui/logic/credit_stars.h"

#include <algorithm>
#include <cmath>

namespace astrelle {

CreditsSetup ClampCreditsSetup(const CreditsSetup& setup) {
    CreditsSetup c = setup;
    c.stars = std::clamp<int16_t>(setup.stars, 10, 200);
    // NaN would slip through std::clamp; it holds to the lower bound like the other clamps.
    c.speed = std::isnan(setup.speed) ? 0.0025f : std::clamp(setup.speed, 0.0025f, 0.25f);
    c.scrollStep = std::isnan(setup.scrollStep) ? 0.5f : std::clamp(setup.scrollStep, 0.5f, 10.0f);
    return c;
}

double NextCreditsTop(double top, double textHeight, double frameHeight, double step) {
    return top < -textHeight ? frameHeight - kCreditsEntryGap : top - step;
}

int CreditStarField::DotWidth(float z) {
    if (!(z > 0.0f)) return 1;
    const float w = std::floor(1.0f / z);
    return w < 1.0f ? 1 : static_cast<int>(std::min(w, 1.0f / kNearest));
}

void CreditStarField::Renew(size_t i, RandomSource& random) {
    x_[i] = 2.0f * random.Next() - 1.0f;
    y_[i] = 2.0f * random.Next() - 1.0f;
    z_[i] = 1.0f;
    sx_[i] = x_[i];
    sy_[i] = y_[i];
}

void CreditStarField::Place(size_t i, float x, float y, float z) {
    x_[i] = x;
    y_[i] = y;
    z_[i] = z;
    sx_[i] = x / z;
    sy_[i] = y / z;
}

}  // namespace astrelle
