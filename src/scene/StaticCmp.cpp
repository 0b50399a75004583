#include "scene/StaticCmp.hpp"

#include "scene/GameObject.hpp"
#include "scene/TileChunk.hpp"

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
    // Out of sight it would fill nothing, yet still cost a draw call.
    if (sprite.getGlobalBounds().intersects(TileChunk::visibleArea(target.getView()))) {
        target.draw(sprite);
    }
}
