#include "physics/RigidBodyComponent.hpp"

float inverseMass(float mass) {
    return mass == INFINITE_MASS ? 0.0f : 1.0f / mass;
}

RigidBodyComponent::RigidBodyComponent(GameObject* owner, float mass, sf::Vector2f velocity,
                                       sf::FloatRect bounds, bool runsInUpdate)
    : Component(runsInUpdate), mass(mass), velocity(velocity), bounds(bounds), owner(owner) {}

void RigidBodyComponent::process(sf::RenderWindow*, float, std::string) {}

void RigidBodyComponent::addForce(sf::Vector2f force) {
    forces.push_back(force);
}
