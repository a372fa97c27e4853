// The saver's rule for mouse movement: the fourth counted movement closes it, and a count
// is forgotten when more than ten seconds passed since its first movement. Kept apart from
// the window so the rule's corner cases (the count is tested before the time) are tested.
#pragma once

#include <cstdint>

namespace astrelle {

class MouseMoveCounter {
  public:
    static constexpr int32_t kMovesToClose = 4;
    static constexpr double kWindowSeconds = 10.0;

    // One movement event at the given local time (seconds since midnight, with fraction).
    // Returns true when this movement asks the saver to close.
    bool OnMove(double secondsSinceMidnight);

    int32_t MoveCount() const { return moveCount_; }
    int32_t MoveStartTime() const { return moveStartTime_; }

  private:
    int32_t moveCount_ = 0;
    int32_t moveStartTime_ = 0;  // whole seconds of the first counted movement, 0 when none
};

}  // namespace astrelle
