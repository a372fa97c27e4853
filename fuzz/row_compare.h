// Comparing galaxy type and composite rows field by field through their stored text forms,
// and checking that a row already lies inside every range (holding it again changes
// nothing). Shared by the targets that load, save and load again.
#pragma once

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"

namespace astrelle::fuzz {

inline bool SameGalaxyRow(const GalaxyTypeRecord& a, const GalaxyTypeRecord& b) {
    for (const SettingDef* def : GalaxyStoreOrder()) {
        if (FieldText(a, *def) != FieldText(b, *def)) return false;
    }
    return true;
}

inline bool SameCompositeRow(const CompositeRecord& a, const CompositeRecord& b) {
    return a.Name == b.Name && a.Weight == b.Weight && a.Count == b.Count && a.Members == b.Members;
}

// Rows i of galaxyRows and c of compositeRows; every row when the lists are empty.
inline void CheckTablesInRange(const GalaxyTypeTable& table, const CompositeTable& composites,
                               std::vector<int> galaxyRows = {}, std::vector<int> compositeRows = {}) {
    if (galaxyRows.empty())
        for (int i = 0; i < kGalaxyTypeCount; ++i) galaxyRows.push_back(i);
    if (compositeRows.empty())
        for (int c = 0; c < kCompositeCount; ++c) compositeRows.push_back(c);
    GalaxyTypeTable again = table;
    for (int i : galaxyRows) {
        ClampGalaxyType(again, i);
        FUZZ_CHECK(SameGalaxyRow(again[static_cast<size_t>(i)], table[static_cast<size_t>(i)]));
    }
    CompositeTable againComposites = composites;
    for (int c : compositeRows) {
        ClampCompositeType(againComposites, c);
        const CompositeRecord& row = composites[static_cast<size_t>(c)];
        FUZZ_CHECK(SameCompositeRow(againComposites[static_cast<size_t>(c)], row));
        FUZZ_CHECK(row.Count >= 0 && row.Count <= kMaxCompositeCount);
    }
}

}  // namespace astrelle::fuzz
