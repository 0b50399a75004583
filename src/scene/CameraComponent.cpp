#include "scene/CameraComponent.hpp"

#include "app/Letterbox.hpp"
#include "scene/GameObject.hpp"

#include <algorithm>

namespace {
// The centre on one axis of a map `mapLength` long, for a view `viewLength` long.
float centreOnMap(float wanted, float mapLength, float viewLength, float farMargin) {
    const float lowest = viewLength / 2.0f;
    const float highest = mapLength - farMargin - viewLength / 2.0f;
    if (highest < lowest) {
        return mapLength / 2.0f;
    }
    return std::clamp(wanted, lowest, highest);
}
} // namespace

CameraComponent::CameraComponent(std::shared_ptr<GameObject> followed, sf::Vector2f offset, bool runsInUpdate)
    : Component(runsInUpdate), target(followed.get()), offset(offset) {
    view.zoom(0.8f);
}

void CameraComponent::stayOnMap(sf::Vector2f pixels) {
    mapSize = pixels;
}

void CameraComponent::process(sf::RenderWindow* window, float, std::string) {
    sf::Vector2f centre = target->getPosition() + offset;
    if (mapSize) {
        const sf::Vector2f seen = view.getSize();
        centre.x = centreOnMap(centre.x, mapSize->x, seen.x, kRightMargin);
        centre.y = centreOnMap(centre.y, mapSize->y, seen.y, kBottomMargin);
    }
    view.setCenter(centre);
    if (window) {
        // Whatever the window's size, the view shows the same part of the world, letterboxed.
        view.setViewport(Letterbox::viewport(window->getSize()));
        window->setView(view);
    }
}
