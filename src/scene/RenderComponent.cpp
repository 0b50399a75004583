#include "scene/RenderComponent.hpp"

RenderComponent::RenderComponent(GameObject* owner, std::string layerName, bool runsInUpdate)
    : Component(runsInUpdate), layerName(std::move(layerName)), owner(owner) {}
