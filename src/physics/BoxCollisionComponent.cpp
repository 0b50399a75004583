#include "physics/BoxCollisionComponent.hpp"

BoxCollisionComponent::BoxCollisionComponent(RigidBodyComponent* body, sf::Vector2f lowerLeft,
                                             sf::Vector2f upperRight)
    : Component(false), lowerLeft(lowerLeft), upperRight(upperRight), body(body) {}

void BoxCollisionComponent::process(sf::RenderWindow*, float, std::string) {}
