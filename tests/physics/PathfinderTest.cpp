#include "physics/Pathfinder.hpp"

#include <gtest/gtest.h>

namespace {
const sf::Vector2f kBody{15.0f, 15.0f};

TEST(PathfinderTest, WaysGoRoundWallsNeverThroughACornerAndAGoalOutOfReachCostsNoMoreThanTheBudget) {
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

    // A goal out of reach costs no search: a closed room of 4 x 4 cells in a field of a million.
    NavGrid field({1000, 1000}, {16, 16});
    field.rebuild(std::vector<sf::FloatRect>{
        {160, 160, 96, 16}, {160, 240, 96, 16}, {160, 176, 16, 64}, {240, 176, 16, 64}});
    EXPECT_NE(field.regionOf({12, 12}), field.regionOf({5, 5}));
    EXPECT_EQ(field.regionOf({500, 900}), field.regionOf({5, 5}));
    EXPECT_TRUE(finder.find(field, {88, 88}, {200, 200}, kBody).empty());
    EXPECT_EQ(finder.nodesExpanded(), 0u) << "the room is known closed without a search";

    // A far one costs no more than the budget: a lane winding up and down a 200 x 200 field, from one end
    // the other some 20,000 cells away.
    NavGrid winding({200, 200}, {16, 16});
    std::vector<sf::FloatRect> walls;
    for (int x = 1; x < 200; x += 2) {
        walls.emplace_back(x * 16.0f, x % 4 == 1 ? 16.0f : 0.0f, 16.0f, 199 * 16.0f);
    }
    winding.rebuild(walls);
    const sf::Vector2f start = winding.centreOf({0, 0});
    EXPECT_EQ(winding.regionOf({0, 0}), winding.regionOf({198, 0}));
    EXPECT_TRUE(finder.find(winding, start, winding.centreOf({198, 0}), kBody).empty());
    EXPECT_EQ(finder.nodesExpanded(), Pathfinder::kNodeBudget) << "given up at the budget";
    const auto near = finder.find(winding, start, winding.centreOf({20, 0}), kBody);
    ASSERT_FALSE(near.empty());
    EXPECT_EQ(near.back(), winding.centreOf({20, 0}));
    EXPECT_LT(finder.nodesExpanded(), Pathfinder::kNodeBudget);
}
} // namespace
