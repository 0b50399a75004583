#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstddef>
#include <list>
#include <memory>
#include <vector>

class BoxCollisionComponent;

// The level's walls as the dogs know them: the solid "border" and "borderOutside" boxes of the moment, and a
// grid at the map's tile size in which a cell touched by such a box is blocked. The dogs look through it
// (a wall hides what is behind it) and find their way on it. Rebuilt whole when the walls switch between
// outside and inside; the version tells a planned path that it is out of date.
class NavGrid {
public:
    // An empty grid: nothing is blocked and every line is clear.
    NavGrid() = default;
    NavGrid(sf::Vector2i cellCount, sf::Vector2f cellSize);

    // Takes the solid walls among `colliders` as they are now; the cells outside the map stay free.
    void rebuild(const std::list<std::shared_ptr<BoxCollisionComponent>>& colliders);
    // The same from plain boxes in map pixels.
    void rebuild(const std::vector<sf::FloatRect>& solidWalls);

    // True when the straight line from `a` to `b` crosses the inside of no solid wall (touching an edge is
    // not crossing).
    bool lineIsClear(sf::Vector2f a, sf::Vector2f b) const;
    // True when a box of `bodySize` centred on the line from `a` to `b` stays in free cells all the way (a
    // box half a pixel larger is tested, so the body should be a little smaller than the gaps it uses).
    bool bodyCanWalk(sf::Vector2f a, sf::Vector2f b, sf::Vector2f size) const;
    bool boxIsFree(sf::FloatRect box) const;

    bool contains(sf::Vector2i cell) const;
    // Cells outside the map are blocked for walking.
    bool blocked(sf::Vector2i cell) const;
    sf::Vector2i cellOf(sf::Vector2f point) const;
    sf::Vector2f centreOf(sf::Vector2i cell) const;
    sf::Vector2i cellCount() const { return cells; }
    sf::Vector2f cellSize() const { return size; }
    // Changes at every rebuild, never back to an earlier value.
    std::size_t version() const { return builds; }

private:
    std::size_t indexOf(sf::Vector2i cell) const {
        return static_cast<std::size_t>(cell.y) * static_cast<std::size_t>(cells.x) +
               static_cast<std::size_t>(cell.x);
    }
    bool cellWallsCross(sf::Vector2i cell, sf::Vector2f a, sf::Vector2f b) const;

    sf::Vector2i cells{0, 0};
    sf::Vector2f size{16.0f, 16.0f};
    std::vector<sf::FloatRect> walls;
    // Per cell, the walls that touch it, so a line tests only the walls along its way.
    std::vector<std::vector<std::size_t>> wallsInCell;
    std::size_t builds = 0;
};
