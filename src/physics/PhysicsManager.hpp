#pragma once

#include "physics/BoxCollisionComponent.hpp"
#include "physics/Manifold.hpp"

#include <list>
#include <memory>
#include <string>
#include <vector>

// Every collider of the level, in registration order, and the once-per-frame
// collision step: overlap tests of every pair, the building's entrance and exit
// switches, collision reports to observers, then bounce and separation.
class PhysicsManager {
public:
    static PhysicsManager* getInstance();
    static void destroyInstance();

    void addCollider(std::shared_ptr<BoxCollisionComponent> collider);
    void clear();
    // One collision step; takes no time step.
    void update();

    // Flip every inside and outside wall.
    void toggleBorders();
    // Flip the formula's visibility and solidity, then every dog's.
    void toggleFormula();

    bool playerInside = false;
    std::list<std::shared_ptr<BoxCollisionComponent>> registeredColliders;
    std::vector<Manifold> manifolds;

private:
    PhysicsManager() = default;

    void detectCollisions();
    void resolveCollisions();
    void testPair(const std::shared_ptr<BoxCollisionComponent>& a,
                  const std::shared_ptr<BoxCollisionComponent>& b);
    // Runs the entrance and exit switches; true when the pair is done with.
    bool handleZonesAndWalls(const std::string& typeA, const std::string& typeB);
    void enterBuilding();
    void leaveBuilding();

    static PhysicsManager* instance;
};
