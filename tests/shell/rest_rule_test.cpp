// The rest rule: which window and display states stop the frames, and how often the states
// that send no event are asked.
#include "shell/logic/rest_rule.h"

#include <gtest/gtest.h>

namespace astrelle {
namespace {

TEST(RestRule, RestsWhileCoveredUnmappedHiddenOrPoweredDown) {
    struct Row {
        WindowView view;
        DisplayPower power;
        bool viewable;
        bool resting;
    };
    const Row rows[] = {
        {WindowView::Unknown, DisplayPower::Unknown, true, false},  // nothing heard: draw
        {WindowView::Visible, DisplayPower::On, true, false},
        {WindowView::Covered, DisplayPower::On, true, true},
        {WindowView::Unmapped, DisplayPower::Unknown, true, true},
        {WindowView::Visible, DisplayPower::On, false, true},  // a window around it unmapped
        {WindowView::Visible, DisplayPower::Standby, true, true},
        {WindowView::Visible, DisplayPower::Suspend, true, true},
        {WindowView::Unknown, DisplayPower::Off, true, true},
    };
    for (const Row& row : rows) {
        RestRule rule;
        rule.SetView(row.view);
        rule.SetPower(row.power);
        rule.SetViewable(row.viewable);
        EXPECT_EQ(rule.Resting(), row.resting)
            << static_cast<int>(row.view) << " " << static_cast<int>(row.power) << " " << row.viewable;
    }
}

TEST(RestRule, AsksRarelyWhileDrawingAndAtEveryWakeWhileRestingAcrossTheClockWrap) {
    RestRule rule;
    const uint32_t start = 0xFFFFFFFFu - 700u;  // the clock wraps during the test
    EXPECT_TRUE(rule.PollDue(start));           // the first time always
    rule.Polled(start);
    EXPECT_FALSE(rule.PollDue(start + RestRule::kRestWakeMs));
    EXPECT_FALSE(rule.PollDue(start + RestRule::kPollMs - 1));
    EXPECT_TRUE(rule.PollDue(start + RestRule::kPollMs));
    rule.SetPower(DisplayPower::Off);
    // Resting: a wake that comes a little early still asks, so the display coming back on
    // is seen within a wake or two.
    EXPECT_FALSE(rule.PollDue(start + RestRule::kRestingPollMs - 1));
    EXPECT_TRUE(rule.PollDue(start + RestRule::kRestWakeMs - 50));
    rule.Polled(start + RestRule::kRestWakeMs);
    EXPECT_FALSE(rule.PollDue(start + RestRule::kRestWakeMs + 10));
    EXPECT_TRUE(rule.PollDue(start + 2 * RestRule::kRestWakeMs));
}

}  // namespace
}  // namespace astrelle
