#pragma once

#include "scene/Component.hpp"

#include <SFML/System/Vector2.hpp>

class RigidBodyComponent;

// One collision box of a game object. Only solid colliders are reported to
// observers and pushed apart. The corners are kept for reference; the
// collision test uses the body's bounds at the owner's current position.
class BoxCollisionComponent : public Component {
public:
    BoxCollisionComponent(RigidBodyComponent* body, sf::Vector2f lowerLeft, sf::Vector2f upperRight);

    void process(sf::RenderWindow* window, float dt, std::string objectName) override;

    bool solid = true;
    sf::Vector2f lowerLeft;
    sf::Vector2f upperRight;
    RigidBodyComponent* body;
};
