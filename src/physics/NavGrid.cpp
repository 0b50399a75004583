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
    indexWalls();
    numberRegions();
    // Counted over every grid, so a path planned on an earlier grid is never taken for a current one.
    static std::size_t everBuilt = 0;
    builds = ++everBuilt;
}

void NavGrid::indexWalls() {
    const std::size_t cellTotal =
        static_cast<std::size_t>(std::max(0, cells.x)) * static_cast<std::size_t>(std::max(0, cells.y));
    const auto eachCellOf = [this](const sf::FloatRect& wall, auto&& visit) {
        const sf::Vector2i first = cellOf({wall.left + kEdgeSlack, wall.top + kEdgeSlack});
        const sf::Vector2i last =
            cellOf({wall.left + wall.width - kEdgeSlack, wall.top + wall.height - kEdgeSlack});
        for (int y = std::max(first.y, 0); y <= std::min(last.y, cells.y - 1); ++y) {
            for (int x = std::max(first.x, 0); x <= std::min(last.x, cells.x - 1); ++x) {
                visit(indexOf({x, y}));
            }
        }
    };
    // A count of each cell's walls, summed so that each cell's count ends where its walls will end; placing
    // each wall then counts back down to where the cell's walls begin.
    firstWall.assign(cellTotal + 1, 0);
    for (const sf::FloatRect& wall : walls) {
        eachCellOf(wall, [this](std::size_t cell) { ++firstWall[cell]; });
    }
    for (std::size_t cell = 1; cell <= cellTotal; ++cell) {
        firstWall[cell] += firstWall[cell - 1];
    }
    wallsByCell.assign(firstWall.back(), 0);
    for (std::size_t i = 0; i < walls.size(); ++i) {
        eachCellOf(walls[i],
                   [&](std::size_t cell) { wallsByCell[--firstWall[cell]] = static_cast<std::uint32_t>(i); });
    }
}

void NavGrid::numberRegions() {
    // Runs of free cells along each row, each joined to the runs it touches in the row above (a union-find
    // over the runs), then the joined runs numbered in order: two passes over the cells in memory order. The
    // sides alone join cells: a diagonal step needs both cells beside it free, so it joins nothing more.
    const std::size_t width = static_cast<std::size_t>(std::max(0, cells.x));
    const std::size_t cellTotal = firstWall.size() - 1;
    regions.assign(cellTotal, 0);
    std::vector<std::uint32_t> joined{0};
    const auto root = [&joined](std::uint32_t run) {
        while (joined[run] != run) {
            joined[run] = joined[joined[run]];
            run = joined[run];
        }
        return run;
    };
    for (std::size_t rowStart = 0; rowStart < cellTotal; rowStart += width) {
        for (std::size_t cell = rowStart; cell < rowStart + width; ++cell) {
            if (firstWall[cell] != firstWall[cell + 1]) {
                continue;
            }
            const bool runGoesOn = cell > rowStart && regions[cell - 1] != 0;
            if (runGoesOn) {
                regions[cell] = regions[cell - 1];
            } else {
                regions[cell] = static_cast<std::uint32_t>(joined.size());
                joined.push_back(regions[cell]);
            }
            // Join the run above where it starts touching this one.
            const std::uint32_t above = rowStart > 0 ? regions[cell - width] : 0;
            if (above != 0 && !(runGoesOn && regions[cell - width - 1] == above)) {
                const std::uint32_t a = root(above);
                const std::uint32_t b = root(regions[cell]);
                joined[std::max(a, b)] = std::min(a, b);
            }
        }
    }
    // Each run's cells follow one another: its number is looked up once.
    std::vector<std::uint32_t> number(joined.size(), 0);
    std::uint32_t regionCount = 0;
    std::uint32_t lastRun = 0;
    std::uint32_t lastNumber = 0;
    for (std::uint32_t& region : regions) {
        if (region != 0 && region != lastRun) {
            lastRun = region;
            std::uint32_t& mine = number[root(region)];
            mine = mine != 0 ? mine : ++regionCount;
            lastNumber = mine;
        }
        region = region != 0 ? lastNumber : 0;
    }
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
    const std::size_t at = indexOf(cell);
    for (std::size_t i = firstWall[at]; i < firstWall[at + 1]; ++i) {
        if (crossesInside(a, b, walls[wallsByCell[i]])) {
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
