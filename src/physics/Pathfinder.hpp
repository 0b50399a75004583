#pragma once

#include "physics/NavGrid.hpp"

#include <SFML/System/Vector2.hpp>
#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

// Finds a walking route on a NavGrid: A* over the eight neighbours of a cell, never cutting a blocked
// corner, then smoothed by dropping every turn a body can walk past in a straight line. A goal in another
// region of the grid costs no search, a search looks at no more than kNodeBudget cells and the smoothing
// tests no more than kSmoothingBudget pixels of line, so a call costs a bounded amount whatever the map's
// size. The grid must outlive the call only.
class Pathfinder {
public:
    // More cells than a level of the game's own size has, so there the budget never cuts a search short.
    static constexpr std::size_t kNodeBudget = 8192;
    // Pixels of straight legs tested while smoothing, more than twice what any way on the game's own levels
    // takes; past it the route keeps the rest of its cells as they are.
    static constexpr float kSmoothingBudget = 131072.0f;

    // Points for the centre of a body of `bodySize`, from `from` (left out) to `to` (the last point); empty
    // when there is no way, or none found within the budget. A start in a blocked cell leaves by the nearest
    // free neighbour; an end in a blocked cell ends in the nearest free one.
    std::vector<sf::Vector2f> find(const NavGrid& grid, sf::Vector2f from, sf::Vector2f to,
                                   sf::Vector2f bodySize);
    // How many cells the last find() took from A*'s open list: the measure of its work, at most kNodeBudget.
    std::size_t nodesExpanded() const { return expanded; }

private:
    bool search(const NavGrid& grid, sf::Vector2i start, sf::Vector2i goal);
    std::vector<sf::Vector2f> smoothed(const NavGrid& grid, sf::Vector2f from, sf::Vector2f to,
                                       sf::Vector2f bodySize, sf::Vector2i start, sf::Vector2i goal) const;

    struct Node {
        float cost;
        int cameFrom;
        bool closed;
    };
    // Only the cells a search reaches, so clearing them costs what the search did, not the map's size; kept
    // between calls so a search seldom allocates.
    std::unordered_map<int, Node> nodes;
    std::vector<std::pair<float, int>> open; // estimated total, cell index: a heap, cheapest on top
    std::size_t expanded = 0;
};
