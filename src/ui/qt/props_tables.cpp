// Look-ups into the dialog's own tables.
#include "ui/qt/props_tables.h"

#include <cassert>

#include "settings/settings_model.h"

namespace astrelle {

// Every entry is filled: a short initializer list would leave null names at the end.
static_assert(kFieldKinds.back().control != nullptr);
static_assert(kArrowSteps.back().control != nullptr);
static_assert(kSpinners.back().spinner != nullptr);
static_assert(kCopyProperties.back().entry != nullptr);

const FieldKindSpec* FindFieldKind(std::string_view control, int index) {
    for (const FieldKindSpec& row : kFieldKinds) {
        if (row.control == control && row.index == index) return &row;
    }
    return nullptr;
}

const SettingDef* FindControlSetting(std::string_view control, int index) {
    for (const SettingGroup group : {SettingGroup::General, SettingGroup::Universe, SettingGroup::GalaxyRow,
                                     SettingGroup::CompositeRow}) {
        for (const SettingDef& def : SettingsOf(group)) {
            if (def.control == control && def.controlIndex == index) return &def;
        }
    }
    return nullptr;
}

std::optional<ArrowStep> FindArrowStep(std::string_view control, int index) {
    for (const ArrowSpec& row : kArrowSteps) {
        if (row.control == control && row.index == index) return row.step;
    }
    return std::nullopt;
}

const SpinnerSpec& FindSpinner(std::string_view spinner, int index) {
    for (const SpinnerSpec& row : kSpinners) {
        if (row.spinner == spinner && row.spinnerIndex == index) return row;
    }
    assert(false && "every spinner of the dialog is in the spinner table");
    return kSpinners.front();
}

}  // namespace astrelle
