#pragma once

#include "scene/Component.hpp"

#include <SFML/Graphics/View.hpp>
#include <memory>
#include <optional>

class GameObject;

// Makes the window's view follow a target at a fixed offset. Once given the size of the map it shows, the
// view stays on the map: a map narrower or lower than the view is centred on that axis.
class CameraComponent : public Component {
public:
    // The view stops this many pixels short of the map's right and bottom edges. The first level was framed
    // so from the start, and every map keeps the same frame so that it plays as it always has.
    static constexpr float kRightMargin = 10.0f;
    static constexpr float kBottomMargin = 4.0f;

    // The target must outlive the camera; only a plain pointer is kept.
    CameraComponent(std::shared_ptr<GameObject> target, sf::Vector2f offset, bool runsInUpdate);

    // Keeps the view on a map of `pixels` from (0, 0), whatever the view's size at each frame. Without a
    // call the view follows its target anywhere (the menu screens' pictures).
    void stayOnMap(sf::Vector2f pixels);

    // Centres the view and, when window is not null, makes the window use it.
    void process(sf::RenderWindow* window, float dt, std::string objectName) override;

    GameObject* target;
    sf::Vector2f offset;
    sf::View view;

private:
    std::optional<sf::Vector2f> mapSize;
};
