#pragma once

#include <SFML/System/Vector2.hpp>

class RigidBodyComponent;

// One contact found by the collision step. bodyA belongs to the collider
// registered earlier; normal points from B towards A.
struct Manifold {
    RigidBodyComponent* bodyA = nullptr;
    RigidBodyComponent* bodyB = nullptr;
    float penetration = 0.0f;
    sf::Vector2f normal;
};
