// Mouse-movement counting of the full-screen saver.
#include "shell/logic/mouse_moves.h"

#include "settings/rounding.h"

namespace astrelle {

bool MouseMoveCounter::OnMove(double secondsSinceMidnight) {
    // The count is tested before the time, so three quick moves, a long pause and one
    // more still close the saver: the pause is only noticed after the fourth move.
    ++moveCount_;
    const bool close = moveCount_ == kMovesToClose;
    if (moveStartTime_ == 0) {
        int32_t start = 0;
        if (TryRoundToInt32(secondsSinceMidnight, start)) moveStartTime_ = start;
    } else if (secondsSinceMidnight - moveStartTime_ > kWindowSeconds) {
        moveStartTime_ = 0;
        moveCount_ = 0;
    }
    return close;
}

}  // namespace astrelle
