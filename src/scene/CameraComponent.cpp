#include "scene/CameraComponent.hpp"

#include "app/Letterbox.hpp"
#include "scene/GameObject.hpp"

CameraComponent::CameraComponent(std::shared_ptr<GameObject> followed, sf::Vector2f offset, bool runsInUpdate)
    : Component(runsInUpdate), target(followed.get()), offset(offset) {
    view.zoom(0.8f);
}

void CameraComponent::process(sf::RenderWindow* window, float, std::string) {
    sf::Vector2f centre = target->getPosition() + offset;
    if (centre.x < kMinCentre) {
        centre.x = kMinCentre;
    } else if (centre.x > kMaxCentreX) {
        centre.x = kMaxCentreX;
    }
    if (centre.y < kMinCentre) {
        centre.y = kMinCentre;
    } else if (centre.y > kMaxCentreY) {
        centre.y = kMaxCentreY;
    }
    view.setCenter(centre);
    if (window) {
        // Whatever the window's size, the view shows the same part of the world, letterboxed.
        view.setViewport(Letterbox::viewport(window->getSize()));
        window->setView(view);
    }
}
