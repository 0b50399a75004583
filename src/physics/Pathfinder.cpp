#include "physics/Pathfinder.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>
#include <utility>

namespace {
const float kDiagonal = 1.41421356f;
// How far from a blocked cell a free one is looked for, in cells.
const int kNearestFreeReach = 2;

float octile(sf::Vector2i a, sf::Vector2i b) {
    const float dx = static_cast<float>(std::abs(a.x - b.x));
    const float dy = static_cast<float>(std::abs(a.y - b.y));
    return std::max(dx, dy) + (kDiagonal - 1.0f) * std::min(dx, dy);
}

// The free cell nearest to `cell` (the cell itself when free); `cell` unchanged when none is near.
sf::Vector2i nearestFree(const NavGrid& grid, sf::Vector2i cell, sf::Vector2f point) {
    if (!grid.blocked(cell)) {
        return cell;
    }
    sf::Vector2i best = cell;
    float bestGap = std::numeric_limits<float>::max();
    for (int dy = -kNearestFreeReach; dy <= kNearestFreeReach; ++dy) {
        for (int dx = -kNearestFreeReach; dx <= kNearestFreeReach; ++dx) {
            const sf::Vector2i near{cell.x + dx, cell.y + dy};
            const sf::Vector2f gap = grid.centreOf(near) - point;
            if (!grid.blocked(near) && gap.x * gap.x + gap.y * gap.y < bestGap) {
                best = near;
                bestGap = gap.x * gap.x + gap.y * gap.y;
            }
        }
    }
    return best;
}
} // namespace

std::vector<sf::Vector2f> Pathfinder::find(const NavGrid& grid, sf::Vector2f from, sf::Vector2f to,
                                           sf::Vector2f bodySize) {
    const sf::Vector2i start = nearestFree(grid, grid.cellOf(from), from);
    const sf::Vector2i goal = nearestFree(grid, grid.cellOf(to), to);
    if (grid.blocked(start) || grid.blocked(goal) || !search(grid, start, goal)) {
        return {};
    }
    return smoothed(grid, from, to, bodySize, start, goal);
}

bool Pathfinder::search(const NavGrid& grid, sf::Vector2i start, sf::Vector2i goal) {
    const sf::Vector2i count = grid.cellCount();
    const auto index = [&](sf::Vector2i cell) { return cell.y * count.x + cell.x; };
    const std::size_t cellTotal = static_cast<std::size_t>(count.x) * static_cast<std::size_t>(count.y);
    cost.assign(cellTotal, std::numeric_limits<float>::max());
    cameFrom.assign(cellTotal, -1);
    closed.assign(cellTotal, 0);
    using Entry = std::pair<float, int>; // estimated total, cell index
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    cost[static_cast<std::size_t>(index(start))] = 0.0f;
    open.push({octile(start, goal), index(start)});
    while (!open.empty()) {
        const int current = open.top().second;
        open.pop();
        if (closed[static_cast<std::size_t>(current)]) {
            continue;
        }
        closed[static_cast<std::size_t>(current)] = 1;
        const sf::Vector2i cell{current % count.x, current / count.x};
        if (cell == goal) {
            return true;
        }
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const sf::Vector2i next{cell.x + dx, cell.y + dy};
                if ((dx == 0 && dy == 0) || grid.blocked(next)) {
                    continue;
                }
                // No corner cutting: a diagonal step needs both cells beside it free.
                if (dx != 0 && dy != 0 &&
                    (grid.blocked({cell.x + dx, cell.y}) || grid.blocked({cell.x, cell.y + dy}))) {
                    continue;
                }
                const auto at = static_cast<std::size_t>(index(next));
                const float through =
                    cost[static_cast<std::size_t>(current)] + (dx != 0 && dy != 0 ? kDiagonal : 1.0f);
                if (through < cost[at]) {
                    cost[at] = through;
                    cameFrom[at] = current;
                    open.push({through + octile(next, goal), index(next)});
                }
            }
        }
    }
    return false;
}

std::vector<sf::Vector2f> Pathfinder::smoothed(const NavGrid& grid, sf::Vector2f from, sf::Vector2f to,
                                               sf::Vector2f bodySize, sf::Vector2i start,
                                               sf::Vector2i goal) const {
    const int width = grid.cellCount().x;
    std::vector<sf::Vector2f> cells;
    for (int at = goal.y * width + goal.x; at != -1; at = cameFrom[static_cast<std::size_t>(at)]) {
        cells.push_back(grid.centreOf({at % width, at / width}));
        if (at == start.y * width + start.x) {
            break;
        }
    }
    std::reverse(cells.begin(), cells.end());
    // The exact end where the body fits there and can get there from the goal's cell.
    if (grid.boxIsFree({to - bodySize / 2.0f, bodySize}) && grid.bodyCanWalk(cells.back(), to, bodySize)) {
        cells.push_back(to);
    }
    // From each point, go straight to the farthest later point the body can walk to.
    std::vector<sf::Vector2f> route;
    sf::Vector2f here = from;
    std::size_t next = grid.bodyCanWalk(from, cells.front(), bodySize) ? 0 : cells.size();
    if (next == cells.size()) {
        // Off the grid's free cells (pushed against a wall): first back to the start cell's centre.
        route.push_back(cells.front());
        here = cells.front();
        next = 0;
    }
    while (next < cells.size()) {
        // Forward, stopping at the first point out of reach: cheap, and a turn is never skipped wrongly.
        std::size_t farthest = next;
        while (farthest + 1 < cells.size() && grid.bodyCanWalk(here, cells[farthest + 1], bodySize)) {
            ++farthest;
        }
        route.push_back(cells[farthest]);
        here = cells[farthest];
        next = farthest + 1;
    }
    return route;
}
