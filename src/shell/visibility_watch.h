// VisibilityWatch: whether anyone can see the X11 window the saver draws in, from the map,
// unmap and visibility events of the window (and of the box around it, for the preview), and
// from what the server announces to nobody (the display's power, a window hidden with its
// parent), asked at the pace the rest rule sets. The saver windows feed it their events.
#pragma once

#include <cstdint>

#include "platform/x11/x11_display.h"
#include "shell/logic/rest_rule.h"

namespace astrelle {

// The rest rule's name for a power level of the X11 layer.
DisplayPower ToDisplayPower(x11::PowerLevel level);

class VisibilityWatch {
  public:
    // drawn: the window drawn in; outer: the window it fills (the preview box), or drawn.
    VisibilityWatch(x11::Connection& connection, x11::WindowId drawn, x11::WindowId outer)
        : connection_(connection), drawn_(drawn), outer_(outer) {}

    // Takes note of an event; events of other windows are ignored.
    void OnEvent(const x11::WindowEvent& e);
    // True while nobody can see the window; asks for the power state when it is due.
    bool Unseen(uint32_t nowMs);
    const RestRule& Rule() const { return rule_; }

  private:
    x11::Connection& connection_;
    x11::WindowId drawn_;
    x11::WindowId outer_;
    bool drawnMapped_ = true;
    bool outerMapped_ = true;
    RestRule rule_;
};

}  // namespace astrelle
