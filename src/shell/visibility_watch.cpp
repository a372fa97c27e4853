// Map, unmap and visibility events and the display's power state, for the rest rule.
#include "shell/visibility_watch.h"

namespace astrelle {

DisplayPower ToDisplayPower(x11::PowerLevel level) {
    switch (level) {
        case x11::PowerLevel::On:
            return DisplayPower::On;
        case x11::PowerLevel::Standby:
            return DisplayPower::Standby;
        case x11::PowerLevel::Suspend:
            return DisplayPower::Suspend;
        case x11::PowerLevel::Off:
            return DisplayPower::Off;
        case x11::PowerLevel::Unknown:
            break;
    }
    return DisplayPower::Unknown;
}

void VisibilityWatch::OnEvent(const x11::WindowEvent& e) {
    if (e.window != drawn_ && e.window != outer_) return;
    switch (e.kind) {
        case x11::WindowEvent::Kind::Mapped:
        case x11::WindowEvent::Kind::Unmapped: {
            const bool mapped = e.kind == x11::WindowEvent::Kind::Mapped;
            if (e.window == drawn_) drawnMapped_ = mapped;
            if (e.window == outer_) outerMapped_ = mapped;
            if (!drawnMapped_ || !outerMapped_) {
                rule_.SetView(WindowView::Unmapped);
            } else {
                // Shown (again); the server reports the visibility that follows. A window
                // shown after the last poll found it hidden is viewable now, at least as far
                // as the windows we hear about go.
                if (rule_.View() == WindowView::Unmapped) rule_.SetView(WindowView::Unknown);
                rule_.SetViewable(true);
            }
            break;
        }
        case x11::WindowEvent::Kind::Visibility:
            // The drawn window's own visibility: a preview box covered covers it too.
            if (e.window == drawn_ && drawnMapped_ && outerMapped_) {
                rule_.SetView(e.visibility == x11::WindowEvent::Visibility::FullyObscured
                                  ? WindowView::Covered
                                  : WindowView::Visible);
            }
            break;
        default:
            break;
    }
}

bool VisibilityWatch::Unseen(uint32_t nowMs) {
    if (rule_.PollDue(nowMs)) {
        rule_.SetPower(ToDisplayPower(questions_.DisplayPower()));
        // A window around ours unmapped (a minimised dialog holding the preview box) hides
        // it without a word to us.
        rule_.SetViewable(questions_.Viewable(drawn_));
        rule_.Polled(nowMs);
    }
    return rule_.Resting();
}

}  // namespace astrelle
