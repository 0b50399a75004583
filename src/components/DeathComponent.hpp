#pragma once

#include "scene/Component.hpp"
#include "scene/IObserver.hpp"

class GameObject;

// Decides what a touch means: a dog kills the player, a dog destroys an egg,
// the player picks up the formula, and the goal wins the level while the
// player carries the formula.
class DeathComponent : public Component, public IObserver {
public:
    explicit DeathComponent(GameObject* owner);

    // Keeps a dead owner hidden.
    void process(sf::RenderWindow* window, float dt, std::string objectName) override;
    void onNotify(std::shared_ptr<BoxCollisionComponent> other) override;
    // The owner leaves play: no longer solid, no longer told about touches, and
    // (unless it is the player) moved far away.
    void die();

    // "enemy" plus at most one more character counts as "enemy".
    static std::string normalisedType(const std::string& type);

    GameObject* owner;
    bool alive = true;
};
