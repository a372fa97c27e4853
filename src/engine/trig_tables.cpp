// Builds the cosine and sine tables with the single-precision accumulated angle.
#include "engine/trig_tables.h"

#include "engine/fast_trig.h"

namespace astrelle {

void BuildTrigTables(TrigTables& tables) {
    constexpr float kPi = 3.1415927f;
    const float step = kPi / 1000.0f;
    float angle = 0.0f;
    for (int i = 0; i < kTrigTableSize; ++i) {
        // The angle is single precision, but cos and sin are taken in double and only the
        // result is stored as a float; the float functions differ in the last bit for a few
        // dozen entries.
        double sine = 0.0;
        double cosine = 0.0;
        SinCosAnyAngle(static_cast<double>(angle), sine, cosine);
        tables.CosTable[static_cast<size_t>(i)] = static_cast<float>(cosine);
        tables.SinTable[static_cast<size_t>(i)] = static_cast<float>(sine);
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
