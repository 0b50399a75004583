#pragma once

#include "scene/Component.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <string>

class GameObject;

// A drawable component. The render manager draws it under layerName while both
// the layer and its own visible flag are on.
class RenderComponent : public Component {
public:
    RenderComponent(GameObject* owner, std::string layerName, bool runsInUpdate);

    // Draws the component into any target (a window or a texture) through the target's view.
    virtual void drawOn(sf::RenderTarget& target) = 0;

    bool visible = true;
    std::string layerName;
    GameObject* owner;
};
