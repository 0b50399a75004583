#pragma once

#include "scene/RenderComponent.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

// Draws one picture with its top-left corner at the owner's position. The
// component keeps its own copy of the texture, so it can be swapped at any time
// (an angry dog) and the next draw shows the new picture.
class StaticCmp : public RenderComponent {
public:
    StaticCmp(GameObject* owner, sf::Texture texture, sf::Vector2f scale, std::string layerName,
              bool runsInUpdate);

    // window must not be null.
    void process(sf::RenderWindow* window, float dt, std::string objectName) override;
    void drawOn(sf::RenderTarget& target) override;

    sf::Texture texture;
    sf::Sprite sprite;
};
