// The galaxy page's sub-pages: galaxy characteristics (with the star colours), new and nova
// stars, and comets; each with its fields and what follows them. The galaxy page shows one
// galaxy type at a time: its row of the table is copied into these fields when the type
// is opened and back when the user returns to the universe page.
#pragma once

#include <array>

#include "settings/settings_model.h"
#include "ui/logic/props_page.h"

namespace astrelle {

class GalaxyCharacteristicsPage : public PropsPage {
  public:
    using PropsPage::PropsPage;
    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }
    // The colour samples follow the colour fields, the pictogram the profile.
    void OnChanged(std::string_view key) override;
};

class NovaStarPage : public PropsPage {
  public:
    using PropsPage::PropsPage;
    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }
};

class CometPage : public PropsPage {
  public:
    using PropsPage::PropsPage;
    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }
    // The ramp sample follows the comet hue fields.
    void OnChanged(std::string_view key) override;
};

// The fields of all three galaxy sub-pages, as one set of rows at a time.
std::array<std::span<const FieldRow>, 3> GalaxyPageRows();

// Shows a galaxy type's value in its field: the text of a number field, the entry of a
// list (held to the setting's range).
void ShowGalaxyValue(PropsView& view, const FieldRow& row, std::string_view text);

// A galaxy type's row into the galaxy fields, and the fields back into a row: each field's
// leading number, the lists' indices (16-bit values rounded halves to even).
void ShowGalaxyType(PropsView& view, const GalaxyTypeRecord& record);
void ReadGalaxyType(const PropsView& view, GalaxyTypeRecord& record);

// The 36 columns of factory galaxy row k (1..32) into the galaxy fields.
void ShowFactoryGalaxyRow(PropsView& view, int k);

}  // namespace astrelle
