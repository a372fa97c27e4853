// The Win32 view of the advanced settings dialog ("Advanced Settings"): the frame delay, the
// lock message's text, font, size and hue, and the resizable window; its rules are the
// logic's (AdvancedDialog).
#pragma once

#include <string>
#include <vector>

#include "ui/logic/advanced_dialog.h"
#include "ui/win32/win32_view.h"

namespace astrelle::win32 {

class AdvancedWindowView final : public Win32View<AdvancedView> {
  public:
    AdvancedWindowView();

    // AdvancedView
    std::vector<std::string> FontNames() const override;
    void SetFont(const Control& control, std::string_view family) override;

  protected:
    HBRUSH OnItemColours(int item, HDC dc) override;
    void OnCancel() override;
};

}  // namespace astrelle::win32
