// The "Copy Galaxy Props to All Types" box: a property of the galaxy types, a value, and
// Copy to All, which sets that property of every galaxy type to the value. While a property
// is chosen, the value field takes its key filter and range.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "settings/settings_model.h"
#include "ui/logic/field_rules.h"
#include "ui/logic/props_page.h"

namespace astrelle {

struct CopyProperty {
    std::string_view entry;  // the list's text
    std::string_view key;    // the galaxy type setting that receives the value
    NumberCheck check;       // of the value field while this entry is chosen
    KeyFilter filter;
};

class CopyBox : public PropsPage {
  public:
    CopyBox(PropsView& view, GalaxyTypeTable& types);

    static std::span<const CopyProperty> Properties();
    // The value field is not a setting's field: the box owns no setting rows.
    std::span<const FieldRow> Fields() const override { return {}; }

    // Fills the property list with nothing chosen.
    void FillProperties();
    // The rule of the value field: that of the chosen property, digits only without one.
    FieldRule ValueRule() const;
    // Copy to All: refused (with a message) without a property or without a value; else
    // every galaxy type's property becomes the value, not yet held to its range (saving
    // holds it). Returns the setting that was copied.
    std::optional<std::string_view> CopyToAll();

  private:
    const CopyProperty* Chosen() const;

    GalaxyTypeTable& types_;
};

}  // namespace astrelle
