#include "scene/LayerComponent.hpp"

#include "scene/RenderManager.hpp"

LayerComponent::LayerComponent(GameObject* owner, std::vector<std::shared_ptr<sf::Sprite>> tileSprites,
                               std::string layerName, bool runsInUpdate)
    : RenderComponent(owner, std::move(layerName), runsInUpdate), sprites(std::move(tileSprites)) {
    RenderManager::getInstance()->addComponent(this);
}

void LayerComponent::process(sf::RenderWindow* window, float, std::string) {
    for (const auto& sprite : sprites) {
        window->draw(*sprite);
    }
}
