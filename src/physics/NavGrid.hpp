#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

class BoxCollisionComponent;

// The level's walls as the dogs know them: the solid "border" and "borderOutside" boxes of the moment, and a
// grid at the map's tile size in which a cell touched by such a box is blocked. The dogs look through it
// (a wall hides what is behind it) and find their way on it. Rebuilt whole when the walls switch between
// outside and inside; the version tells a planned path that it is out of date. Each rebuild also numbers the
// regions of free cells a dog can walk between, so a goal out of reach is known without a search.
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

    bool contains(sf::Vector2i cell) const {
        return cell.x >= 0 && cell.y >= 0 && cell.x < cells.x && cell.y < cells.y;
    }
    // Cells outside the map are blocked for walking.
    bool blocked(sf::Vector2i cell) const { return regionOf(cell) == 0; }
    // The region of a free cell: two free cells share one exactly when a dog can walk from one to the other
    // through free cells, never cutting a blocked corner (a step the Pathfinder can take keeps to a region).
    // 0 for a blocked cell.
    std::uint32_t regionOf(sf::Vector2i cell) const { return contains(cell) ? regions[indexOf(cell)] : 0; }
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
    void indexWalls();
    void numberRegions();

    sf::Vector2i cells{0, 0};
    sf::Vector2f size{16.0f, 16.0f};
    std::vector<sf::FloatRect> walls;
    // Per cell, the walls that touch it, so a line tests only the walls along its way: those of cell i are
    // wallsByCell[firstWall[i]] up to wallsByCell[firstWall[i + 1]]. One flat list keeps the largest map's
    // grid small and quick to rebuild.
    std::vector<std::size_t> firstWall;
    std::vector<std::uint32_t> wallsByCell;
    std::vector<std::uint32_t> regions;
    std::size_t builds = 0;
};
