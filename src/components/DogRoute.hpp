#pragma once

#include "physics/Pathfinder.hpp"

#include <SFML/System/Vector2.hpp>
#include <cstddef>
#include <vector>

class GameObject;
class NavGrid;

// One dog's way to a goal that may move, on the level's NavGrid: straight when the dog's body can walk there
// in a line, else along a planned path. It plans again when the walls switch, or when the goal moves to
// another cell but no more often than every kReplanFrames frames, so a crowd of chasing dogs stays cheap. A
// plan costs a bounded amount on any map (Pathfinder), next to nothing when the goal is out of the dog's
// reach.
class DogRoute {
public:
    static constexpr int kReplanFrames = 6;
    // How much narrower than its box a dog walks: the slack of the grid's walking test.
    static constexpr float kFit = 1.0f;

    // Moves `dog` by speed * dt along the way to having its top-left corner at `goal`; false, leaving it
    // where it is, when there is no way. `bodySize` is the dog's box.
    bool walk(GameObject& dog, sf::Vector2f bodySize, sf::Vector2f goal, double speed, float dt,
              const NavGrid& grid);
    // True once a walk has brought the dog to the end of its way (the goal itself where the body fits).
    bool finished() const { return reachable && points.empty(); }
    // Forgets the way, so the next walk plans afresh.
    void forget();
    // The points still ahead, for the dog's centre.
    const std::vector<sf::Vector2f>& waypoints() const { return points; }
    // How many times A* ran, for tests and benchmarks.
    std::size_t plansMade() const { return plans; }
    // How many cells those plans searched in all (Pathfinder::nodesExpanded), for tests and benchmarks.
    std::size_t nodesExpanded() const { return expanded; }

private:
    bool needsPlan(sf::Vector2i goalCell, const NavGrid& grid) const;
    void stepAlong(GameObject& dog, sf::Vector2f bodySize, sf::Vector2f goal, double budget);

    Pathfinder finder;
    std::vector<sf::Vector2f> points;
    bool planned = false;
    bool reachable = false;
    bool endsAtGoal = false;
    sf::Vector2i plannedCell;
    std::size_t plannedVersion = 0;
    int framesSincePlan = 0;
    std::size_t plans = 0;
    std::size_t expanded = 0;
};
