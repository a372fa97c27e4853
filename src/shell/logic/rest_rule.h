// When the saver rests: nobody can see its window (fully covered, unmapped, hidden with a
// window around it) or the display is powered down. Resting draws and presents nothing and
// wakes only a few times a second. What the window system tells comes in here; the decision
// and the pace of the questions that cost a round trip to the server go out. Kept apart from
// X11 so that it is tested headless.
#pragma once

#include <cstdint>

namespace astrelle {

// What the window's own events said last.
enum class WindowView : uint8_t {
    Unknown,  // nothing heard yet: the window counts as seen
    Visible,  // wholly or partly on screen
    Covered,  // fully covered by other windows
    Unmapped  // taken off the screen (minimised, hidden)
};

enum class DisplayPower : uint8_t {
    Unknown,  // no power management to ask (the display counts as on)
    On,
    Standby,
    Suspend,
    Off
};

class RestRule {
  public:
    // While resting the saver wakes this often, to ask what no event announces.
    static constexpr uint32_t kRestWakeMs = 500;
    // Two states send no event when they change: the display's power, and the window being
    // hidden with a window around it (a preview box whose dialog is minimised). They are
    // asked this often while drawing, and at every wake while resting (a little less than a
    // wake, so that timer slack skips none).
    static constexpr uint32_t kPollMs = 2000;
    static constexpr uint32_t kRestingPollMs = kRestWakeMs * 4 / 5;

    void SetView(WindowView view) { view_ = view; }
    void SetPower(DisplayPower power) { power_ = power; }
    // Whether the window is viewable (its windows around it are all mapped).
    void SetViewable(bool viewable) { viewable_ = viewable; }
    WindowView View() const { return view_; }

    // True while frames are not worth drawing.
    bool Resting() const;

    // Whether the polled states should be asked now (nowMs: a monotonic millisecond clock,
    // which may wrap); the first time they always are. Polled records when they were.
    bool PollDue(uint32_t nowMs) const;
    void Polled(uint32_t nowMs);

  private:
    WindowView view_ = WindowView::Unknown;
    DisplayPower power_ = DisplayPower::Unknown;
    bool viewable_ = true;
    bool polled_ = false;
    uint32_t lastPoll_ = 0;
};

}  // namespace astrelle
