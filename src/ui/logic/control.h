// The controls of the dialogs as their logic names them: the field that shows a setting,
// named by the setting's key, or one of a dialog's own controls. A view maps each name to
// its widget or dialog item; the logic never sees a toolkit type.
#pragma once

#include <cstdint>
#include <string_view>
#include <tuple>

namespace astrelle {

enum class ControlId : uint8_t {
    SettingField,  // the field, check box or list of the setting named by Control::key
    Window,        // the dialog's caption

    // Properties dialog: lists and choosers.
    GalaxyTypeList,
    CompositeList,
    MajorType,
    MinorTypes,  // takes several marks
    UniverseTheme,
    UniverseExtras,
    GalaxyTheme,
    GalaxyExtras,
    CopyProperty,
    CopyValue,
    // Buttons.
    GalaxyCommit,
    GalaxyProps,
    GalaxyPreview,
    CompositeCommit,
    CompositePreview,
    CopyToAll,
    AcceptButton,
    DismissButton,
    // Pages: the main pages (universe 0, galaxy 1), the sub-pages of each, and the galaxy
    // page's frame, whose caption names the type being edited.
    MainPages,
    UniversePages,
    GalaxyPages,
    GalaxyFrame,
    // Samples and pictures.
    RedSample,
    GreenSample,
    BlueSample,
    BaseSample,
    GalaxyHueSample,
    UniverseRamp,
    CometRamp,
    UniverseProfilePicture,
    GalaxyProfilePicture,
    PreviewPicture,

    // Advanced settings dialog.
    FontHueSample,
    DefaultsButton,
    OkButton,

    // Template chooser.
    TemplateName,
    TemplateFiles,
    TemplateTypes,
};

// The key refers to text that lives as long as the program (a setting's definition or a
// field table), so a view may keep Controls as they are given.
struct Control {
    ControlId id = ControlId::SettingField;
    std::string_view key;  // the setting's key when id is SettingField, else empty

    friend constexpr bool operator==(const Control&, const Control&) = default;
    friend constexpr bool operator<(const Control& a, const Control& b) {
        return std::tie(a.id, a.key) < std::tie(b.id, b.key);
    }
};

// The field of a setting.
constexpr Control Field(std::string_view key) {
    return Control{ControlId::SettingField, key};
}
// One of a dialog's own controls.
constexpr Control Own(ControlId id) {
    return Control{id, {}};
}

}  // namespace astrelle
