// What the logic of a dialog asks of its view, and what a view reports back. A view is
// only controls: it shows what it is told and reports what the user did, and every rule
// lives in the logic. Controls are named by Control (control.h); a Win32 view implements
// these calls over dialog items, the Qt views over widgets, the tests over a map.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ui/logic/control.h"

namespace astrelle {

class EngineHost;
class PixelSurface;

enum class DialogResult : uint8_t { Accepted, Rejected };

class DialogView {
  public:
    virtual ~DialogView() = default;

    // The text of a field, or the caption of a button, a frame or the window.
    virtual void SetText(const Control& control, std::string_view text) = 0;
    virtual std::string Text(const Control& control) const = 0;
    virtual void SelectAllText(const Control& control) = 0;

    virtual void SetChecked(const Control& control, bool checked) = 0;
    virtual bool Checked(const Control& control) const = 0;

    // Lists and drop-down lists: the entries, one entry rewritten, the chosen entry (-1 for
    // none), and the marks of a list that takes several.
    virtual void FillList(const Control& control, std::span<const std::string> entries) = 0;
    virtual void SetListEntry(const Control& control, int index, std::string_view text) = 0;
    virtual void Select(const Control& control, int index) = 0;
    virtual int Selected(const Control& control) const = 0;
    virtual void SetMarked(const Control& control, int index, bool marked) = 0;
    virtual bool Marked(const Control& control, int index) const = 0;
    virtual void ScrollToTop(const Control& control) = 0;

    // Any control (a field together with its label); for a set of pages, the page shown.
    virtual void Enable(const Control& control, bool enabled) = 0;
    virtual void Focus(const Control& control) = 0;
    virtual void ShowPage(const Control& pages, int index) = 0;

    // Pictures: a plain colour (for a field, its text colour), a run of colours, and the
    // pictogram of a shape profile (0..6, -1 for none). Colours are packed 0x00BBGGRR.
    virtual void SetColour(const Control& control, uint32_t colour) = 0;
    virtual void SetRamp(const Control& control, std::span<const uint32_t> colours) = 0;
    virtual void SetProfile(const Control& control, int profile) = 0;

    // Answers to the user: a message box (exclamation icon, title "Astrelle", OK), a
    // question with Yes and No (question icon, No the default) and the beep.
    virtual void ShowMessage(std::string_view text) = 0;
    [[nodiscard]] virtual bool AskYesNo(std::string_view question) = 0;
    virtual void Beep() = 0;

    virtual void Close(DialogResult result) = 0;
};

// What a view reports: plain calls from its event handlers (a Win32 dialog procedure makes
// them from WM_COMMAND, EN_SETFOCUS and its subclassed fields). Each dialog's logic takes
// the ones it needs.
class DialogEvents {
  public:
    virtual ~DialogEvents() = default;

    // The keyboard focus entered or left a text field. Leaving by moving to another window
    // or into a menu is not leaving.
    virtual void OnFocusEntered(const Control&) {}
    virtual void OnFocusLeft(const Control&) {}
    // A character typed into a field, before the field takes it: false swallows it.
    // Editing keys (backspace, shortcuts, navigation) are not reported.
    virtual bool OnKeyTyped(const Control&, char32_t, std::string_view /*text*/,
                            std::string_view /*selection*/) {
        return true;
    }
    // Up (+1) or Down (-1) in a field; false when the field does not take the arrows.
    virtual bool OnArrowKey(const Control&, int /*direction*/) { return false; }
    // The user changed a field's text (typing, pasting, its spinner).
    virtual void OnEdited(const Control&) {}
    virtual void OnChecked(const Control&) {}
    // The user chose an entry of a list or drop-down list (-1: the choice was cleared).
    virtual void OnListChosen(const Control&, int /*index*/) {}
    virtual void OnListDoubleClicked(const Control&, int /*index*/) {}
    virtual void OnButton(const Control&) {}
};

// A picture that a preview draws into: the surface, the host that paces its frames (and
// presents the surface in every pass over the window events), sized to the picture.
class PreviewTarget {
  public:
    virtual ~PreviewTarget() = default;
    virtual EngineHost& Host() = 0;
    virtual PixelSurface& Surface() = 0;
    // Sizes the surface to the picture and clears it.
    virtual void FitSurface() = 0;
    // Shows what has been drawn.
    virtual void Present() = 0;
};

}  // namespace astrelle
