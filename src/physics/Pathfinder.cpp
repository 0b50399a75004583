#include "physics/Pathfinder.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
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
    expanded = 0;
    const sf::Vector2i start = nearestFree(grid, grid.cellOf(from), from);
    const sf::Vector2i goal = nearestFree(grid, grid.cellOf(to), to);
    // A goal in another region is out of reach: a search would look at every cell of the start's region to
    // prove it.
    if (grid.blocked(start) || grid.regionOf(start) != grid.regionOf(goal) || !search(grid, start, goal)) {
        return {};
    }
    return smoothed(grid, from, to, bodySize, start, goal);
}

bool Pathfinder::search(const NavGrid& grid, sf::Vector2i start, sf::Vector2i goal) {
    const int width = grid.cellCount().x;
    const auto index = [width](sf::Vector2i cell) { return cell.y * width + cell.x; };
    const auto later = std::greater<std::pair<float, int>>();
    nodes.clear();
    open.clear();
    nodes[index(start)] = {0.0f, -1, false};
    open.push_back({octile(start, goal), index(start)});
    while (!open.empty() && expanded < kNodeBudget) {
        std::pop_heap(open.begin(), open.end(), later);
        const int current = open.back().second;
        open.pop_back();
        Node& here = nodes[current];
        if (here.closed) {
            continue;
        }
        here.closed = true;
        ++expanded;
        const sf::Vector2i cell{current % width, current / width};
        if (cell == goal) {
            return true;
        }
        const float costHere = here.cost;
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
                const float through = costHere + (dx != 0 && dy != 0 ? kDiagonal : 1.0f);
                const auto [at, fresh] = nodes.try_emplace(index(next), Node{through, current, false});
                if (fresh || through < at->second.cost) {
                    at->second.cost = through;
                    at->second.cameFrom = current;
                    open.push_back({through + octile(next, goal), index(next)});
                    std::push_heap(open.begin(), open.end(), later);
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
    for (int at = goal.y * width + goal.x; at != -1; at = nodes.at(at).cameFrom) {
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
    // A leg's test costs its length, and a long straight run is tested once per cell along it: past
    // kSmoothingBudget pixels of tests the rest of the way stays cell by cell.
    float tested = 0.0f;
    const auto canTake = [&](sf::Vector2f end) {
        tested += std::hypot(end.x - here.x, end.y - here.y);
        return tested <= kSmoothingBudget && grid.bodyCanWalk(here, end, bodySize);
    };
    while (next < cells.size()) {
        // Forward, stopping at the first point out of reach: cheap, and a turn is never skipped wrongly.
        std::size_t farthest = next;
        while (farthest + 1 < cells.size() && canTake(cells[farthest + 1])) {
            ++farthest;
        }
        route.push_back(cells[farthest]);
        here = cells[farthest];
        next = farthest + 1;
    }
    return route;
}
