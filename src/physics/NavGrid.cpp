#include "physics/NavGrid.hpp"

#include "map/LevelSchema.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObject.hpp"

#include <algorithm>
#include <cmath>

namespace {
// Boxes that end exactly on a cell's edge do not reach into the next cell.
const float kEdgeSlack = 0.001f;

// The line from a to b passes through the inside of `box`: slab test on the open box.
bool crossesInside(sf::Vector2f a, sf::Vector2f b, const sf::FloatRect& box) {
    double low = 0.0;
    double high = 1.0;
    const double from[2] = {a.x, a.y};
    const double delta[2] = {static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y};
    const double minSide[2] = {box.left, box.top};
    const double maxSide[2] = {static_cast<double>(box.left) + box.width,
                               static_cast<double>(box.top) + box.height};
    for (int axis = 0; axis < 2; ++axis) {
        if (std::abs(delta[axis]) < 1e-12) {
            if (from[axis] <= minSide[axis] || from[axis] >= maxSide[axis]) {
                return false;
            }
            continue;
        }
        double t1 = (minSide[axis] - from[axis]) / delta[axis];
        double t2 = (maxSide[axis] - from[axis]) / delta[axis];
        if (t1 > t2) {
            std::swap(t1, t2);
        }
        low = std::max(low, t1);
        high = std::min(high, t2);
        if (low >= high) {
            return false;
        }
    }
    return true;
}
} // namespace

NavGrid::NavGrid(sf::Vector2i cellCount, sf::Vector2f cellSize) : cells(cellCount), size(cellSize) {}

void NavGrid::rebuild(const std::list<std::shared_ptr<BoxCollisionComponent>>& colliders) {
    std::vector<sf::FloatRect> solidWalls;
    for (const auto& collider : colliders) {
        const GameObject* owner = collider->body ? collider->body->owner : nullptr;
        if (!owner || !collider->solid ||
            (owner->type != LevelSchema::kInsideWall && owner->type != LevelSchema::kOutsideWall)) {
            continue;
        }
        const sf::FloatRect bounds = collider->body->bounds;
        solidWalls.emplace_back(owner->getPosition().x + bounds.left, owner->getPosition().y + bounds.top,
                                bounds.width, bounds.height);
    }
    rebuild(solidWalls);
}

void NavGrid::rebuild(const std::vector<sf::FloatRect>& solidWalls) {
    walls = solidWalls;
    wallsInCell.assign(static_cast<std::size_t>(std::max(0, cells.x * cells.y)), {});
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const sf::FloatRect& wall = walls[i];
        const sf::Vector2i first = cellOf({wall.left + kEdgeSlack, wall.top + kEdgeSlack});
        const sf::Vector2i last =
            cellOf({wall.left + wall.width - kEdgeSlack, wall.top + wall.height - kEdgeSlack});
        for (int y = std::max(first.y, 0); y <= std::min(last.y, cells.y - 1); ++y) {
            for (int x = std::max(first.x, 0); x <= std::min(last.x, cells.x - 1); ++x) {
                wallsInCell[indexOf({x, y})].push_back(i);
            }
        }
    }
    // Counted over every grid, so a path planned on an earlier grid is never taken for a current one.
    static std::size_t everBuilt = 0;
    builds = ++everBuilt;
}

bool NavGrid::contains(sf::Vector2i cell) const {
    return cell.x >= 0 && cell.y >= 0 && cell.x < cells.x && cell.y < cells.y;
}

bool NavGrid::blocked(sf::Vector2i cell) const {
    return !contains(cell) || !wallsInCell[indexOf(cell)].empty();
}

sf::Vector2i NavGrid::cellOf(sf::Vector2f point) const {
    return {static_cast<int>(std::floor(point.x / size.x)), static_cast<int>(std::floor(point.y / size.y))};
}

sf::Vector2f NavGrid::centreOf(sf::Vector2i cell) const {
    return {(static_cast<float>(cell.x) + 0.5f) * size.x, (static_cast<float>(cell.y) + 0.5f) * size.y};
}

bool NavGrid::cellWallsCross(sf::Vector2i cell, sf::Vector2f a, sf::Vector2f b) const {
    if (!contains(cell)) {
        return false;
    }
    for (std::size_t wall : wallsInCell[indexOf(cell)]) {
        if (crossesInside(a, b, walls[wall])) {
            return true;
        }
    }
    return false;
}

bool NavGrid::lineIsClear(sf::Vector2f a, sf::Vector2f b) const {
    if (walls.empty()) {
        return true;
    }
    // Walk the cells the line passes through, in order, testing only the walls that touch them.
    sf::Vector2i cell = cellOf(a);
    const sf::Vector2i last = cellOf(b);
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const int stepX = dx > 0 ? 1 : -1;
    const int stepY = dy > 0 ? 1 : -1;
    const double crossX = dx != 0.0 ? size.x / std::abs(dx) : HUGE_VAL;
    const double crossY = dy != 0.0 ? size.y / std::abs(dy) : HUGE_VAL;
    const double nextEdgeX = stepX > 0 ? (cell.x + 1) * size.x : cell.x * size.x;
    const double nextEdgeY = stepY > 0 ? (cell.y + 1) * size.y : cell.y * size.y;
    double tX = dx != 0.0 ? (nextEdgeX - a.x) / dx : HUGE_VAL;
    double tY = dy != 0.0 ? (nextEdgeY - a.y) / dy : HUGE_VAL;
    const int most = std::abs(last.x - cell.x) + std::abs(last.y - cell.y) + 2;
    for (int visited = 0; visited <= most; ++visited) {
        // A line through a cell corner grazes the neighbours too: test them as well.
        if (cellWallsCross(cell, a, b) ||
            (std::abs(tX - tY) < 1e-9 && (cellWallsCross({cell.x + stepX, cell.y}, a, b) ||
                                          cellWallsCross({cell.x, cell.y + stepY}, a, b)))) {
            return false;
        }
        if (cell == last) {
            return true;
        }
        if (tX < tY) {
            cell.x += stepX;
            tX += crossX;
        } else {
            cell.y += stepY;
            tY += crossY;
        }
    }
    return true;
}

bool NavGrid::boxIsFree(sf::FloatRect box) const {
    const sf::Vector2i first = cellOf({box.left + kEdgeSlack, box.top + kEdgeSlack});
    const sf::Vector2i last = cellOf({box.left + box.width - kEdgeSlack, box.top + box.height - kEdgeSlack});
    for (int y = first.y; y <= last.y; ++y) {
        for (int x = first.x; x <= last.x; ++x) {
            if (blocked({x, y})) {
                return false;
            }
        }
    }
    return true;
}

bool NavGrid::bodyCanWalk(sf::Vector2f a, sf::Vector2f b, sf::Vector2f bodySize) const {
    // Samples at most a pixel apart, each box grown by half the gap: between two samples the body stays
    // inside the grown boxes, so no corner is cut between them.
    const sf::Vector2f delta = b - a;
    const float length = std::hypot(delta.x, delta.y);
    const int steps = std::max(1, static_cast<int>(std::ceil(length)));
    const float grow = length / static_cast<float>(steps) / 2.0f;
    const sf::Vector2f grown = bodySize + sf::Vector2f(2.0f * grow, 2.0f * grow);
    for (int i = 0; i <= steps; ++i) {
        const sf::Vector2f at = a + delta * (static_cast<float>(i) / static_cast<float>(steps));
        if (!boxIsFree({at - grown / 2.0f, grown})) {
            return false;
        }
    }
    return true;
}
