// Builds the cosine and sine tables with the single-precision accumulated angle.
#include "engine/trig_tables.h"

#include <cmath>

namespace astrelle {

void BuildTrigTables(TrigTables& tables) {
    constexpr float kPi = 3.1415927f;
    const float step = kPi / 1000.0f;
    float angle = 0.0f;
    for (int i = 0; i < kTrigTableSize; ++i) {
        tables.CosTable[static_cast<size_t>(i)] = std::cos(angle);
        tables.SinTable[static_cast<size_t>(i)] = std::sin(angle);
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
