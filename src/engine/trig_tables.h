// Cosine and sine of i * pi / 1000 for i = 0..1000, read by the universe placement rules.
// The angle is accumulated step by step in single precision, so its rounding error grows
// over the 1000 steps exactly as the placement rules were tuned with.
#pragma once

#include <array>

namespace astrelle {

inline constexpr int kTrigTableSize = 1001;

struct TrigTables {
    std::array<float, kTrigTableSize> CosTable{};
    std::array<float, kTrigTableSize> SinTable{};
};

void BuildTrigTables(TrigTables& tables);

// The tables of the process, built on first use.
const TrigTables& GetTrigTables();

}  // namespace astrelle
