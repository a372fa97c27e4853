// Builds the cosine and sine tables with the single-precision accumulated angle.
#include "engine/trig_tables.h"

#include <cmath>

namespace astrelle {

void BuildTrigTables(TrigTables& tables) {
    constexpr float kPi = 3.1415927f;
    const float step = kPi / 1000.0f;
    float angle = 0.0f;
    for (int i = 0; i < kTrigTableSize; ++i) {
        // The angle is single precision, but cos and sin are taken in double and only the
        // result is stored as a float; the float functions differ in the last bit for a few
        // dozen entries.
        const double a = static_cast<double>(angle);
        tables.CosTable[static_cast<size_t>(i)] = static_cast<float>(std::cos(a));
        tables.SinTable[static_cast<size_t>(i)] = static_cast<float>(std::sin(a));
        angle = angle + step;  // stored back to single precision on purpose
    }
}

const TrigTables& GetTrigTables() {
    static const TrigTables tables = [] {
        TrigTables t;
        BuildTrigTables(t);
        return t;
    }();
    return tables;
}

}  // namespace astrelle
