#pragma once

#include "scene/Component.hpp"

class GameObject;

// Turns the owner's bound direction keys into a force on its rigid body and
// moves it. Every frame starts from rest, so bounces never carry over.
class MoveComponent : public Component {
public:
    static constexpr float kAxisForce = 3200.0f;
    static constexpr float kDiagonalForce = 2400.0f;

    explicit MoveComponent(GameObject* owner);
    void process(sf::RenderWindow* window, float dt, std::string objectName) override;

    GameObject* owner;
    // The way the owner last moved, as a unit vector; down before it has moved.
    sf::Vector2f facing{0.0f, 1.0f};
    // The share of real time the level runs at (the game speed): the frame's dt is this share of the real
    // frame. The walking speed is the push of one real frame, so a slower game walks slower by that share.
    float timeScale = 1.0f;

private:
    static sf::Vector2f forceFromKeys(const std::string& objectName);
};
