// A page or box of the properties dialog as its logic sees it: the fields it owns, one row
// per setting in its table, and what follows in its pictures and controls when one of them
// changes, whether the user changed it or the dialog did.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ui/logic/field_rows.h"
#include "ui/logic/props_view.h"

namespace astrelle {

class PropsPage {
  public:
    explicit PropsPage(PropsView& view) : view_(view) {}
    virtual ~PropsPage() = default;
    PropsPage(const PropsPage&) = delete;
    PropsPage& operator=(const PropsPage&) = delete;

    virtual std::span<const FieldRow> Fields() const = 0;
    virtual void OnChanged(std::string_view /*key*/) {}

    // Brings every picture and control that follows a field up to date.
    void Refresh() {
        for (const FieldRow& row : Fields()) OnChanged(row.key);
    }

  protected:
    PropsView& view_;
};

// The number a picture reads from a field: the leading number of "0" + text (so a sign or
// an empty field reads as 0), rounded halves to even.
int16_t HueOfText(std::string_view text);

// Shows the ramp of two hue fields in a ramp sample.
void ShowHueRamp(PropsView& view, const Control& sample, std::string_view startKey, std::string_view endKey);

}  // namespace astrelle
