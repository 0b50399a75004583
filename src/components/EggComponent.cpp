#include "components/EggComponent.hpp"

#include "assets/AssetManager.hpp"
#include "input/RealtimeInput.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObject.hpp"
#include "scene/GameObjectManager.hpp"

#include <cmath>

namespace {
const sf::Time kArmingDelay = sf::seconds(1.0f);
}

EggComponent::EggComponent(GameObject* owner) : Component(true), owner(owner) {}

void EggComponent::process(sf::RenderWindow*, float dt, std::string) {
    if (flightFactor == 0.0f) {
        stop();
    }
    if (arming && armClock.getElapsedTime() > kArmingDelay / timeScale) {
        ready = true;
        armClock.restart();
        arming = false;
    }
    const bool pointerShot = RealtimeInput::isMouseButtonPressed(sf::Mouse::Left);
    const std::optional<sf::Vector2f> along = GameObjectManager::getInstance()->shotDirection;
    if (ready && (pointerShot || along)) {
        AssetManager::getInstance()->playSoundIfLoaded("shoot");
        flying = true;
        ready = false;
        ++timesShot;
        if (pointerShot) {
            aim();
        } else {
            aimAlong(*along);
        }
    }
    if (flying) {
        fly(dt);
    }
}

void EggComponent::fly(float dt) {
    RigidBodyComponent& body = *owner->rigidBody;
    body.addForce(shotForce);
    flightFactor = std::max(flightFactor - dt * kFlightDecayPerSecond, 0.0f);
    shotForce = {0.0f, 0.0f};

    sf::Vector2f total;
    for (const sf::Vector2f& force : body.getForces()) {
        total += force;
    }
    body.forces.clear();
    body.acceleration = total * inverseMass(body.mass);
    body.velocity += body.acceleration * (dt / timeScale);
    owner->move(body.velocity.x * dt * flightFactor, body.velocity.y * dt * flightFactor);
}

void EggComponent::aim() {
    mouseTarget = GameObjectManager::getInstance()->mouseWorldPosition;
    const sf::Vector2f position = owner->getPosition();
    aimAlong(
        {static_cast<float>(mouseTarget.x) - position.x, static_cast<float>(mouseTarget.y) - position.y});
}

void EggComponent::aimAlong(sf::Vector2f direction) {
    const float angle = std::atan2(direction.y, direction.x);
    aimDirection = {std::cos(angle) * 0.5, std::sin(angle) * 0.5};
    shotForce.x = static_cast<float>(shotForce.x + aimDirection.x * kShotForce);
    shotForce.y = static_cast<float>(shotForce.y + aimDirection.y * kShotForce);
}

void EggComponent::stop() {
    RigidBodyComponent& body = *owner->rigidBody;
    body.forces.clear();
    body.velocity = {0.0f, 0.0f};
    laid = false;
    arming = false;
    flying = false;
    ready = false;
    flightFactor = kFlightFactorStart;
    shotForce = {0.0f, 0.0f};
    aimDirection = {0.0, 0.0};
}
