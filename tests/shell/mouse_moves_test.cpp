// The mouse-movement rule of the full-screen saver.
#include "shell/logic/mouse_moves.h"

#include <gtest/gtest.h>

namespace astrelle {
namespace {

TEST(MouseMoves, FourQuickMovesCloseAndThreeDoNot) {
    MouseMoveCounter c;
    EXPECT_FALSE(c.OnMove(3600.1));
    EXPECT_FALSE(c.OnMove(3600.2));
    EXPECT_FALSE(c.OnMove(3600.3));
    EXPECT_TRUE(c.OnMove(3600.4));
    // A fifth move does not ask again; the count only closes on reaching four.
    EXPECT_FALSE(c.OnMove(3600.5));
}

TEST(MouseMoves, ThreeMovesALongPauseAndOneMoreStillClose) {
    // The count is tested before the time.
    MouseMoveCounter c;
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(c.OnMove(1000.0 + i * 0.1));
    EXPECT_TRUE(c.OnMove(1030.0));
    EXPECT_EQ(c.MoveCount(), 0);  // and the pause resets the count afterwards
}

TEST(MouseMoves, APauseOfMoreThanTenSecondsForgetsTheCount) {
    MouseMoveCounter c;
    EXPECT_FALSE(c.OnMove(500.0));
    EXPECT_FALSE(c.OnMove(511.0));  // 11 s later: count and start go back to 0
    EXPECT_EQ(c.MoveCount(), 0);
    EXPECT_EQ(c.MoveStartTime(), 0);
    EXPECT_FALSE(c.OnMove(512.0));
    EXPECT_FALSE(c.OnMove(512.1));
    EXPECT_FALSE(c.OnMove(512.2));
    EXPECT_TRUE(c.OnMove(512.3));
}

TEST(MouseMoves, ExactlyTenSecondsIsNotAReset) {
    MouseMoveCounter c;
    c.OnMove(200.4);  // start rounds to 200
    c.OnMove(210.0);  // 10.0 later: kept
    EXPECT_EQ(c.MoveCount(), 2);
    c.OnMove(210.01);  // just over ten seconds after the rounded start: reset
    EXPECT_EQ(c.MoveCount(), 0);
}

TEST(MouseMoves, TheStartTimeRoundsHalfToEven) {
    MouseMoveCounter a;
    a.OnMove(200.5);
    EXPECT_EQ(a.MoveStartTime(), 200);
    MouseMoveCounter b;
    b.OnMove(201.5);
    EXPECT_EQ(b.MoveStartTime(), 202);
    // Spread-out single moves never add up to four.
    MouseMoveCounter spread;
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(spread.OnMove(100.0 + i * 11.0));
}

}  // namespace
}  // namespace astrelle
