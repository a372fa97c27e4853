// Points gathered by colour for the presenter (plain C++, no display needed).
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "platform/x11/point_groups.h"

namespace astrelle::x11 {
namespace {

using Taken = std::map<uint32_t, std::vector<std::pair<int, int>>>;

Taken TakeAll(PointGroups& groups, std::vector<uint32_t>* order = nullptr) {
    Taken taken;
    groups.Take([&](uint32_t pixel, PointGroups::Point* points, int count) {
        EXPECT_EQ(taken.count(pixel), 0u) << "colour " << pixel << " came twice";
        for (int i = 0; i < count; ++i) taken[pixel].push_back({points[i].x, points[i].y});
        if (order) order->push_back(pixel);
    });
    return taken;
}

TEST(PointGroups, EveryColourComesOnceWithItsPointsInOrder) {
    PointGroups groups;
    Taken expected;
    std::vector<uint32_t> firstSeen;
    // Many colours, interleaved, so that the table's cells collide and probe.
    for (int i = 0; i < 3000; ++i) {
        const uint32_t pixel = static_cast<uint32_t>((i * 7919) % 900) * 0x010101u;
        const auto x = static_cast<int16_t>(i % 1000), y = static_cast<int16_t>(i / 1000);
        ASSERT_TRUE(groups.Add(x, y, pixel));
        if (expected.count(pixel) == 0) firstSeen.push_back(pixel);
        expected[pixel].push_back({x, y});
    }
    EXPECT_EQ(groups.Size(), 3000);
    std::vector<uint32_t> order;
    EXPECT_EQ(TakeAll(groups, &order), expected);
    EXPECT_EQ(order, firstSeen);
    EXPECT_TRUE(groups.Empty());
    // The next batch starts afresh: no colour of the last one is left over.
    ASSERT_TRUE(groups.Add(1, 2, 0x010101u));
    EXPECT_EQ(TakeAll(groups), (Taken{{0x010101u, {{1, 2}}}}));
}

TEST(PointGroups, AFullBatchRefusesUntilTaken) {
    PointGroups groups;
    for (int i = 0; i < PointGroups::kMaxColours; ++i)
        ASSERT_TRUE(groups.Add(0, 0, static_cast<uint32_t>(i)));
    EXPECT_FALSE(groups.Add(0, 0, 0xABCDEFu));  // one colour too many
    EXPECT_TRUE(groups.Add(1, 1, 5u));          // a known colour still fits
    while (groups.Size() < PointGroups::kCapacity) ASSERT_TRUE(groups.Add(2, 2, 7u));
    EXPECT_FALSE(groups.Add(3, 3, 7u));  // one point too many
    const Taken taken = TakeAll(groups);
    EXPECT_EQ(taken.size(), static_cast<size_t>(PointGroups::kMaxColours));
    EXPECT_EQ(taken.at(5u).size(), 2u);
    EXPECT_EQ(taken.count(0xABCDEFu), 0u);
    EXPECT_TRUE(groups.Add(0, 0, 0xABCDEFu));
}

}  // namespace
}  // namespace astrelle::x11
