// The mouse-movement rule of the full-screen saver.
#include "shell/logic/mouse_moves.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace astrelle {
namespace {

// Feeds moves at the given seconds since midnight; true when the last one asked to close.
bool Moves(MouseMoveCounter& c, std::initializer_list<double> times) {
    bool closes = false;
    for (double t : times) closes = c.OnMove(t);
    return closes;
}

TEST(MouseMoves, TheFourthMoveWithinTenSecondsCloses) {
    MouseMoveCounter c;
    EXPECT_FALSE(Moves(c, {3600.1, 3600.2, 3600.3}));
    EXPECT_TRUE(Moves(c, {3600.4}));
    EXPECT_FALSE(Moves(c, {3600.5}));  // a fifth move does not ask again
    // The count is tested before the time: three moves, a long pause and one more close,
    // and the pause resets the count afterwards.
    MouseMoveCounter late;
    EXPECT_TRUE(Moves(late, {1000.0, 1000.1, 1000.2, 1030.0}));
    EXPECT_EQ(late.MoveCount(), 0);
}

TEST(MouseMoves, APauseOfMoreThanTenSecondsFromTheRoundedStartForgetsTheCount) {
    MouseMoveCounter c;
    EXPECT_FALSE(Moves(c, {500.0, 511.0}));  // 11 s later: count and start go back to 0
    EXPECT_EQ(c.MoveCount(), 0);
    EXPECT_EQ(c.MoveStartTime(), 0);
    EXPECT_TRUE(Moves(c, {512.0, 512.1, 512.2, 512.3}));

    MouseMoveCounter edge;
    Moves(edge, {200.4, 210.0});  // the start rounds to 200; exactly 10 s later is kept
    EXPECT_EQ(edge.MoveCount(), 2);
    Moves(edge, {210.01});
    EXPECT_EQ(edge.MoveCount(), 0);
    for (auto [t, start] : {std::pair{200.5, 200}, {201.5, 202}}) {  // halves to even
        MouseMoveCounter half;
        half.OnMove(t);
        EXPECT_EQ(half.MoveStartTime(), start);
    }
}

}  // namespace
}  // namespace astrelle
