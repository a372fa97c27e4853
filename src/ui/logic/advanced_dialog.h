// The advanced settings dialog ("Advanced Settings") as plain logic: the frame delay, the
// lock message's font, size and hue, whether the saver window may be resized, and the lock
// message text that the properties dialog holds. OK writes the five "Advanced" values as
// the fields show them (a value typed and saved without leaving its field is stored as
// typed; whoever reads it holds it to its range) and hands the message back; Cancel
// changes nothing.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/logic/dialog_view.h"
#include "ui/logic/field_rules.h"

namespace astrelle {

class SettingsStore;

class AdvancedView : public DialogView {
  public:
    // The screen's font families, in the platform's order.
    virtual std::vector<std::string> FontNames() const = 0;
    // The font family a field shows its text in (the message sample).
    virtual void SetFont(const Control& control, std::string_view family) = 0;
};

class AdvancedDialog : public DialogEvents {
  public:
    AdvancedDialog(AdvancedView& view, SettingsStore& store);

    static std::span<const FieldRow> Rows();

    // Fills the font list and reads the "Advanced" values (the used-when-missing texts
    // where nothing is stored) and the properties dialog's message text.
    void Load(std::string_view message);
    // Writes the five values as the fields show them, in one batch.
    void Save();
    std::string Message() const;
    // The used-when-missing values in the fields; nothing is stored.
    void RestoreDefaults();

    void OnFocusEntered(const Control& control) override;
    void OnFocusLeft(const Control& control) override;
    bool OnKeyTyped(const Control& control, char32_t key, std::string_view text,
                    std::string_view selection) override;
    bool OnArrowKey(const Control& control, int direction) override;
    void OnEdited(const Control& control) override;
    void OnListChosen(const Control& control, int index) override;
    void OnButton(const Control& control) override;

  private:
    void SelectFont(std::string_view name);
    void ShowHue();

    AdvancedView& view_;
    SettingsStore& store_;
    FieldRules fields_;
    std::vector<std::string> fonts_;
};

}  // namespace astrelle
