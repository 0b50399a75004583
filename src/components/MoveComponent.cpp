#include "components/MoveComponent.hpp"

#include "app/InputManager.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObject.hpp"

#include <cmath>

MoveComponent::MoveComponent(GameObject* owner) : Component(true), owner(owner) {}

sf::Vector2f MoveComponent::forceFromKeys(const std::string& objectName) {
    InputManager* input = InputManager::getInstance();
    const bool left = input->isActionDown("LEFT", objectName);
    const bool right = input->isActionDown("RIGHT", objectName);
    const bool up = input->isActionDown("UP", objectName);
    const bool down = input->isActionDown("DOWN", objectName);

    // Later keys win: right over left, down over up.
    sf::Vector2f force;
    if (left) {
        force.x = -kAxisForce;
    }
    if (right) {
        force.x = kAxisForce;
    }
    if (up) {
        force.y = -kAxisForce;
    }
    if (down) {
        force.y = kAxisForce;
    }
    if (left && up) {
        force = {-kDiagonalForce, -kDiagonalForce};
    }
    if (right && up) {
        force = {kDiagonalForce, -kDiagonalForce};
    }
    if (right && down) {
        force = {kDiagonalForce, kDiagonalForce};
    }
    if (left && down) {
        force = {-kDiagonalForce, kDiagonalForce};
    }
    return force;
}

void MoveComponent::process(sf::RenderWindow*, float dt, std::string objectName) {
    const std::shared_ptr<RigidBodyComponent> body = owner->rigidBody;
    const sf::Vector2f force = forceFromKeys(objectName);
    if (force.x != 0.0f || force.y != 0.0f) {
        facing = force / std::hypot(force.x, force.y);
    }

    body->forces.clear();
    body->velocity = {0.0f, 0.0f};
    body->acceleration = {0.0f, 0.0f};
    body->addForce(force);

    sf::Vector2f total;
    for (const sf::Vector2f& each : body->getForces()) {
        total += each;
    }
    body->forces.clear();

    body->acceleration = total * inverseMass(body->mass);
    body->velocity += body->acceleration * (dt / timeScale);
    owner->move(body->velocity * dt);
}
