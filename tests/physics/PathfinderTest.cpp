#include "physics/Pathfinder.hpp"

#include <gtest/gtest.h>

namespace {
const sf::Vector2f kBody{15.0f, 15.0f};

TEST(PathfinderTest, WaysGoRoundWallsNeverThroughACornerAndStraightWhereTheyCan) {
    NavGrid grid({10, 10}, {16, 16});
    // Two cells touching only at a corner: the way may not squeeze between them.
    grid.rebuild(std::vector<sf::FloatRect>{{64, 64, 16, 16}, {80, 80, 16, 16}});
    EXPECT_TRUE(grid.blocked({4, 4}) && grid.blocked({5, 5}) && !grid.blocked({4, 5}));
    Pathfinder finder;
    const auto open = finder.find(grid, {8, 8}, {152, 8}, kBody);
    ASSERT_EQ(open.size(), 1u) << "one straight leg in the open";
    EXPECT_EQ(open.back(), sf::Vector2f(152, 8));

    const auto round = finder.find(grid, grid.centreOf({5, 4}), grid.centreOf({4, 5}), kBody);
    ASSERT_FALSE(round.empty());
    sf::Vector2f from = grid.centreOf({5, 4});
    for (const sf::Vector2f& point : round) {
        EXPECT_TRUE(grid.bodyCanWalk(from, point, kBody)) << point.x << ", " << point.y;
        from = point;
    }
    EXPECT_GT(round.size(), 1u) << "round the pair, not through their corner";

    grid.rebuild(std::vector<sf::FloatRect>{{0, 64, 160, 16}}); // a wall right across
    EXPECT_TRUE(finder.find(grid, {8, 8}, {8, 150}, kBody).empty());
    EXPECT_FALSE(grid.lineIsClear({8, 8}, {8, 150}));
    EXPECT_TRUE(grid.lineIsClear({0, 64}, {160, 64})) << "along a wall's edge is not through it";
}
} // namespace
