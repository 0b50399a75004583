#include "scene/StaticCmp.hpp"

#include "scene/GameObject.hpp"

StaticCmp::StaticCmp(GameObject* owner, sf::Texture picture, sf::Vector2f scale, std::string layerName,
                     bool runsInUpdate)
    : RenderComponent(owner, std::move(layerName), runsInUpdate), texture(std::move(picture)) {
    sprite.scale(scale);
}

void StaticCmp::process(sf::RenderWindow* window, float, std::string) {
    drawOn(*window);
}

void StaticCmp::drawOn(sf::RenderTarget& target) {
    sprite.setPosition(owner->getPosition());
    sprite.setRotation(0.0f);
    sprite.setTexture(texture, false);
    target.draw(sprite);
}
