#include "components/DogRoute.hpp"

#include "physics/NavGrid.hpp"
#include "scene/GameObject.hpp"

#include <cmath>

bool DogRoute::needsPlan(sf::Vector2i goalCell, const NavGrid& grid) const {
    return !planned || grid.version() != plannedVersion ||
           (goalCell != plannedCell && framesSincePlan >= kReplanFrames);
}

void DogRoute::forget() {
    planned = false;
    reachable = false;
    points.clear();
}

bool DogRoute::walk(GameObject& dog, sf::Vector2f bodySize, sf::Vector2f goal, double speed, float dt,
                    const NavGrid& grid) {
    const sf::Vector2f half = bodySize / 2.0f;
    const sf::Vector2f centre = dog.getPosition() + half;
    const sf::Vector2f target = goal + half;
    const sf::Vector2i goalCell = grid.cellOf(target);
    // A pixel narrower than the dog, so a dog as wide as a tile fits the corridors one tile wide.
    const sf::Vector2f walker = bodySize - sf::Vector2f(kFit, kFit);
    ++framesSincePlan;
    if (grid.bodyCanWalk(centre, target, walker)) {
        // In the open: straight at it, as a dog without walls runs.
        points.assign(1, target);
        reachable = endsAtGoal = planned = true;
        plannedCell = goalCell;
        plannedVersion = grid.version();
    } else if (needsPlan(goalCell, grid)) {
        points = finder.find(grid, centre, target, walker);
        ++plans;
        expanded += finder.nodesExpanded();
        planned = true;
        reachable = !points.empty();
        endsAtGoal = reachable && points.back() == target;
        plannedCell = goalCell;
        plannedVersion = grid.version();
        framesSincePlan = 0;
    }
    if (!reachable) {
        return false;
    }
    stepAlong(dog, bodySize, goal, speed * dt);
    return true;
}

void DogRoute::stepAlong(GameObject& dog, sf::Vector2f bodySize, sf::Vector2f goal, double budget) {
    const sf::Vector2f half = bodySize / 2.0f;
    sf::Vector2f centre = dog.getPosition() + half;
    while (!points.empty()) {
        const sf::Vector2f gap = points.front() - centre;
        const double length = std::hypot(static_cast<double>(gap.x), static_cast<double>(gap.y));
        if (length > budget) {
            const double angle = std::atan2(static_cast<double>(gap.y), static_cast<double>(gap.x));
            dog.move(static_cast<float>(std::cos(angle) * budget),
                     static_cast<float>(std::sin(angle) * budget));
            return;
        }
        budget -= length;
        centre = points.front();
        points.erase(points.begin());
        // The last point: exactly on the goal, so arriving home is seen as home.
        dog.setPosition(points.empty() && endsAtGoal ? goal : centre - half);
    }
}
