// Building a view's layout: rows keyed by the setting's key (label from the setting's own
// definition, control of the field's kind, the spinner its row asks for) and the dialog's
// own controls, each placed in dialog units on the pages it belongs to.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/logic/field_rows.h"
#include "ui/win32/win32_view.h"

namespace astrelle::win32 {

// The width of a spinner beside its field.
inline constexpr int kSpinnerWidth = 10;
// How far a drop-down list opens below its box.
inline constexpr int kDropHeight = 120;

// text with "&" before the first letter (either case) equal to mnemonic; unchanged when
// there is none.
std::string WithMnemonic(std::string_view text, char mnemonic);

class LayoutBuilder {
  public:
    using RowLookup = std::function<const FieldRow*(std::string_view key)>;
    explicit LayoutBuilder(RowLookup rows) : rows_(std::move(rows)) {}

    // The items from here on belong to these pages.
    void OnPages(PageRef page, PageRef subPage = {});

    // A setting's label (its definition's text unless text is given).
    void Label(std::string_view key, DluRect rect, std::string_view text = {});
    // A setting's field of its row's kind, with the spinner right beside it when the row
    // has one. A check box carries the label itself: on its left when label ends with ":",
    // else on its right; text, when given, replaces the setting's label.
    void Field(std::string_view key, DluRect rect, std::string_view text = {});
    // Label and field on one line.
    void LabelledField(std::string_view key, DluRect labelRect, DluRect fieldRect);

    // One of the dialog's own controls, its label, and what the logic never names.
    void Own(ControlId id, ItemKind kind, std::string_view text, DluRect rect, uint16_t flags = kNoFlags);
    void OwnLabel(ControlId id, std::string_view text, DluRect rect);
    void Decoration(ItemKind kind, std::string_view text, DluRect rect, uint16_t flags = kNoFlags);

    std::vector<ViewItem> Take() { return std::move(items_); }

  private:
    void Add(ItemKind kind, std::string_view text, DluRect rect, uint16_t flags, Control control, Part part,
             SpinRange spin = {});

    RowLookup rows_;
    PageRef page_;
    PageRef subPage_;
    std::vector<ViewItem> items_;
};

}  // namespace astrelle::win32
