#pragma once

#include "scene/Component.hpp"

#include <string>

class GameObject;

// A drawable component. The render manager draws it under layerName while both
// the layer and its own visible flag are on.
class RenderComponent : public Component {
public:
    RenderComponent(GameObject* owner, std::string layerName, bool runsInUpdate);

    bool visible = true;
    std::string layerName;
    GameObject* owner;
};
