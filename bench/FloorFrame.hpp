#pragma once

#include "app/Letterbox.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

// The cheapest frame that shows the level's picture: clear the window, draw one texture of the camera's
// 320 x 320 world pixels stretched over the letterboxed picture, present. The game's frame is measured
// against it.
class FloorFrame {
public:
    static constexpr unsigned kSide = 320;

    FloorFrame() {
        sf::Image image;
        image.create(kSide, kSide);
        for (unsigned y = 0; y < kSide; ++y) {
            for (unsigned x = 0; x < kSide; ++x) {
                image.setPixel(x, y, sf::Color(x * 7 % 256, y * 5 % 256, (x ^ y) % 256));
            }
        }
        texture.loadFromImage(image);
        picture.setTexture(texture);
    }

    void draw(sf::RenderWindow& window) {
        const sf::Vector2f size(window.getSize());
        const sf::FloatRect area = Letterbox::pixelArea(window.getSize());
        window.setView(sf::View(sf::FloatRect(0.0f, 0.0f, size.x, size.y)));
        picture.setPosition(area.left, area.top);
        picture.setScale(area.width / kSide, area.height / kSide);
        window.clear(sf::Color::Black);
        window.draw(picture);
        window.display();
    }

private:
    sf::Texture texture;
    sf::Sprite picture;
};
