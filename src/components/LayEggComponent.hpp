#pragma once

#include "scene/Component.hpp"
#include "scene/IObserver.hpp"

#include <memory>
#include <vector>

class GameObject;

// The player's stock of eggs: picks up resting eggs it touches and lays the
// last one picked up with the "LAY" action. "SHOOT" sends every armed egg
// where the pad's right stick points, else the way the player last moved.
class LayEggComponent : public Component, public IObserver {
public:
    explicit LayEggComponent(GameObject* owner);

    void process(sf::RenderWindow* window, float dt, std::string objectName) override;
    void onNotify(std::shared_ptr<BoxCollisionComponent> other) override;
    void layEgg();

    GameObject* owner;
    std::vector<std::shared_ptr<BoxCollisionComponent>> eggStock;
};
