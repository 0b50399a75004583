#pragma once

#include "scene/RenderComponent.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <memory>
#include <vector>

// One tile layer of the map as prepared sprites. Registers itself with the
// render manager under its layer name when constructed.
class LayerComponent : public RenderComponent {
public:
    LayerComponent(GameObject* owner, std::vector<std::shared_ptr<sf::Sprite>> sprites, std::string layerName,
                   bool runsInUpdate);

    void process(sf::RenderWindow* window, float dt, std::string objectName) override;

    std::vector<std::shared_ptr<sf::Sprite>> sprites;
};
