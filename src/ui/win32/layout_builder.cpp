// Turning layout rows into view items.
#include "ui/win32/layout_builder.h"

#include <cctype>

namespace astrelle::win32 {

std::string WithMnemonic(std::string_view text, char mnemonic) {
    std::string marked(text);
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    for (size_t i = 0; i < marked.size(); ++i) {
        if (lower(marked[i]) == lower(mnemonic)) {
            marked.insert(i, 1, '&');
            break;
        }
    }
    return marked;
}

void LayoutBuilder::OnPages(PageRef page, PageRef subPage) {
    page_ = page;
    subPage_ = subPage;
}

void LayoutBuilder::Add(ItemKind kind, std::string_view text, DluRect rect, uint16_t flags, Control control,
                        Part part, SpinRange spin) {
    ViewItem item;
    item.item = DialogItem(kind, std::string(text), rect, flags, page_, subPage_);
    item.control = control;
    item.part = part;
    item.spin = spin;
    items_.push_back(std::move(item));
}

void LayoutBuilder::Label(std::string_view key, DluRect rect, std::string_view text) {
    Add(ItemKind::Label, text.empty() ? LabelOf(key) : text, rect, kNoFlags, astrelle::Field(key),
        Part::Label);
}

void LayoutBuilder::Field(std::string_view key, DluRect rect, std::string_view text) {
    const FieldRow* row = rows_ ? rows_(key) : nullptr;
    const FieldKind kind = row != nullptr ? row->kind : FieldKind::Text;
    const Control control = astrelle::Field(key);
    switch (kind) {
        case FieldKind::Check: {
            const std::string_view label = text.empty() ? LabelOf(key) : text;
            const bool left = !label.empty() && label.back() == ':';
            Add(ItemKind::CheckBox, label, rect, left ? kTextLeft : kNoFlags, control, Part::Main);
            return;
        }
        case FieldKind::List:
            Add(ItemKind::DropList, "", DluRect{rect.x, rect.y, rect.w, kDropHeight}, kNoFlags, control,
                Part::Main);
            return;
        default:
            break;
    }
    Add(ItemKind::Edit, "", rect, kNoFlags, control, Part::Main);
    if (row == nullptr) return;
    items_.back().maxLength = MaxLengthOf(*row);
    const SpinRange spin = SpinnerOf(*row);
    if (spin.step > 0) {
        Add(ItemKind::UpDown, "", DluRect{rect.x + rect.w, rect.y, kSpinnerWidth, rect.h}, kNoFlags, control,
            Part::Spinner, spin);
    }
}

void LayoutBuilder::LabelledField(std::string_view key, DluRect labelRect, DluRect fieldRect) {
    Label(key, labelRect);
    Field(key, fieldRect);
}

void LayoutBuilder::Own(ControlId id, ItemKind kind, std::string_view text, DluRect rect, uint16_t flags) {
    if (kind == ItemKind::DropList) rect.h = kDropHeight;
    Add(kind, text, rect, flags, astrelle::Own(id), Part::Main);
}

void LayoutBuilder::OwnLabel(ControlId id, std::string_view text, DluRect rect) {
    Add(ItemKind::Label, text, rect, kNoFlags, astrelle::Own(id), Part::Label);
}

void LayoutBuilder::Decoration(ItemKind kind, std::string_view text, DluRect rect, uint16_t flags) {
    Add(kind, text, rect, flags, Control{}, Part::Decoration);
}

}  // namespace astrelle::win32
