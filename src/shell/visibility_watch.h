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

// What the watch asks the server, because no event announces it.
class ServerQuestions {
  public:
    virtual ~ServerQuestions() = default;
    virtual x11::PowerLevel DisplayPower() = 0;
    // Whether the window and every window around it are mapped.
    virtual bool Viewable(x11::WindowId window) = 0;
};

// The saver's own connection answers them.
class ConnectionQuestions final : public ServerQuestions {
  public:
    explicit ConnectionQuestions(x11::Connection* connection) : connection_(connection) {}
    x11::PowerLevel DisplayPower() override { return connection_->DisplayPower(); }
    bool Viewable(x11::WindowId window) override { return connection_->Viewable(window); }

  private:
    x11::Connection* connection_;
};

class VisibilityWatch {
  public:
    // drawn: the window drawn in; outer: the window it fills (the preview box), or drawn.
    VisibilityWatch(x11::Connection& connection, x11::WindowId drawn, x11::WindowId outer)
        : ownQuestions_(&connection), questions_(ownQuestions_), drawn_(drawn), outer_(outer) {}
    // The same, asking questions instead of a connection (a display without power
    // management cannot show the powered-down case).
    VisibilityWatch(ServerQuestions& questions, x11::WindowId drawn, x11::WindowId outer)
        : ownQuestions_(nullptr), questions_(questions), drawn_(drawn), outer_(outer) {}
    VisibilityWatch(const VisibilityWatch&) = delete;
    VisibilityWatch& operator=(const VisibilityWatch&) = delete;

    // Takes note of an event; events of other windows are ignored.
    void OnEvent(const x11::WindowEvent& e);
    // True while nobody can see the window; asks for the power state when it is due.
    bool Unseen(uint32_t nowMs);
    const RestRule& Rule() const { return rule_; }

  private:
    ConnectionQuestions ownQuestions_;
    ServerQuestions& questions_;
    x11::WindowId drawn_;
    x11::WindowId outer_;
    bool drawnMapped_ = true;
    bool outerMapped_ = true;
    RestRule rule_;
};

}  // namespace astrelle
