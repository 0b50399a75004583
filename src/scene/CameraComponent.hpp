#pragma once

#include "scene/Component.hpp"

#include <SFML/Graphics/View.hpp>
#include <memory>

class GameObject;

// Makes the window's view follow a target at a fixed offset, with the centre
// kept inside fixed bounds so the level's view never leaves the map.
class CameraComponent : public Component {
public:
    static constexpr float kMinCentre = 160.0f;
    static constexpr float kMaxCentreX = 1110.0f;
    static constexpr float kMaxCentreY = 860.0f;

    // The target must outlive the camera; only a plain pointer is kept.
    CameraComponent(std::shared_ptr<GameObject> target, sf::Vector2f offset, bool runsInUpdate);

    // Centres the view and, when window is not null, makes the window use it.
    void process(sf::RenderWindow* window, float dt, std::string objectName) override;

    GameObject* target;
    sf::Vector2f offset;
    sf::View view;
};
