// The rest rule: covered, unmapped, hidden or powered down means no frames.
#include "shell/logic/rest_rule.h"

namespace astrelle {

bool RestRule::Resting() const {
    if (view_ == WindowView::Covered || view_ == WindowView::Unmapped || !viewable_) return true;
    return power_ == DisplayPower::Standby || power_ == DisplayPower::Suspend || power_ == DisplayPower::Off;
}

bool RestRule::PollDue(uint32_t nowMs) const {
    if (!polled_) return true;
    // While resting every wake asks: a state coming back may be what ends the rest.
    const uint32_t interval = Resting() ? kRestingPollMs : kPollMs;
    return nowMs - lastPoll_ >= interval;  // unsigned: right across the clock's wrap
}

void RestRule::Polled(uint32_t nowMs) {
    polled_ = true;
    lastPoll_ = nowMs;
}

}  // namespace astrelle
