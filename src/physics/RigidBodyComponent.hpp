#pragma once

#include "scene/Component.hpp"
#include "scene/ISubject.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <list>

class GameObject;

// Marks an immovable body (2 to the power 31).
constexpr float INFINITE_MASS = 2147483648.0f;

// 0 for an immovable body, 1 / mass otherwise (a mass of 0 is not special).
float inverseMass(float mass);

// Mass, velocity, this frame's forces and the collision box (relative to the
// owner's position) of a game object; also the subject its collision
// observers listen to. Movers integrate it; the collision step bounces it.
class RigidBodyComponent : public Component, public ISubject {
public:
    RigidBodyComponent(GameObject* owner, float mass, sf::Vector2f velocity, sf::FloatRect bounds,
                       bool runsInUpdate);

    void process(sf::RenderWindow* window, float dt, std::string objectName) override;
    void addForce(sf::Vector2f force);
    std::list<sf::Vector2f> getForces() const { return forces; }

    float mass;
    sf::Vector2f velocity;
    sf::Vector2f acceleration;
    std::list<sf::Vector2f> forces;
    sf::FloatRect bounds;
    GameObject* owner;
};
