#pragma once

#include "physics/NavGrid.hpp"

#include <SFML/System/Vector2.hpp>
#include <vector>

// Finds a walking route on a NavGrid: A* over the eight neighbours of a cell, never cutting a blocked
// corner, then smoothed by dropping every turn a body can walk past in a straight line. The grid must
// outlive the call only.
class Pathfinder {
public:
    // Points for the centre of a body of `bodySize`, from `from` (left out) to `to` (the last point); empty
    // when there is no way. A start in a blocked cell leaves by the nearest free neighbour; an end in a
    // blocked cell ends in the nearest free one.
    std::vector<sf::Vector2f> find(const NavGrid& grid, sf::Vector2f from, sf::Vector2f to,
                                   sf::Vector2f bodySize);

private:
    bool search(const NavGrid& grid, sf::Vector2i start, sf::Vector2i goal);
    std::vector<sf::Vector2f> smoothed(const NavGrid& grid, sf::Vector2f from, sf::Vector2f to,
                                       sf::Vector2f bodySize, sf::Vector2i start, sf::Vector2i goal) const;

    // Kept between calls so a search allocates nothing once the grid's size is known.
    std::vector<float> cost;
    std::vector<int> cameFrom;
    std::vector<char> closed;
};
